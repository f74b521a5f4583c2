#pragma once

#include <cstdint>

// The communication settings stored in the sensor; they take effect when it restarts.
struct CommSettings {
    std::uint8_t Address;      // MODBUS slave address, 1 to 247
    std::uint8_t BaudIndex;    // 0 = 1200 ... 7 = 115200 baud
    std::uint8_t ParityIndex;  // 0 none, 1 odd, 2 even, 3 mark
};
