#pragma once

#include "RegisterTable.h"
#include "SlaveSettings.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

// The register map of the simulated ZEF sensor.
//
// Input registers:
//   0-3    identification, 8 bytes, two per register, the earlier byte high ("ZEF" + zeros)
//   4      firmware version, major in the high byte (0x0105 = 1.05)
//   5-6    serial number, register 5 the high word (123456)
//   16-19  temperature °C, relative humidity %, absolute humidity g/m3, dew point °C, signed
//          hundredths, drifting slowly, each with its correction added
// Holding registers:
//   256-259  corrections of the four quantities, signed hundredths; a write outside the
//            plausible range gets exception 3: temperature and dew point ±10.00 °C, relative
//            humidity ±20.00 %, absolute humidity ±5.00 g/m3
//   512-514  stored address (1..247), baud index (0..7), parity index (0..3); a write outside
//            the range gets exception 3; they take effect at the next restart
//   1040     write-only: 0x55AA restarts the sensor, any other value gets exception 3
// Any other register gets exception 2, as does a read that reaches past a block; a read of 0 or
// more than 125 registers gets exception 3.
class SensorRegisters {
public:
    static constexpr uint8_t IllegalFunction = 1;
    static constexpr uint8_t IllegalDataAddress = 2;
    static constexpr uint8_t IllegalDataValue = 3;

    static constexpr uint16_t MaxReadCount = 125;

    explicit SensorRegisters(const SlaveSettings& settings);

    // MODBUS access: 0 on success, otherwise the exception code.
    uint8_t Read(RegisterTable table, uint16_t first, uint16_t count, std::vector<uint16_t>& values) const;
    uint8_t Write(uint16_t reg, uint16_t value);

    // Control access: any value, no range checks; false for a register the map does not have.
    // Setting a measurement fixes the quantity so that the register now reads `value`; the
    // quantity then stops drifting but still follows its correction.
    bool Get(RegisterTable table, uint16_t reg, uint16_t& value) const;
    bool Set(RegisterTable table, uint16_t reg, uint16_t value);
    void SetIdent(const std::array<uint8_t, 8>& bytes);

    // The settings the sensor runs with (stored ones become active at a restart).
    const SlaveSettings& Active() const { return Current; }
    unsigned Restarts() const { return RestartCount; }
    void ClearRestarts() { RestartCount = 0; }

private:
    static constexpr int QuantityCount = 4;

    bool ValueOf(RegisterTable table, uint16_t reg, uint16_t& value) const;
    bool InputValue(uint16_t reg, uint16_t& value) const;
    bool HoldingValue(uint16_t reg, uint16_t& value) const;
    bool SetInput(uint16_t reg, uint16_t value);
    bool SetHolding(uint16_t reg, uint16_t value);
    uint8_t WriteCorrection(int quantity, int16_t value);
    uint8_t WriteStoredSetting(int setting, uint16_t value);
    uint8_t WriteRestart(uint16_t value);
    void Restart();
    std::array<int, QuantityCount> RawMeasurements() const;
    int16_t Measurement(int quantity) const;

    std::array<uint8_t, 8> Ident{};
    uint16_t Firmware = 0x0105;
    uint32_t SerialNumber = 123456;
    std::array<int16_t, QuantityCount> Corrections{};
    // A quantity fixed through the control interface, without its correction.
    std::array<std::optional<int>, QuantityCount> Fixed;
    // Registers 512-514 as written; their low bytes become the settings at a restart.
    std::array<uint16_t, 3> Stored{};
    SlaveSettings Current;
    unsigned RestartCount = 0;
    std::chrono::steady_clock::time_point Start;
};
