#pragma once

// The Win32 communications types and constants that the link uses. On Windows they are the
// platform's own; elsewhere these stand-ins carry the same values, and the serial port's POSIX
// source gives them their meaning.

#if defined(_WIN32)

#include <windows.h>

#else

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;

// An open port: its file descriptor and the time-outs, which a Win32 driver keeps with the handle.
struct PosixSerialDevice;
using HANDLE = PosixSerialDevice*;
inline constexpr HANDLE INVALID_HANDLE_VALUE = nullptr;

struct COMMTIMEOUTS {
    DWORD ReadIntervalTimeout;          // not used by this system, and not emulated
    DWORD ReadTotalTimeoutMultiplier;   // ms per byte asked
    DWORD ReadTotalTimeoutConstant;     // ms per read
    DWORD WriteTotalTimeoutMultiplier;  // ms per byte written
    DWORD WriteTotalTimeoutConstant;    // ms per write
};

// Parity codes of the DCB.
inline constexpr BYTE NOPARITY = 0;
inline constexpr BYTE ODDPARITY = 1;
inline constexpr BYTE EVENPARITY = 2;
inline constexpr BYTE MARKPARITY = 3;
inline constexpr BYTE SPACEPARITY = 4;

// The DCB stop-bit code for one stop bit.
inline constexpr BYTE ONESTOPBIT = 0;

// Values of the two-bit fields fDtrControl and fRtsControl.
inline constexpr DWORD DTR_CONTROL_ENABLE = 1;
inline constexpr DWORD RTS_CONTROL_ENABLE = 1;

// PurgeComm flags.
inline constexpr DWORD PURGE_TXCLEAR = 0x0004;
inline constexpr DWORD PURGE_RXCLEAR = 0x0008;

#endif

// The 32-bit flag word of a DCB (the bit fields fBinary ... fAbortOnError), as one value.
namespace DcbFlag {
inline constexpr DWORD Binary = 1u << 0;          // fBinary: no end-of-file check
inline constexpr DWORD Parity = 1u << 1;          // fParity: check parity on receive
inline constexpr unsigned DtrControlShift = 4;    // fDtrControl: 2 bits
inline constexpr unsigned RtsControlShift = 12;   // fRtsControl: 2 bits
inline constexpr DWORD ControlMask = 3;           // the width of fDtrControl and fRtsControl
}  // namespace DcbFlag
