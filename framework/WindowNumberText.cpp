#include "WindowNumberText.h"

#include "NumberText.h"

void SetIntegerText(HWND window, std::int32_t value)
{
    SetWindowTextA(window, IntegerText(value).c_str());
}

void SetRealText(HWND window, float value)
{
    SetWindowTextA(window, RealText(value).c_str());
}
