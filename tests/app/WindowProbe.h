#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Reads windows of another process: texts go through messages that Windows carries across
// processes, and are compared as Unicode so that the Czech texts show what the operator reads.
class WindowProbe {
public:
    struct Facts {
        std::wstring Class;
        DWORD Style;
        DWORD ExStyle;
        RECT Placement;  // in the parent's client coordinates (the screen for a top-level window)
        int Id;
        std::wstring Text;
    };

    static Facts Read(HWND Window);
    // WM_GETTEXT.
    static std::wstring Text(HWND Window);
    // The direct children in Z order, which is the order of their creation.
    static std::vector<HWND> Children(HWND Parent);
    // The items of a combo box, first to last.
    static std::vector<std::wstring> ListItems(HWND ComboBox);
    // CB_GETCURSEL.
    static int Selection(HWND ComboBox);
    // The text of the selected item, empty without a selection.
    static std::wstring SelectedItem(HWND ComboBox);
    // The screen pixel at a point of a window's client area.
    static COLORREF ClientPixel(HWND Window, int X, int Y);
};
