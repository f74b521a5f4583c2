#include "RecordingSerialPort.h"
#include "SerialPort.h"

#include <algorithm>

PortRecord& RecordedPort() {
    static PortRecord record;
    return record;
}

bool SerialPort::Open(const char* Path) {
    RecordedPort().Calls.push_back(std::string("Open ") + Path);
    Handle = reinterpret_cast<HANDLE>(&RecordedPort());
    return true;
}

void SerialPort::Close() { Handle = INVALID_HANDLE_VALUE; }

void SerialPort::SetState(DWORD Flags, DWORD BaudRate, BYTE ByteSize, BYTE Parity, BYTE StopBits) {
    RecordedPort().Calls.push_back("SetState " + std::to_string(Flags) + " " + std::to_string(BaudRate) + " " +
                                   std::to_string(ByteSize) + " " + std::to_string(Parity) + " " +
                                   std::to_string(StopBits));
}

void SerialPort::SetTimeouts(const COMMTIMEOUTS& Timeouts) {
    RecordedPort().Calls.push_back(
        "SetTimeouts " + std::to_string(Timeouts.ReadIntervalTimeout) + " " +
        std::to_string(Timeouts.ReadTotalTimeoutMultiplier) + " " + std::to_string(Timeouts.ReadTotalTimeoutConstant) +
        " " + std::to_string(Timeouts.WriteTotalTimeoutMultiplier) + " " +
        std::to_string(Timeouts.WriteTotalTimeoutConstant));
}

DWORD SerialPort::Read(void* Buffer, DWORD Count) {
    PortRecord& record = RecordedPort();
    std::size_t n = std::min<std::size_t>(Count, record.Incoming.size());
    if (record.ChunkSize != 0)
        n = std::min(n, record.ChunkSize);
    std::copy_n(record.Incoming.begin(), n, static_cast<std::uint8_t*>(Buffer));
    record.Incoming.erase(record.Incoming.begin(), record.Incoming.begin() + n);
    record.Calls.push_back("Read " + std::to_string(Count) + " -> " + std::to_string(n));
    return static_cast<DWORD>(n);
}

DWORD SerialPort::Write(const void* Buffer, DWORD Count) {
    PortRecord& record = RecordedPort();
    record.Calls.push_back("Write " + ToHex(static_cast<const std::uint8_t*>(Buffer), Count));
    record.Incoming.insert(record.Incoming.end(), record.Reply.begin(), record.Reply.end());
    record.Reply.clear();
    return Count;
}

void SerialPort::Purge(DWORD Flags) { RecordedPort().Calls.push_back("Purge " + std::to_string(Flags)); }
