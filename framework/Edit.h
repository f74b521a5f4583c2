#pragma once

#include "Static.h"

// An edit field, single-line (ES_AUTOHSCROLL) or multiline (ES_MULTILINE, ES_WANTRETURN, both
// scroll bars), with a sunken edge. With TextLength not 0 it takes at most TextLength - 1
// characters. The edit commands (CutCommandId ... UndoCommandId) sent to its own window run
// the operation of the same name.
class Edit : public Static {
public:
    static constexpr unsigned CutCommandId = 65280;
    static constexpr unsigned CopyCommandId = 65281;
    static constexpr unsigned PasteCommandId = 65282;
    static constexpr unsigned DeleteCommandId = 65283;
    static constexpr unsigned ClearCommandId = 65284;
    static constexpr unsigned UndoCommandId = 65285;

    Edit(WindowsObject* parent, const char* title, int x, int y, int width, int height, int id, int textLength,
         bool multiline);

    // WM_CUT
    void Cut();
    // WM_COPY
    void Copy();
    // WM_PASTE
    void Paste();
    // WM_CLEAR: deletes the selection.
    void DeleteSelection();
    // WM_UNDO: Windows' undo result.
    bool Undo();

    void HandleCommand(MessageRecord& record, unsigned id) override;
    const char* WindowClassName() override;
    // The inherited preparation, then the text limit.
    void PrepareWindow() override;

protected:
    ~Edit() override = default;

    virtual void OnCut(MessageRecord& record);
    virtual void OnCopy(MessageRecord& record);
    virtual void OnPaste(MessageRecord& record);
    virtual void OnDeleteSelection(MessageRecord& record);
    // Empties the whole text.
    virtual void OnClear(MessageRecord& record);
    virtual void OnUndo(MessageRecord& record);
};
