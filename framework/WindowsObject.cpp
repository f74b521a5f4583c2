#include "WindowsObject.h"

#include "Application.h"
#include "Thunk.h"
#include "Window.h"

HINSTANCE ModuleInstance()
{
    return GetModuleHandleA(nullptr);
}

WindowsObject::WindowsObject(WindowsObject* parent) : Parent(parent)
{
    if (Parent)
        Parent->AddChild(this);
    RegisterObjectPtrMessage();
    Thunk = AllocateThunk(this);
}

WindowsObject::~WindowsObject()
{
    if (!Deleting) {
        Deleting = true;
        DetachWindow();
        TearDown();
    }
    ReleaseThunk(Thunk);
}

void WindowsObject::Delete(WindowsObject* object)
{
    if (!object || object->Deleting)
        return;
    object->Deleting = true;
    object->TearDown();
    delete object;
}

void WindowsObject::TearDown()
{
    DestroyHandle();
    ForEachChild([](WindowsObject* child) { Delete(child); });
    if (Parent)
        Parent->RemoveChild(this);
    if (CurrentApplication) {
        if (IsMainWindow())
            CurrentApplication->PrimaryWindow = nullptr;
        if (CurrentApplication->KeyboardWindow == this)
            CurrentApplication->SetKeyboardWindow(nullptr);
    }
}

void WindowsObject::DetachWindow()
{
    if (!Handle || !IsWindow(Handle))
        return;
    auto stub = reinterpret_cast<LONG_PTR>(Thunk);
    if (GetWindowLongPtrA(Handle, GWLP_WNDPROC) == stub)
        SetWindowLongPtrA(Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
    if (GetWindowLongPtrA(Handle, DWLP_DLGPROC) == stub)
        SetWindowLongPtrA(Handle, DWLP_DLGPROC, 0);
}

void WindowsObject::DefaultCommandHandler(MessageRecord& record)
{
    if (Parent)
        Parent->HandleCommand(record, LOWORD(record.WParam));
    else
        DefaultHandler(record);
}

void WindowsObject::DefaultChildNotifyHandler(MessageRecord& record)
{
    DefaultHandler(record);
}

void WindowsObject::DefaultNotifyHandler(MessageRecord& record)
{
    if (Parent)
        Parent->HandleChildNotify(record, static_cast<unsigned>(GetWindowLongPtrA(Handle, GWLP_ID)));
}

void WindowsObject::HandleMessage(MessageRecord& record)
{
    switch (record.Message) {
    case WM_DESTROY: OnDestroy(record); break;
    case WM_ACTIVATE: OnActivate(record); break;
    case WM_CLOSE: OnClose(record); break;
    case WM_QUERYENDSESSION: OnQueryEndSession(record); break;
    case WM_COMMAND: OnCommand(record); break;
    case WM_HSCROLL: OnHScroll(record); break;
    case WM_VSCROLL: OnVScroll(record); break;
    default: DefaultHandler(record); break;
    }
}

void WindowsObject::HandleCommand(MessageRecord& record, unsigned id)
{
    if (id == ExitCommandId)
        OnExitCommand(record);
    else
        DefaultCommandHandler(record);
}

void WindowsObject::HandleChildNotify(MessageRecord& record, unsigned)
{
    DefaultChildNotifyHandler(record);
}

void WindowsObject::HandleNotify(MessageRecord& record, unsigned)
{
    DefaultNotifyHandler(record);
}

int WindowsObject::GetId()
{
    return -1;
}

const char* WindowsObject::WindowClassName()
{
    return "VoxWindow";
}

bool WindowsObject::EnsureClassRegistered()
{
    WNDCLASSA windowClass{};
    // The first object of a class name has fixed its attributes for the rest of the process.
    if (GetClassInfoA(ModuleInstance(), WindowClassName(), &windowClass))
        return true;
    FillWindowClass(windowClass);
    return RegisterClassA(&windowClass) != 0;
}

unsigned WindowsObject::ExchangeData(void*, unsigned)
{
    return 0;
}

void WindowsObject::PrepareWindow()
{
    if (CreateChildren())
        ExchangeChildData(DataToControls);
}

void WindowsObject::DestroyHandle()
{
    if (Handle)
        DestroyWindow(Handle);
}

bool WindowsObject::QueryClose()
{
    return !FirstChildThat([](WindowsObject* child) { return !child->QueryClose(); });
}

void WindowsObject::AddChild(WindowsObject* child)
{
    if (!child)
        return;
    if (!LastChild) {
        child->NextSibling = child;
    } else {
        child->NextSibling = LastChild->NextSibling;
        LastChild->NextSibling = child;
    }
    LastChild = child;
}

void WindowsObject::RemoveChild(WindowsObject* child)
{
    if (!LastChild)
        return;
    WindowsObject* previous = LastChild;
    while (previous->NextSibling != child) {
        previous = previous->NextSibling;
        if (previous == LastChild)
            return;
    }
    if (previous == child) {
        LastChild = nullptr;
        return;
    }
    if (child == LastChild)
        LastChild = previous;
    previous->NextSibling = child->NextSibling;
}

void WindowsObject::SetFlag(std::uint32_t mask)
{
    Flags |= mask;
}

bool WindowsObject::HasFlag(std::uint32_t mask) const
{
    return (Flags & mask) == mask;
}

void WindowsObject::EnableKeyboardNavigation()
{
    SetFlag(KeyboardNavigation);
}

void WindowsObject::EnableDataExchange()
{
    SetFlag(DataExchange);
}

bool WindowsObject::CreateChildren()
{
    return !FirstChildThat([](WindowsObject* child) { return !child->CreateHandle(); });
}

void WindowsObject::ExchangeChildData(unsigned direction)
{
    if (!DataBuffer)
        return;
    auto* position = static_cast<unsigned char*>(DataBuffer);
    ForEachChild([&](WindowsObject* child) {
        if (child->HasFlag(DataExchange))
            position += child->ExchangeData(position, direction);
    });
}

void WindowsObject::Show(int showCommand)
{
    if (Handle)
        ShowWindow(Handle, showCommand);
}

void WindowsObject::TryClose()
{
    if (MayClose())
        Delete(this);
}

void WindowsObject::RouteControlScroll(MessageRecord& record)
{
    auto bar = reinterpret_cast<HWND>(record.LParam);
    if (WindowsObject* control = ObjectFromHandle(bar))
        control->HandleNotify(record, LOWORD(record.WParam));
    else
        HandleChildNotify(record, static_cast<unsigned>(GetWindowLongPtrA(bar, GWLP_ID)));
}

void WindowsObject::OnActivate(MessageRecord& record)
{
    DefaultHandler(record);
    if (HasFlag(KeyboardNavigation) && CurrentApplication)
        CurrentApplication->SetKeyboardWindow(LOWORD(record.WParam) != WA_INACTIVE ? this : nullptr);
}

void WindowsObject::OnCommand(MessageRecord& record)
{
    if (record.LParam == 0) {
        HandleCommand(record, LOWORD(record.WParam));
        return;
    }
    if (WindowsObject* control = ObjectFromHandle(reinterpret_cast<HWND>(record.LParam)))
        control->HandleNotify(record, HIWORD(record.WParam));
    else
        HandleChildNotify(record, LOWORD(record.WParam));
}

void WindowsObject::OnHScroll(MessageRecord& record)
{
    if (record.LParam)
        RouteControlScroll(record);
    else
        DefaultHandler(record);
}

void WindowsObject::OnVScroll(MessageRecord& record)
{
    WindowsObject::OnHScroll(record);
}

void WindowsObject::OnClose(MessageRecord&)
{
    TryClose();
}

void WindowsObject::OnDestroy(MessageRecord& record)
{
    if (IsMainWindow())
        PostQuitMessage(0);
    DefaultHandler(record);
}

void WindowsObject::OnQueryEndSession(MessageRecord& record)
{
    record.Result = MayClose() ? 1 : 0;
}

void WindowsObject::OnExitCommand(MessageRecord& record)
{
    if (IsMainWindow())
        TryClose();
    else
        DefaultCommandHandler(record);
}

bool WindowsObject::IsMainWindow() const
{
    return CurrentApplication && CurrentApplication->PrimaryWindow == this;
}

bool WindowsObject::MayClose()
{
    return IsMainWindow() ? CurrentApplication->QueryClose() : QueryClose();
}
