#pragma once

#include <windows.h>

// Real keyboard and mouse input, as the operator gives it: SendInput into the system's input
// queue, which delivers it to the foreground window and the window under the pointer.
class UserInput {
public:
    // Press and release one key, with the given modifier keys held (0 for none).
    static void Key(WORD VirtualKey, WORD FirstModifier = 0, WORD SecondModifier = 0);
    // Type text made of characters that have keys of their own (digits, letters, . , - space).
    static void Type(const char* Text);
    // A left click at a point of the screen.
    static void Click(POINT Screen);
    // A left click at a point of a window's client area.
    static void ClickClient(HWND Window, int X, int Y);
    // A left click in the middle of a window.
    static void ClickCentre(HWND Window);
};
