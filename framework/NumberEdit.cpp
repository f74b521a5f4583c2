#include "NumberEdit.h"

#include "NumberText.h"
#include "WindowNumberText.h"

NumberEdit::NumberEdit(WindowsObject* parent, const char* title, int x, int y, int width, int height, int id)
    : Edit(parent, title, x, y, width, height, id, 0, false)
{
    Style = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_RIGHT;
}

float NumberEdit::GetValue()
{
    char text[16] = {};
    GetWindowTextA(Handle, text, sizeof text);
    return ReadNumber(text);
}

void NumberEdit::SetValue(float value)
{
    SetRealText(Handle, value);
}
