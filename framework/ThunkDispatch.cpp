#include "Thunk.h"
#include "WindowsObject.h"

UINT ObjectPtrMessage = 0;

void RegisterObjectPtrMessage()
{
    if (!ObjectPtrMessage)
        ObjectPtrMessage = RegisterWindowMessageA("VoxObjectPtr");
}

void ThunkDispatch(WindowsObject* object, MessageRecord& record)
{
    if (record.Message == ObjectPtrMessage) {
        record.Result = reinterpret_cast<LRESULT>(object);
        return;
    }
    object->HandleMessage(record);
}

WindowsObject* ObjectFromHandle(HWND window)
{
    if (!window)
        return nullptr;
    auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    if (!procedure)
        return nullptr;
    // Called directly, not sent: only the window's own procedure is asked.
    return reinterpret_cast<WindowsObject*>(CallWindowProcA(procedure, window, ObjectPtrMessage, 0, 0));
}
