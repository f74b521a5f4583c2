#include "WindowProbe.h"

WindowProbe::Facts WindowProbe::Read(HWND Window)
{
    Facts facts{};
    wchar_t className[64] = L"";
    GetClassNameW(Window, className, 64);
    facts.Class = className;
    facts.Style = static_cast<DWORD>(GetWindowLongW(Window, GWL_STYLE));
    facts.ExStyle = static_cast<DWORD>(GetWindowLongW(Window, GWL_EXSTYLE));
    GetWindowRect(Window, &facts.Placement);
    if (HWND parent = GetParent(Window); parent != nullptr && (facts.Style & WS_CHILD))
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&facts.Placement), 2);
    facts.Id = GetDlgCtrlID(Window);
    facts.Text = Text(Window);
    return facts;
}

std::wstring WindowProbe::Text(HWND Window)
{
    wchar_t text[256] = L"";
    SendMessageW(Window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<HWND> WindowProbe::Children(HWND Parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(Parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

std::vector<std::wstring> WindowProbe::ListItems(HWND ComboBox)
{
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(ComboBox, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t item[256] = L"";
        SendMessageW(ComboBox, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        items.push_back(item);
    }
    return items;
}

int WindowProbe::Selection(HWND ComboBox)
{
    return static_cast<int>(SendMessageW(ComboBox, CB_GETCURSEL, 0, 0));
}

std::wstring WindowProbe::SelectedItem(HWND ComboBox)
{
    const int index = Selection(ComboBox);
    if (index < 0)
        return L"";
    wchar_t item[256] = L"";
    SendMessageW(ComboBox, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item));
    return item;
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
