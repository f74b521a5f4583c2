#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Reads windows of another process. Texts are taken as Unicode, through messages that Windows
// carries across processes, and given back in the ANSI code page that the tool writes them in:
// the tool's Czech texts come back as the Windows-1250 bytes it wrote, whatever the locale.
class WindowProbe {
public:
    struct Facts {
        std::string Class;
        DWORD Style;
        DWORD ExStyle;
        RECT Placement;  // in the parent's client coordinates (the screen for a top-level window)
        int Id;
        std::string Text;
    };

    static Facts Read(HWND Window);
    // WM_GETTEXT.
    static std::string Text(HWND Window);
    // The direct children in Z order, which is the order of their creation.
    static std::vector<HWND> Children(HWND Parent);
    // The items of a combo box, first to last.
    static std::vector<std::string> ListItems(HWND ComboBox);
    // CB_GETCURSEL.
    static int Selection(HWND ComboBox);
    // The text of the selected item, empty without a selection.
    static std::string SelectedItem(HWND ComboBox);
    // A screen point on the close box of a window's caption; {-1, -1} when it has none.
    static POINT CloseBox(HWND Window);
    // The screen pixel at a point of a window's client area.
    static COLORREF ClientPixel(HWND Window, int X, int Y);
};
