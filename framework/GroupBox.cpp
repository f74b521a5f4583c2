#include "GroupBox.h"

GroupBox::GroupBox(WindowsObject* parent, const char* title, int x, int y, int width, int height, int id)
    : Control(parent, title, x, y, width, height, id)
{
    Style = WS_CHILD | WS_VISIBLE | WS_GROUP | BS_GROUPBOX;
}

const char* GroupBox::WindowClassName()
{
    return "Button";
}
