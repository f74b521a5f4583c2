#pragma once
// The independent peer as a master: a libmodbus RTU master on a serial device path.
#include <modbus.h>

#include <chrono>
#include <cstdint>
#include <string>

class PeerMaster {
 public:
  // Opens `path` at `baud` with parity 'N', 'E' or 'O'; replies are awaited for `timeout`.
  PeerMaster(const std::string& path, int baud, char parity, int address, std::chrono::milliseconds timeout);
  ~PeerMaster();
  PeerMaster(const PeerMaster&) = delete;
  PeerMaster& operator=(const PeerMaster&) = delete;

  // Each is one transaction; false on any failure (no reply, damaged reply, exception).
  bool ReadInputRegisters(int reg, int count, uint16_t* dest);
  bool ReadHoldingRegisters(int reg, int count, uint16_t* dest);
  bool WriteSingleRegister(int reg, uint16_t value);

 private:
  modbus_t* Context = nullptr;
};
