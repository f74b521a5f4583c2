#pragma once

#include <cstdint>

// The sensor's four measured quantities, each in hundredths of its unit; they already include
// the sensor's corrections.
struct Measurements {
    std::int16_t Temperature;  // °C
    std::int16_t RelHumidity;  // %
    std::int16_t AbsHumidity;  // g/m3
    std::int16_t DewPoint;     // °C
};
