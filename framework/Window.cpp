#include "Window.h"

#include "Thunk.h"

#include <cstring>

WindowsObject* CreatingObject = nullptr;

LRESULT CALLBACK InitialWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowsObject* object = CreatingObject;
    if (!object)
        return DefWindowProcA(window, message, wParam, lParam);
    object->Handle = window;
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(object->Thunk));
    LRESULT result = object->Thunk(window, message, wParam, lParam);
    CreatingObject = nullptr;
    return result;
}

namespace {

char* CopyOfTitle(const char* title)
{
    if (!title || !*title)
        return nullptr;
    std::size_t size = std::strlen(title) + 1;
    return static_cast<char*>(std::memcpy(new char[size], title, size));
}

}  // namespace

Window::Window(WindowsObject* parent, const char* title) : WindowsObject(parent)
{
    Title = CopyOfTitle(title);
    Style = parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW;
    X = CW_USEDEFAULT;
    Width = CW_USEDEFAULT;
    DefaultWndProc = &DefWindowProcA;
}

Window::Window(WindowsObject* parent, int resourceId) : WindowsObject(parent)
{
    MenuOrId = static_cast<std::uintptr_t>(resourceId);
    SetFlag(FromResource);
}

Window::~Window()
{
    delete[] Title;
}

void Window::DefaultHandler(MessageRecord& record)
{
    record.Result = CallWindowProcA(DefaultWndProc, record.Handle, record.Message, record.WParam, record.LParam);
}

void Window::HandleMessage(MessageRecord& record)
{
    switch (record.Message) {
    case WM_CREATE: OnCreate(record); break;
    case WM_MOVE: OnMove(record); break;
    case WM_SIZE: OnSize(record); break;
    case WM_PAINT: OnPaint(record); break;
    case WM_SYSCOMMAND: OnSysCommand(record); break;
    default: WindowsObject::HandleMessage(record); break;
    }
}

int Window::GetId()
{
    return static_cast<int>(MenuOrId);
}

void Window::FillWindowClass(WNDCLASSA& windowClass)
{
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &InitialWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = ModuleInstance();
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = WindowClassName();
}

bool Window::CreateHandle()
{
    if (!Thunk)
        return false;  // the pool had no memory for this object's stub
    HWND parentHandle = Parent ? Parent->Handle : nullptr;
    if (HasFlag(FromResource)) {
        Handle = GetDlgItem(parentHandle, static_cast<int>(MenuOrId));
    } else if (EnsureClassRegistered()) {
        CreatingObject = this;
        CreateWindowHandle(parentHandle);
        // Also when the creation failed before the first message: the object may be deleted now.
        CreatingObject = nullptr;
    }
    // A window whose procedure is not a stub (a standard control, a dialog item) is subclassed;
    // a framework-class window was bound by its first message and prepared by WM_CREATE.
    if (Handle && !ObjectFromHandle(Handle)) {
        DefaultWndProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Thunk)));
        PrepareWindow();
        UpdatePlacement();
    }
    return Handle != nullptr;
}

void Window::CreateWindowHandle(HWND parentHandle)
{
    Handle = CreateWindowExA(ExStyle, WindowClassName(), Title, Style, X, Y, Width, Height, parentHandle,
                             reinterpret_cast<HMENU>(MenuOrId), ModuleInstance(), CreateParam);
}

void Window::SaveFocus()
{
    HWND focus = GetFocus();
    if (focus && IsChild(Handle, focus))
        SavedFocus = focus;
}

void Window::RestoreFocus()
{
    if (SavedFocus && IsWindow(SavedFocus) && !IsIconic(Handle))
        SetFocus(SavedFocus);
}

void Window::UpdatePlacement()
{
    if (IsIconic(Handle) || IsZoomed(Handle))
        return;
    RECT bounds;
    GetWindowRect(Handle, &bounds);
    Width = bounds.right - bounds.left;
    Height = bounds.bottom - bounds.top;
    POINT corner{bounds.left, bounds.top};
    if (Parent && (Style & WS_CHILD))
        ScreenToClient(Parent->Handle, &corner);
    X = corner.x;
    Y = corner.y;
}

void Window::OnActivate(MessageRecord& record)
{
    WindowsObject::OnActivate(record);
    if (!HasFlag(KeyboardNavigation))
        return;
    if (LOWORD(record.WParam) != WA_INACTIVE)
        RestoreFocus();
    else
        SaveFocus();
}

void Window::Paint(PAINTSTRUCT&)
{
}

void Window::OnCreate(MessageRecord& record)
{
    PrepareWindow();
    DefaultHandler(record);
}

void Window::OnPaint(MessageRecord&)
{
    PAINTSTRUCT paint;
    BeginPaint(Handle, &paint);
    Paint(paint);
    EndPaint(Handle, &paint);
}

void Window::OnMove(MessageRecord& record)
{
    UpdatePlacement();
    DefaultHandler(record);
}

void Window::OnSize(MessageRecord& record)
{
    if (record.WParam == SIZE_RESTORED) {
        RECT bounds;
        GetWindowRect(Handle, &bounds);
        Width = bounds.right - bounds.left;
        Height = bounds.bottom - bounds.top;
    }
    DefaultHandler(record);
}

void Window::OnSysCommand(MessageRecord& record)
{
    // Before the default processing: the focus is saved before the window is minimized.
    if (HasFlag(KeyboardNavigation)) {
        switch (record.WParam & 0xFFF0) {
        case SC_MINIMIZE: SaveFocus(); break;
        case SC_RESTORE: RestoreFocus(); break;
        }
    }
    DefaultHandler(record);
}
