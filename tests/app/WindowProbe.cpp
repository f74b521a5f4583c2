#include "WindowProbe.h"

namespace {

std::string Ansi(const wchar_t* Text)
{
    char text[512] = "";
    WideCharToMultiByte(CP_ACP, 0, Text, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

}  // namespace

WindowProbe::Facts WindowProbe::Read(HWND Window)
{
    Facts facts{};
    wchar_t className[64] = L"";
    GetClassNameW(Window, className, 64);
    facts.Class = Ansi(className);
    facts.Style = static_cast<DWORD>(GetWindowLongW(Window, GWL_STYLE));
    facts.ExStyle = static_cast<DWORD>(GetWindowLongW(Window, GWL_EXSTYLE));
    GetWindowRect(Window, &facts.Placement);
    if (HWND parent = GetParent(Window); parent != nullptr && (facts.Style & WS_CHILD))
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&facts.Placement), 2);
    facts.Id = GetDlgCtrlID(Window);
    facts.Text = Text(Window);
    return facts;
}

std::string WindowProbe::Text(HWND Window)
{
    wchar_t text[256] = L"";
    SendMessageW(Window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return Ansi(text);
}

std::vector<HWND> WindowProbe::Children(HWND Parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(Parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

std::vector<std::string> WindowProbe::ListItems(HWND ComboBox)
{
    std::vector<std::string> items;
    const LRESULT count = SendMessageW(ComboBox, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t item[256] = L"";
        SendMessageW(ComboBox, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        items.push_back(Ansi(item));
    }
    return items;
}

int WindowProbe::Selection(HWND ComboBox)
{
    return static_cast<int>(SendMessageW(ComboBox, CB_GETCURSEL, 0, 0));
}

std::string WindowProbe::SelectedItem(HWND ComboBox)
{
    const int index = Selection(ComboBox);
    if (index < 0)
        return "";
    wchar_t item[256] = L"";
    SendMessageW(ComboBox, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item));
    return Ansi(item);
}

COLORREF WindowProbe::ClientPixel(HWND Window, int X, int Y)
{
    POINT point{X, Y};
    ClientToScreen(Window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

POINT WindowProbe::CloseBox(HWND Window)
{
    RECT frame;
    GetWindowRect(Window, &frame);
    // The caption runs along the top; the close box sits at its right end.
    for (int y = frame.top; y < frame.top + 40; y += 2)
        for (int x = frame.right - 1; x > frame.right - 60; x -= 2)
            if (SendMessageW(Window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE)
                return POINT{x, y};
    return POINT{-1, -1};
}
