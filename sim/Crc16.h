#pragma once

#include <cstddef>
#include <cstdint>

// The MODBUS RTU frame check: CRC-16 with the reflected polynomial 0xA001, initial value 0xFFFF
// and no final XOR. Sent low byte first, so a frame with its CRC appended checks to 0.
class Crc16 {
public:
    static uint16_t Compute(const uint8_t* data, size_t length);
};
