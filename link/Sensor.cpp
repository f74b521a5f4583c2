#include "Sensor.h"

#include <cstring>

namespace {

// The sensor's registers, as MODBUS addresses.
namespace Register {
constexpr std::uint16_t Identification = 0;       // input, 4: two characters each, the earlier one high
constexpr std::uint16_t Firmware = 4;             // input, 1
constexpr std::uint16_t SerialNumber = 5;         // input, 2: the high word first
constexpr std::uint16_t Measurements = 16;        // input, 4: in the field order of Measurements
constexpr std::uint16_t Corrections = 256;        // holding, 4: in the field order of Corrections
constexpr std::uint16_t TemperatureCorrection = 256;
constexpr std::uint16_t RelHumidityCorrection = 257;
constexpr std::uint16_t AbsHumidityCorrection = 258;
constexpr std::uint16_t DewPointCorrection = 259;
constexpr std::uint16_t CommSettings = 512;       // holding, 3: the settings in their low bytes
constexpr std::uint16_t Address = 512;
constexpr std::uint16_t BaudIndex = 513;
constexpr std::uint16_t ParityIndex = 514;
constexpr std::uint16_t Restart = 1040;
}  // namespace Register

constexpr std::uint16_t IdentRegisters = 4;
constexpr std::uint16_t RecordRegisters = 4;  // Measurements and Corrections
constexpr std::uint16_t SettingsRegisters = 3;
constexpr std::uint16_t RestartCommand = 0x55AA;

constexpr char PathPrefix[] = "\\\\.\\";  // \\.\ before the port name

}  // namespace

static_assert(sizeof PathPrefix - 1 + Sensor::MaxNameLength + 1 == 16, "the device path buffer");
static_assert(sizeof(Measurements) == RecordRegisters * 2 && sizeof(Corrections) == RecordRegisters * 2,
              "one register per field");

Sensor::Sensor() : IdentText{}, Master(std::make_unique<ModbusMaster>()), Address(0) {}

Sensor::~Sensor() { Close(); }

bool Sensor::Open(const char* Name) {
    if (Name == nullptr || Name[0] == '\0' || std::strlen(Name) > MaxNameLength)
        return false;
    Close();
    char path[PathSize] = {};
    std::memcpy(path, PathPrefix, sizeof PathPrefix - 1);
    std::memcpy(path + sizeof PathPrefix - 1, Name, std::strlen(Name));
    return Master->Open(path);
}

void Sensor::Close() { Master->Close(); }

void Sensor::SetLine(DWORD BaudRate, BYTE Parity, std::uint8_t SlaveAddress) {
    Master->SetLine(BaudRate, Parity);
    Address = SlaveAddress;
}

int Sensor::GetLastException() const { return Master->GetLastException(); }

const char* Sensor::ReadIdentification() {
    std::uint16_t words[IdentRegisters];
    if (!Master->ReadInputRegisters(Address, Register::Identification, IdentRegisters, words))
        return nullptr;
    // The characters in the order of the wire: each register's high byte first.
    for (std::size_t i = 0; i < IdentRegisters; ++i) {
        IdentText[2 * i] = static_cast<char>(words[i] >> 8);
        IdentText[2 * i + 1] = static_cast<char>(words[i] & 0xFF);
    }
    return IdentText;
}

bool Sensor::ReadFirmware(std::uint16_t& Firmware) {
    return Master->ReadInputRegisters(Address, Register::Firmware, 1, &Firmware);
}

bool Sensor::ReadSerialNumber(std::int32_t& SerialNumber) {
    std::uint16_t words[2];
    if (!Master->ReadInputRegisters(Address, Register::SerialNumber, 2, words))
        return false;
    SerialNumber = static_cast<std::int32_t>(std::uint32_t{words[0]} << 16 | words[1]);
    return true;
}

bool Sensor::ReadMeasurements(Measurements& Values) {
    std::uint16_t words[RecordRegisters];
    if (!Master->ReadInputRegisters(Address, Register::Measurements, RecordRegisters, words))
        return false;
    Values = {static_cast<std::int16_t>(words[0]), static_cast<std::int16_t>(words[1]),
              static_cast<std::int16_t>(words[2]), static_cast<std::int16_t>(words[3])};
    return true;
}

bool Sensor::ReadCorrections(Corrections& Values) {
    std::uint16_t words[RecordRegisters];
    if (!Master->ReadHoldingRegisters(Address, Register::Corrections, RecordRegisters, words))
        return false;
    Values = {static_cast<std::int16_t>(words[0]), static_cast<std::int16_t>(words[1]),
              static_cast<std::int16_t>(words[2]), static_cast<std::int16_t>(words[3])};
    return true;
}

bool Sensor::ReadCommSettings(CommSettings& Settings) {
    std::uint16_t words[SettingsRegisters];
    if (!Master->ReadHoldingRegisters(Address, Register::CommSettings, SettingsRegisters, words))
        return false;
    // Only the low bytes carry the settings.
    Settings = {static_cast<std::uint8_t>(words[0]), static_cast<std::uint8_t>(words[1]),
                static_cast<std::uint8_t>(words[2])};
    return true;
}

bool Sensor::WriteTemperatureCorrection(std::int16_t Value) {
    return WriteRegister(Register::TemperatureCorrection, static_cast<std::uint16_t>(Value));
}

bool Sensor::WriteRelHumidityCorrection(std::int16_t Value) {
    return WriteRegister(Register::RelHumidityCorrection, static_cast<std::uint16_t>(Value));
}

bool Sensor::WriteAbsHumidityCorrection(std::int16_t Value) {
    return WriteRegister(Register::AbsHumidityCorrection, static_cast<std::uint16_t>(Value));
}

bool Sensor::WriteDewPointCorrection(std::int16_t Value) {
    return WriteRegister(Register::DewPointCorrection, static_cast<std::uint16_t>(Value));
}

bool Sensor::WriteAddress(std::uint8_t Value) { return WriteRegister(Register::Address, Value); }

bool Sensor::WriteBaudIndex(std::uint8_t Value) { return WriteRegister(Register::BaudIndex, Value); }

bool Sensor::WriteParityIndex(std::uint8_t Value) { return WriteRegister(Register::ParityIndex, Value); }

bool Sensor::Restart() { return WriteRegister(Register::Restart, RestartCommand); }

bool Sensor::WriteRegister(std::uint16_t Number, std::uint16_t Value) {
    return Master->WriteSingleRegister(Address, Number, Value);
}
