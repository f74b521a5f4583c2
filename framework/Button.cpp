#include "Button.h"

Button::Button(WindowsObject* parent, const char* title, int x, int y, int width, int height, int id)
    : Control(parent, title, x, y, width, height, id)
{
    Style = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
}

const char* Button::WindowClassName()
{
    return "Button";
}
