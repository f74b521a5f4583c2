#pragma once

#include "BaseObject.h"
#include "Win32Types.h"

// One serial device, opened exclusively by its full device path ("\\.\COM3"), with synchronous
// block reads and writes. Every operation is harmless on a closed port: it does nothing, or
// returns 0. One source per platform implements it.
class SerialPort : public BaseObject {
public:
    SerialPort() : Handle(INVALID_HANDLE_VALUE) {}
    ~SerialPort() override { Close(); }
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // True when the device could be opened. A port that is still open is closed first, so that
    // no handle is lost and the device is not held on to.
    bool Open(const char* Path);
    void Close();
    // Replaces the whole DCB flag word with Flags; the other arguments are DCB members.
    void SetState(DWORD Flags, DWORD BaudRate, BYTE ByteSize, BYTE Parity, BYTE StopBits);
    void SetTimeouts(const COMMTIMEOUTS& Timeouts);
    // Returns as soon as Count bytes have arrived, or with what arrived until the read time-out.
    DWORD Read(void* Buffer, DWORD Count);
    DWORD Write(const void* Buffer, DWORD Count);
    // PURGE_TXCLEAR and PURGE_RXCLEAR discard the output and input queues.
    void Purge(DWORD Flags);

private:
    bool IsOpen() const { return Handle != INVALID_HANDLE_VALUE; }

    HANDLE Handle;
};
