#include "SerialPort.h"

#include <cstddef>
#include <cstring>

namespace {

// The flag word follows BaudRate and is followed by wReserved: it is replaced as one 32-bit value.
constexpr std::size_t FlagWordOffset = offsetof(DCB, BaudRate) + sizeof(DWORD);
static_assert(sizeof(DCB) == 28, "DCB as the driver knows it");
static_assert(offsetof(DCB, wReserved) == FlagWordOffset + sizeof(DWORD), "one 32-bit flag word");

}  // namespace

bool SerialPort::Open(const char* Path) {
    Close();
    // Exclusive (share mode 0) and synchronous (no FILE_FLAG_OVERLAPPED).
    Handle = CreateFileA(Path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    return IsOpen();
}

void SerialPort::Close() {
    if (!IsOpen())
        return;
    CloseHandle(Handle);
    Handle = INVALID_HANDLE_VALUE;
}

void SerialPort::SetState(DWORD Flags, DWORD BaudRate, BYTE ByteSize, BYTE Parity, BYTE StopBits) {
    if (!IsOpen())
        return;
    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    // Keeps the driver's characters and limits; after a failure they stay zero.
    GetCommState(Handle, &dcb);
    dcb.BaudRate = BaudRate;
    std::memcpy(reinterpret_cast<char*>(&dcb) + FlagWordOffset, &Flags, sizeof Flags);
    dcb.ByteSize = ByteSize;
    dcb.Parity = Parity;
    dcb.StopBits = StopBits;
    SetCommState(Handle, &dcb);
}

void SerialPort::SetTimeouts(const COMMTIMEOUTS& Timeouts) {
    if (!IsOpen())
        return;
    SetCommTimeouts(Handle, const_cast<COMMTIMEOUTS*>(&Timeouts));
}

DWORD SerialPort::Read(void* Buffer, DWORD Count) {
    if (!IsOpen())
        return 0;
    // ReadFile sets the count to 0 before it starts, so a failed read yields 0.
    DWORD received = 0;
    ReadFile(Handle, Buffer, Count, &received, nullptr);
    return received;
}

DWORD SerialPort::Write(const void* Buffer, DWORD Count) {
    if (!IsOpen())
        return 0;
    DWORD written = 0;
    WriteFile(Handle, Buffer, Count, &written, nullptr);
    return written;
}

void SerialPort::Purge(DWORD Flags) {
    if (!IsOpen())
        return;
    PurgeComm(Handle, Flags);
}
