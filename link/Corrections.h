#pragma once

#include <cstdint>

// The corrections that the sensor adds to its measurements, in hundredths of each unit.
struct Corrections {
    std::int16_t Temperature;  // °C
    std::int16_t RelHumidity;  // %
    std::int16_t AbsHumidity;  // g/m3
    std::int16_t DewPoint;     // °C
};
