#include "CheckBox.h"

#include <cstring>

CheckBox::CheckBox(WindowsObject* parent, const char* title, int x, int y, int width, int height, int id)
    : Button(parent, title, x, y, width, height, id)
{
    Style = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX;
}

unsigned CheckBox::GetCheck()
{
    // BM_GETCHECK
    return static_cast<unsigned>(SendMessageA(Handle, BM_GETCHECK, 0, 0));
}

void CheckBox::SetCheck(unsigned state)
{
    // BM_SETCHECK
    SendMessageA(Handle, BM_SETCHECK, state, 0);
}

unsigned CheckBox::ExchangeData(void* data, unsigned direction)
{
    // Records lie back to back in the buffer, so they are copied rather than dereferenced.
    std::uint32_t state;
    if (direction == DataFromControls) {
        state = GetCheck();
        std::memcpy(data, &state, sizeof state);
    } else if (direction == DataToControls) {
        std::memcpy(&state, data, sizeof state);
        SetCheck(state);
    }
    return sizeof state;
}
