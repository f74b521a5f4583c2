#include "Static.h"

Static::Static(WindowsObject* parent, const char* title, int x, int y, int width, int height, int id, int textLength)
    : Control(parent, title, x, y, width, height, id)
{
    Style = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
    TextLength = textLength;
}

int Static::GetText(char* buffer, int maxCount)
{
    return GetWindowTextA(Handle, buffer, maxCount);
}

bool Static::SetText(const char* text)
{
    return SetWindowTextA(Handle, text) != 0;
}

bool Static::Clear()
{
    return SetText("");
}

const char* Static::WindowClassName()
{
    return "Static";
}

unsigned Static::ExchangeData(void* data, unsigned direction)
{
    if (direction == DataFromControls)
        GetText(static_cast<char*>(data), TextLength);
    else if (direction == DataToControls)
        SetText(static_cast<const char*>(data));
    return static_cast<unsigned>(TextLength);
}
