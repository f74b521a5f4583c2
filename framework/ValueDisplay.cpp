#include "ValueDisplay.h"

#include "NumberText.h"
#include "WindowNumberText.h"

ValueDisplay::ValueDisplay(WindowsObject* parent, const char* title, int x, int y, int width, int height)
    : Static(parent, title, x, y, width, height, 0, 0)
{
    Style = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_RIGHT;
    ExStyle = WS_EX_CLIENTEDGE;
}

void ValueDisplay::ShowInteger(std::int32_t value)
{
    SetIntegerText(Handle, value);
}

void ValueDisplay::ShowReal(float value)
{
    SetRealText(Handle, value);
}

void ValueDisplay::ShowVersion(std::uint16_t value)
{
    SetText(VersionText(value).c_str());
}
