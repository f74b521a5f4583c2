#pragma once

#include <cstdint>

// The tool's own line settings, used when it connects. Every value comes from a position of
// one of the choice lists, so it always lies within the lists' ranges.
struct LinkSettings {
    std::uint8_t BaudIndex;    // index into BaudRateTable
    std::uint8_t ParityIndex;  // 0 none, 1 odd, 2 even, 3 mark (the Win32 parity codes)
    std::uint8_t Address;      // slave address put into the requests, 1 ... 247
};
