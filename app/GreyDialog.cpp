#include "GreyDialog.h"

void GreyDialog::HandleMessage(MessageRecord& Msg)
{
    switch (Msg.Message) {
    case WM_CTLCOLORDLG:
        Msg.Result = reinterpret_cast<LRESULT>(GetStockObject(LTGRAY_BRUSH));
        break;
    case WM_CTLCOLORSTATIC:
        SetBkColor(reinterpret_cast<HDC>(Msg.WParam), RGB(192, 192, 192));
        Msg.Result = reinterpret_cast<LRESULT>(GetStockObject(LTGRAY_BRUSH));
        break;
    default:
        Dialog::HandleMessage(Msg);
    }
}

void GreyDialog::HandleCommand(MessageRecord& Msg, unsigned Id)
{
    // The dialog manager reports Esc as command IDCANCEL without a control.
    if (Id == IDCANCEL)
        Cancel(Msg);
    else
        Dialog::HandleCommand(Msg, Id);
}
