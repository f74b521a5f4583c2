#pragma once

#include "WindowsObject.h"

#include <windows.h>

// A window object whose window comes from a dialog template of the executable's resources, run
// modally (Execute, DialogBoxParamA) or modelessly (CreateHandle, CreateDialogParamA). The
// object's stub is the dialog procedure: every message reaches HandleMessage, and Result is the
// dialog procedure's answer (nonzero: handled; 0: the dialog manager's default processing).
//
// Control objects that a derived dialog constructs with the resource constructors are bound to
// the template's items by id at WM_INITDIALOG. Items 1 (IDOK) and 2 (IDCANCEL) end the dialog
// through Ok and Cancel; a derived dialog stores its controls' values in an override of Ok and
// then calls the inherited Ok.
class Dialog : public WindowsObject {
public:
    // `name` is a zero-terminated template name, or an integer resource id (MAKEINTRESOURCEA).
    Dialog(WindowsObject* parent, const char* name);

    // An owned copy of the template name (null for an empty name), or the integer id.
    const char* TemplateName = nullptr;
    // The LParam of WM_INITDIALOG.
    LPARAM InitParam = 0;
    // True from the start of Execute.
    bool Modal = false;

    // Runs the dialog modally: the value given to EndModal (IDOK after Ok, IDCANCEL after
    // Cancel), or -1 when the dialog cannot be made.
    int Execute();
    // Ends a modal run with `result` (EndDialog).
    void EndModal(int result);

    // The message is left to the dialog manager: Result 0.
    void DefaultHandler(MessageRecord& record) override;
    void HandleMessage(MessageRecord& record) override;
    // Item 1: Ok; item 2: Cancel.
    void HandleChildNotify(MessageRecord& record, unsigned id) override;
    // The template supplies the class; a dialog registers none.
    void FillWindowClass(WNDCLASSA& windowClass) override;
    // Creates the dialog modelessly, with dialog-style keys from the application's loop; true
    // when the window exists.
    bool CreateHandle() override;

    // Modal: when QueryClose allows, reads the controls into DataBuffer and ends with IDOK.
    // Modeless: closes and deletes the dialog if allowed.
    virtual void Ok(MessageRecord& record);
    // Modal: ends with IDCANCEL, whatever QueryClose says. Modeless: closes and deletes the
    // dialog if allowed.
    virtual void Cancel(MessageRecord& record);

protected:
    ~Dialog() override;

    // Cancel.
    void OnClose(MessageRecord& record) override;
    // Answers as a dialog procedure: 0 lets the dialog manager agree to the end of the session,
    // 1 (handled, with message result 0) refuses it.
    void OnQueryEndSession(MessageRecord& record) override;

    // Binds the window, creates (binds) the children and puts DataBuffer into them; Result stays
    // 1, so the dialog manager sets the focus.
    virtual void OnInitDialog(MessageRecord& record);

private:
    bool OwnsTemplateName() const;
};
