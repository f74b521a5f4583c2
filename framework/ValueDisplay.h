#pragma once

#include "Static.h"

#include <cstdint>

// A right-aligned static text with a sunken edge that shows an integer, a two-decimal real or a
// version number (NumberText.h), or any text through the operations of Static. Control id 0, no
// tab stop.
class ValueDisplay : public Static {
public:
    ValueDisplay(WindowsObject* parent, const char* title, int x, int y, int width, int height);

    void ShowInteger(std::int32_t value);
    void ShowReal(float value);
    // High byte major, low byte minor: 0x0105 shows as 1.05.
    void ShowVersion(std::uint16_t value);

protected:
    ~ValueDisplay() override = default;
};
