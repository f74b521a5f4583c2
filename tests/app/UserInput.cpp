#include "UserInput.h"

#include <vector>

namespace {

// Time for the target process to take the input from its queue.
constexpr DWORD SettleMs = 150;

INPUT KeyInput(WORD VirtualKey, bool Up)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = VirtualKey;
    in.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
    return in;
}

INPUT MouseInput(POINT Screen, DWORD Flags)
{
    // Absolute coordinates run from 0 to 65535 across the primary screen.
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(Screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(Screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = Flags | MOUSEEVENTF_ABSOLUTE;
    return in;
}

void Send(std::vector<INPUT> inputs)
{
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(SettleMs);
}

}  // namespace

void UserInput::Key(WORD VirtualKey, WORD FirstModifier, WORD SecondModifier)
{
    std::vector<INPUT> inputs;
    for (WORD modifier : {FirstModifier, SecondModifier})
        if (modifier != 0)
            inputs.push_back(KeyInput(modifier, false));
    inputs.push_back(KeyInput(VirtualKey, false));
    inputs.push_back(KeyInput(VirtualKey, true));
    for (WORD modifier : {SecondModifier, FirstModifier})
        if (modifier != 0)
            inputs.push_back(KeyInput(modifier, true));
    Send(inputs);
}

void UserInput::Type(const char* Text)
{
    for (const char* c = Text; *c != 0; ++c) {
        SHORT key = VkKeyScanA(*c);
        Key(LOBYTE(key), (HIBYTE(key) & 1) ? VK_SHIFT : 0);
    }
}

void UserInput::Click(POINT Screen)
{
    Send({MouseInput(Screen, MOUSEEVENTF_MOVE), MouseInput(Screen, MOUSEEVENTF_LEFTDOWN),
          MouseInput(Screen, MOUSEEVENTF_LEFTUP)});
}

void UserInput::ClickClient(HWND Window, int X, int Y)
{
    POINT point{X, Y};
    ClientToScreen(Window, &point);
    Click(point);
}

void UserInput::ClickCentre(HWND Window)
{
    RECT rect;
    GetWindowRect(Window, &rect);
    Click(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}
