#pragma once

#include "BaseObject.h"
#include "CommSettings.h"
#include "Corrections.h"
#include "Measurements.h"
#include "ModbusMaster.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// The one ZEF sensor that the tool talks to: a MODBUS RTU slave at Address on a serial port
// named by the operator, with one operation per register group. Each operation is one
// transaction; a read that fails leaves its out-argument untouched.
class Sensor : public BaseObject {
public:
    // "\\.\", the name and its terminator fill the device path buffer.
    static constexpr std::size_t MaxNameLength = 11;

    Sensor();
    ~Sensor() override;
    Sensor(const Sensor&) = delete;
    Sensor& operator=(const Sensor&) = delete;

    // Opens the port "\\.\Name", closing the one open before. An empty name or one longer than
    // MaxNameLength is refused without touching the open port.
    bool Open(const char* Name);
    void Close();
    // Baud rate and Win32 parity code for the line; Address for every following request.
    void SetLine(DWORD BaudRate, BYTE Parity, std::uint8_t SlaveAddress);
    // Right after a failure: the sensor's exception code, or 0 when no valid reply came.
    int GetLastException() const;

    // The identification text (at most 8 characters, zero-terminated), valid until the next
    // call; nullptr on failure, and the text of the last success stays.
    const char* ReadIdentification();
    // High byte major, low byte minor version.
    bool ReadFirmware(std::uint16_t& Firmware);
    bool ReadSerialNumber(std::int32_t& SerialNumber);
    bool ReadMeasurements(Measurements& Values);
    bool ReadCorrections(Corrections& Values);
    bool ReadCommSettings(CommSettings& Settings);

    // Corrections in signed hundredths.
    bool WriteTemperatureCorrection(std::int16_t Value);
    bool WriteRelHumidityCorrection(std::int16_t Value);
    bool WriteAbsHumidityCorrection(std::int16_t Value);
    bool WriteDewPointCorrection(std::int16_t Value);
    // The sensor's stored settings; they take effect when it restarts.
    bool WriteAddress(std::uint8_t Value);
    bool WriteBaudIndex(std::uint8_t Value);
    bool WriteParityIndex(std::uint8_t Value);
    bool Restart();

private:
    static constexpr std::size_t PathSize = 16;
    static constexpr std::size_t IdentLength = 8;

    bool WriteRegister(std::uint16_t Number, std::uint16_t Value);

    char IdentText[16];  // only the first IdentLength bytes are ever written
    std::unique_ptr<ModbusMaster> Master;
    std::uint8_t Address;
};
