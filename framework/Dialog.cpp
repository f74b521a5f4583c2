#include "Dialog.h"

#include <cstring>

Dialog::Dialog(WindowsObject* parent, const char* name) : WindowsObject(parent)
{
    if (IS_INTRESOURCE(name)) {
        TemplateName = name;
    } else if (*name) {
        std::size_t size = std::strlen(name) + 1;
        TemplateName = static_cast<char*>(std::memcpy(new char[size], name, size));
    }
}

Dialog::~Dialog()
{
    if (OwnsTemplateName())
        delete[] TemplateName;
}

bool Dialog::OwnsTemplateName() const
{
    return !IS_INTRESOURCE(TemplateName);
}

int Dialog::Execute()
{
    Modal = true;
    if (!Thunk)
        return -1;  // no dialog procedure: the pool had no memory for this object's stub
    HWND owner = Parent ? Parent->Handle : nullptr;
    return static_cast<int>(
        DialogBoxParamA(ModuleInstance(), TemplateName, owner, reinterpret_cast<DLGPROC>(Thunk), InitParam));
}

void Dialog::EndModal(int result)
{
    EndDialog(Handle, result);
}

void Dialog::DefaultHandler(MessageRecord& record)
{
    record.Result = 0;
}

void Dialog::HandleMessage(MessageRecord& record)
{
    if (record.Message == WM_INITDIALOG)
        OnInitDialog(record);
    else
        WindowsObject::HandleMessage(record);
}

void Dialog::HandleChildNotify(MessageRecord& record, unsigned id)
{
    switch (id) {
    case IDOK: Ok(record); break;
    case IDCANCEL: Cancel(record); break;
    default: WindowsObject::HandleChildNotify(record, id); break;
    }
}

void Dialog::FillWindowClass(WNDCLASSA&)
{
}

bool Dialog::CreateHandle()
{
    EnableKeyboardNavigation();
    if (!Thunk)
        return false;
    HWND owner = Parent ? Parent->Handle : nullptr;
    Handle = CreateDialogParamA(ModuleInstance(), TemplateName, owner, reinterpret_cast<DLGPROC>(Thunk), InitParam);
    return Handle != nullptr;
}

void Dialog::Ok(MessageRecord&)
{
    if (!Modal) {
        TryClose();
        return;
    }
    if (QueryClose()) {
        ExchangeChildData(DataFromControls);
        EndModal(IDOK);
    }
}

void Dialog::Cancel(MessageRecord&)
{
    if (Modal)
        EndModal(IDCANCEL);
    else
        TryClose();
}

void Dialog::OnClose(MessageRecord& record)
{
    Cancel(record);
}

void Dialog::OnQueryEndSession(MessageRecord& record)
{
    record.Result = MayClose() ? 0 : 1;
}

void Dialog::OnInitDialog(MessageRecord& record)
{
    Handle = record.Handle;
    PrepareWindow();
}
