#pragma once

#include "Button.h"

#include <cstdint>

// A check box that toggles itself on each click (BS_AUTOCHECKBOX). Its data exchange record is
// the check state, 32 bits: 0 unchecked, 1 checked.
class CheckBox : public Button {
public:
    CheckBox(WindowsObject* parent, const char* title, int x, int y, int width, int height, int id);

    // 0 unchecked, 1 checked (BM_GETCHECK).
    unsigned GetCheck();
    // BM_SETCHECK
    void SetCheck(unsigned state);

    unsigned ExchangeData(void* data, unsigned direction) override;

protected:
    ~CheckBox() override = default;
};
