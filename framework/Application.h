#pragma once

#include "BaseObject.h"
#include "WindowsObject.h"

#include <windows.h>

class Window;

// The one application object of a process: it makes, creates and shows the main window, runs
// the message loop of the user-interface thread until WM_QUIT, pre-translates queued messages
// for dialog-style keyboard handling, and runs modal dialogs.
//
// Start-up. A constructor cannot reach the overrides of the type being constructed, so the
// constructor only stores the name and sets CurrentApplication; Start runs SetUpInstance, and
// with it the concrete type's MakeMainWindow, once the object is complete. The entry calls
// Start right after construction; Run calls it too (it runs once), so it cannot be left out.
class Application : public BaseObject {
public:
    explicit Application(const char* name);
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Makes, creates and shows the main window; runs once.
    virtual void SetUpInstance();
    // Constructs the main window object into PrimaryWindow; no window exists yet.
    virtual void MakeMainWindow();
    // Called while the queue is empty; true to be called again without waiting for a message.
    virtual bool OnIdle();
    // Whether the application may close: the main window's QueryClose.
    virtual bool QueryClose();

    // SetUpInstance, unless it has run already.
    void Start();

    // Start, then the message loop until WM_QUIT; returns at once without a main window.
    void Run();

    // Runs a dialog modally, deletes it whatever its result and returns the result; a null
    // dialog (its construction failed) gives IDCANCEL. A dialog is a WindowsObject with
    // `int Execute()`, its modal run.
    template <typename ModalDialog>
    int RunDialog(ModalDialog* dialog)
    {
        if (!dialog)
            return IDCANCEL;
        int result = dialog->Execute();
        WindowsObject::Delete(dialog);
        return result;
    }

    // Names the object whose window gets dialog-style keyboard handling; null for none.
    void SetKeyboardWindow(WindowsObject* object);

    // Creates the object's window: the object on success; on failure it is deleted and the
    // result is null. Null stays null.
    WindowsObject* CreateOrDiscard(WindowsObject* object);

    // Takes and handles at most one queued message; false when the queue was empty.
    bool PumpOneMessage(MSG& message);
    // True when a translation step consumed the message.
    bool PreTranslate(MSG& message);
    bool TranslateMdiKeys(MSG& message);
    bool TranslateAccelerators(MSG& message);
    bool TranslateDialogKeys(MSG& message);

    const char* Name = nullptr;                // not copied, not owned
    Window* PrimaryWindow = nullptr;           // the main window object; cleared by its deletion
    WindowsObject* KeyboardWindow = nullptr;   // cleared also when that object is deleted
    WindowsObject* MdiClient = nullptr;
    HACCEL Accelerators = nullptr;             // applied to the main window
    bool QuitReceived = false;                 // never reset

private:
    bool SetUpDone = false;
};

// The one application object; set by its constructor, cleared by its destructor.
extern Application* CurrentApplication;
