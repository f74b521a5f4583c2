#include "Control.h"

Control::Control(WindowsObject* parent, const char* title, int x, int y, int width, int height, int id)
    : Window(parent, title)
{
    Style = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP;
    X = x;
    Y = y;
    Width = width;
    Height = height;
    MenuOrId = static_cast<std::uintptr_t>(id);
}

Control::Control(WindowsObject* parent, int resourceId) : Window(parent, resourceId)
{
}

bool Control::EnsureClassRegistered()
{
    return true;
}

void Control::OnPaint(MessageRecord& record)
{
    DefaultHandler(record);
}
