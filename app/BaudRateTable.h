#pragma once

#include <cstdint>

// The eight baud rates of the tool and of the sensor, by the index that both store.
class BaudRateTable {
public:
    static constexpr int Count = 8;
    // The baud rate at Index (0 ... Count - 1).
    static std::uint32_t Rate(int Index);
};
