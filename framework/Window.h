#pragma once

#include "WindowsObject.h"

#include <windows.h>

#include <cstdint>

// The procedure of every window class that the framework registers. The first message of a
// new window binds it to CreatingObject: the object gets its Handle, its stub becomes the
// window's procedure, and the message itself is handled by the object.
LRESULT CALLBACK InitialWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The object whose framework-class window is being created; null otherwise.
extern WindowsObject* CreatingObject;

// A window that the framework creates with CreateWindowExA (a top-level window, a child
// window, a standard control), or that is bound to an existing dialog item. Messages it does
// not handle go to DefaultWndProc: DefWindowProcA, or the procedure the window had before the
// object subclassed it.
class Window : public WindowsObject {
public:
    // A window created by the framework: WS_OVERLAPPEDWINDOW without a parent, WS_CHILD |
    // WS_VISIBLE with one, at the default position and width; a null or empty title gives none.
    Window(WindowsObject* parent, const char* title);
    // A window bound to the parent's existing dialog item `resourceId` when it is created.
    Window(WindowsObject* parent, int resourceId);

    char* Title = nullptr;  // owned
    std::uint32_t Style = 0;
    std::uint32_t ExStyle = 0;
    int X = 0;  // screen coordinates for a top-level window, parent client coordinates for a child
    int Y = 0;
    int Width = 0;  // outer size
    int Height = 0;
    void* CreateParam = nullptr;
    std::uintptr_t MenuOrId = 0;  // the menu, or the control or dialog item id
    WNDPROC DefaultWndProc = nullptr;
    HWND SavedFocus = nullptr;  // the descendant that had the focus when last deactivated or minimized

    void DefaultHandler(MessageRecord& record) override;
    void HandleMessage(MessageRecord& record) override;
    int GetId() override;
    void FillWindowClass(WNDCLASSA& windowClass) override;
    bool CreateHandle() override;

    virtual void CreateWindowHandle(HWND parentHandle);

    void SaveFocus();
    void RestoreFocus();
    // Stores the window's current placement, unless it is minimized or maximized.
    void UpdatePlacement();

protected:
    ~Window() override;

    void OnActivate(MessageRecord& record) override;

    virtual void Paint(PAINTSTRUCT& paint);
    virtual void OnCreate(MessageRecord& record);
    virtual void OnPaint(MessageRecord& record);
    virtual void OnMove(MessageRecord& record);
    virtual void OnSize(MessageRecord& record);
    virtual void OnSysCommand(MessageRecord& record);
};
