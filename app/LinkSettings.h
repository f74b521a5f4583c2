#pragma once

#include <cstdint>

// The tool's own line settings, used when it connects. Every value comes from a position of
// one of the choice lists, so it always lies within the lists' ranges.
struct LinkSettings {
    std::uint8_t BaudIndex = 4;    // index into BaudRateTable: 19200 Bd
    std::uint8_t ParityIndex = 2;  // 0 none, 1 odd, 2 even, 3 mark (the Win32 parity codes)
    std::uint8_t Address = 1;      // slave address put into the requests, 1 ... 247
};
