#include "Edit.h"

Edit::Edit(WindowsObject* parent, const char* title, int x, int y, int width, int height, int id, int textLength,
           bool multiline)
    : Static(parent, title, x, y, width, height, id, textLength)
{
    if (multiline)
        Style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_GROUP | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN;
    else
        Style = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
    ExStyle = WS_EX_CLIENTEDGE;
}

void Edit::Cut()
{
    // WM_CUT
    SendMessageA(Handle, WM_CUT, 0, 0);
}

void Edit::Copy()
{
    // WM_COPY
    SendMessageA(Handle, WM_COPY, 0, 0);
}

void Edit::Paste()
{
    // WM_PASTE
    SendMessageA(Handle, WM_PASTE, 0, 0);
}

void Edit::DeleteSelection()
{
    // WM_CLEAR
    SendMessageA(Handle, WM_CLEAR, 0, 0);
}

bool Edit::Undo()
{
    // WM_UNDO
    return SendMessageA(Handle, WM_UNDO, 0, 0) != 0;
}

void Edit::HandleCommand(MessageRecord& record, unsigned id)
{
    switch (id) {
    case CutCommandId: OnCut(record); break;
    case CopyCommandId: OnCopy(record); break;
    case PasteCommandId: OnPaste(record); break;
    case DeleteCommandId: OnDeleteSelection(record); break;
    case ClearCommandId: OnClear(record); break;
    case UndoCommandId: OnUndo(record); break;
    default: Static::HandleCommand(record, id); break;
    }
}

const char* Edit::WindowClassName()
{
    return "Edit";
}

void Edit::PrepareWindow()
{
    Static::PrepareWindow();
    if (TextLength != 0) {
        // EM_LIMITTEXT: room is left for the terminating zero.
        SendMessageA(Handle, EM_LIMITTEXT, static_cast<WPARAM>(TextLength - 1), 0);
    }
}

void Edit::OnCut(MessageRecord&)
{
    Cut();
}

void Edit::OnCopy(MessageRecord&)
{
    Copy();
}

void Edit::OnPaste(MessageRecord&)
{
    Paste();
}

void Edit::OnDeleteSelection(MessageRecord&)
{
    DeleteSelection();
}

void Edit::OnClear(MessageRecord&)
{
    Clear();
}

void Edit::OnUndo(MessageRecord&)
{
    Undo();
}
