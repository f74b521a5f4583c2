#include "SensorRegisters.h"

#include "Climate.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Input registers.
constexpr uint16_t IdentFirst = 0;
constexpr uint16_t IdentCount = 4;
constexpr uint16_t FirmwareRegister = 4;
constexpr uint16_t SerialHigh = 5;
constexpr uint16_t SerialLow = 6;
constexpr uint16_t MeasurementFirst = 16;

// Holding registers.
constexpr uint16_t CorrectionFirst = 256;
constexpr uint16_t StoredFirst = 512;
constexpr uint16_t RestartRegister = 1040;
constexpr uint16_t RestartValue = 0x55AA;

constexpr int Temperature = 0;
constexpr int RelHumidity = 1;
constexpr int AbsHumidity = 2;
constexpr int DewPoint = 3;

// Largest plausible correction of each quantity, in hundredths.
constexpr int CorrectionLimit[] = {1000, 2000, 500, 1000};

constexpr int StoredAddress = 0;
constexpr int StoredBaudIndex = 1;
constexpr int StoredParityIndex = 2;

bool InBlock(uint16_t reg, uint16_t first, int count)
{
    return reg >= first && reg < first + count;
}

int16_t Saturated(int value)
{
    return static_cast<int16_t>(std::clamp(value, -32768, 32767));
}

bool StoredValueValid(int setting, unsigned value)
{
    switch (setting) {
    case StoredAddress:
        return value >= 1 && value <= SlaveSettings::MaxAddress;
    case StoredBaudIndex:
        return value < SlaveSettings::BaudCount;
    default:
        return value < SlaveSettings::ParityCount;
    }
}

}  // namespace

SensorRegisters::SensorRegisters(const SlaveSettings& settings)
    : Ident{'Z', 'E', 'F'},
      Stored{settings.Address, settings.BaudIndex, settings.ParityIndex},
      Current(settings),
      Start(std::chrono::steady_clock::now())
{
}

uint8_t SensorRegisters::Read(RegisterTable table, uint16_t first, uint16_t count,
                              std::vector<uint16_t>& values) const
{
    if (count == 0 || count > MaxReadCount)
        return IllegalDataValue;
    values.clear();
    for (unsigned reg = first; reg < unsigned(first) + count; ++reg) {
        uint16_t value = 0;
        if (reg > 0xFFFF || !ValueOf(table, static_cast<uint16_t>(reg), value))
            return IllegalDataAddress;
        values.push_back(value);
    }
    return 0;
}

uint8_t SensorRegisters::Write(uint16_t reg, uint16_t value)
{
    if (InBlock(reg, CorrectionFirst, QuantityCount))
        return WriteCorrection(reg - CorrectionFirst, static_cast<int16_t>(value));
    if (InBlock(reg, StoredFirst, int(Stored.size())))
        return WriteStoredSetting(reg - StoredFirst, value);
    if (reg == RestartRegister)
        return WriteRestart(value);
    return IllegalDataAddress;
}

bool SensorRegisters::Get(RegisterTable table, uint16_t reg, uint16_t& value) const
{
    return ValueOf(table, reg, value);
}

bool SensorRegisters::Set(RegisterTable table, uint16_t reg, uint16_t value)
{
    return table == RegisterTable::Input ? SetInput(reg, value) : SetHolding(reg, value);
}

void SensorRegisters::SetIdent(const std::array<uint8_t, 8>& bytes)
{
    Ident = bytes;
}

bool SensorRegisters::ValueOf(RegisterTable table, uint16_t reg, uint16_t& value) const
{
    return table == RegisterTable::Input ? InputValue(reg, value) : HoldingValue(reg, value);
}

bool SensorRegisters::InputValue(uint16_t reg, uint16_t& value) const
{
    if (InBlock(reg, IdentFirst, IdentCount)) {
        const int byte = (reg - IdentFirst) * 2;
        value = static_cast<uint16_t>(Ident[byte] << 8 | Ident[byte + 1]);
    } else if (reg == FirmwareRegister) {
        value = Firmware;
    } else if (reg == SerialHigh) {
        value = static_cast<uint16_t>(SerialNumber >> 16);
    } else if (reg == SerialLow) {
        value = static_cast<uint16_t>(SerialNumber);
    } else if (InBlock(reg, MeasurementFirst, QuantityCount)) {
        value = static_cast<uint16_t>(Measurement(reg - MeasurementFirst));
    } else {
        return false;
    }
    return true;
}

bool SensorRegisters::HoldingValue(uint16_t reg, uint16_t& value) const
{
    if (InBlock(reg, CorrectionFirst, QuantityCount))
        value = static_cast<uint16_t>(Corrections[reg - CorrectionFirst]);
    else if (InBlock(reg, StoredFirst, int(Stored.size())))
        value = Stored[reg - StoredFirst];
    else
        return false;
    return true;
}

bool SensorRegisters::SetInput(uint16_t reg, uint16_t value)
{
    if (InBlock(reg, IdentFirst, IdentCount)) {
        const int byte = (reg - IdentFirst) * 2;
        Ident[byte] = static_cast<uint8_t>(value >> 8);
        Ident[byte + 1] = static_cast<uint8_t>(value);
    } else if (reg == FirmwareRegister) {
        Firmware = value;
    } else if (reg == SerialHigh) {
        SerialNumber = (SerialNumber & 0xFFFF) | uint32_t(value) << 16;
    } else if (reg == SerialLow) {
        SerialNumber = (SerialNumber & 0xFFFF0000) | value;
    } else if (InBlock(reg, MeasurementFirst, QuantityCount)) {
        const int quantity = reg - MeasurementFirst;
        Fixed[quantity] = static_cast<int16_t>(value) - Corrections[quantity];
    } else {
        return false;
    }
    return true;
}

bool SensorRegisters::SetHolding(uint16_t reg, uint16_t value)
{
    if (InBlock(reg, CorrectionFirst, QuantityCount))
        Corrections[reg - CorrectionFirst] = static_cast<int16_t>(value);
    else if (InBlock(reg, StoredFirst, int(Stored.size())))
        Stored[reg - StoredFirst] = value;
    else
        return false;
    return true;
}

uint8_t SensorRegisters::WriteCorrection(int quantity, int16_t value)
{
    if (std::abs(int(value)) > CorrectionLimit[quantity])
        return IllegalDataValue;
    Corrections[quantity] = value;
    return 0;
}

uint8_t SensorRegisters::WriteStoredSetting(int setting, uint16_t value)
{
    if (!StoredValueValid(setting, value))
        return IllegalDataValue;
    Stored[setting] = value;
    return 0;
}

uint8_t SensorRegisters::WriteRestart(uint16_t value)
{
    if (value != RestartValue)
        return IllegalDataValue;
    Restart();
    return 0;
}

// Only the low byte of a stored register counts, as the tool reads it; a setting that is out of
// range (possible only through the control interface) leaves the running one as it is.
void SensorRegisters::Restart()
{
    const uint8_t address = static_cast<uint8_t>(Stored[StoredAddress]);
    const uint8_t baudIndex = static_cast<uint8_t>(Stored[StoredBaudIndex]);
    const uint8_t parityIndex = static_cast<uint8_t>(Stored[StoredParityIndex]);
    if (StoredValueValid(StoredAddress, address))
        Current.Address = address;
    if (StoredValueValid(StoredBaudIndex, baudIndex))
        Current.BaudIndex = baudIndex;
    if (StoredValueValid(StoredParityIndex, parityIndex))
        Current.ParityIndex = parityIndex;
    ++RestartCount;
}

std::array<int, SensorRegisters::QuantityCount> SensorRegisters::RawMeasurements() const
{
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    std::array<int, QuantityCount> raw{};
    raw[Temperature] = Fixed[Temperature].value_or(Climate::Temperature(seconds));
    raw[RelHumidity] = Fixed[RelHumidity].value_or(Climate::RelHumidity(seconds));
    raw[AbsHumidity] = Fixed[AbsHumidity].value_or(Climate::AbsHumidity(raw[Temperature], raw[RelHumidity]));
    raw[DewPoint] = Fixed[DewPoint].value_or(Climate::DewPoint(raw[Temperature], raw[RelHumidity]));
    return raw;
}

int16_t SensorRegisters::Measurement(int quantity) const
{
    return Saturated(RawMeasurements()[quantity] + Corrections[quantity]);
}
