#pragma once

#include <cstdint>

// A request as the master sends it: every function the sensor serves (3, 4 and 6) and every
// other function this slave refuses arrives in this 8-byte shape.
#pragma pack(push, 1)
struct RtuRequest {
    uint8_t Address;       // slave address
    uint8_t Function;      // function code
    uint8_t RegisterHigh;  // first register, high byte
    uint8_t RegisterLow;   // first register, low byte
    uint8_t ArgumentHigh;  // register count (functions 3, 4) or value (function 6), high byte
    uint8_t ArgumentLow;   // the same, low byte
    uint8_t CrcLow;        // CRC-16 over the six bytes above, low byte
    uint8_t CrcHigh;       // the same, high byte

    uint16_t Register() const { return static_cast<uint16_t>(RegisterHigh << 8 | RegisterLow); }
    uint16_t Argument() const { return static_cast<uint16_t>(ArgumentHigh << 8 | ArgumentLow); }
};
#pragma pack(pop)

static_assert(sizeof(RtuRequest) == 8, "an RTU request is 8 bytes on the wire");
