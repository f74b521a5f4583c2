#pragma once

#include <cstdint>

// The sensor's communication settings, with the same index codes as the configuration tool:
// BaudIndex 0..7 = 1200 … 115200 Bd, ParityIndex 0 none, 1 odd, 2 even, 3 mark.
struct SlaveSettings {
    static constexpr uint8_t MaxAddress = 247;
    static constexpr uint8_t BaudCount = 8;
    static constexpr uint8_t ParityCount = 4;

    uint8_t Address = 1;
    uint8_t BaudIndex = 4;
    uint8_t ParityIndex = 2;

    // The rate of a baud index, 0 for an index outside the table.
    static uint32_t BaudRateOf(uint8_t baudIndex);
    // The index of a rate in the table; false when the rate is not in it.
    static bool BaudIndexOf(uint32_t baudRate, uint8_t& baudIndex);

    uint32_t BaudRate() const { return BaudRateOf(BaudIndex); }
    // Start bit, 8 data bits, the parity bit unless parity is none, one stop bit.
    unsigned BitsPerCharacter() const { return ParityIndex == 0 ? 10 : 11; }
};
