// The serial port as a test double: the same class, whose transfers go to the fuzzer's
// ScriptedLine instead of a device. Linked in place of the platform's source.
#include "ScriptedLine.h"
#include "SerialPort.h"

// The handle of the open double; it carries nothing.
struct PosixSerialDevice {};

namespace {
PosixSerialDevice TheDevice;
}

bool SerialPort::Open(const char*) {
  Close();
  Handle = &TheDevice;
  return true;
}

void SerialPort::Close() { Handle = INVALID_HANDLE_VALUE; }

void SerialPort::SetState(DWORD, DWORD, BYTE, BYTE, BYTE) {}

void SerialPort::SetTimeouts(const COMMTIMEOUTS&) {}

DWORD SerialPort::Read(void* Buffer, DWORD Count) {
  return IsOpen() ? ScriptedLine::Current().Read(Buffer, Count) : 0;
}

DWORD SerialPort::Write(const void* Buffer, DWORD Count) {
  return IsOpen() ? ScriptedLine::Current().Write(Buffer, Count) : 0;
}

void SerialPort::Purge(DWORD Flags) {
  if (IsOpen()) ScriptedLine::Current().Purge(Flags);
}
