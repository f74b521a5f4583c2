#include "PeerMaster.h"

#include <cerrno>
#include <stdexcept>

PeerMaster::PeerMaster(const std::string& path, int baud, char parity, int address,
                       std::chrono::milliseconds timeout) {
  Context = modbus_new_rtu(path.c_str(), baud, parity, 8, 1);
  if (Context == nullptr || modbus_set_slave(Context, address) != 0 || modbus_connect(Context) != 0) {
    const std::string reason = modbus_strerror(errno);
    modbus_free(Context);
    throw std::runtime_error("peer master: " + path + ": " + reason);
  }
  const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(timeout).count();
  modbus_set_response_timeout(Context, micros / 1000000, micros % 1000000);
}

PeerMaster::~PeerMaster() {
  modbus_close(Context);
  modbus_free(Context);
}

bool PeerMaster::ReadInputRegisters(int reg, int count, uint16_t* dest) {
  return modbus_read_input_registers(Context, reg, count, dest) == count;
}

bool PeerMaster::ReadHoldingRegisters(int reg, int count, uint16_t* dest) {
  return modbus_read_registers(Context, reg, count, dest) == count;
}

bool PeerMaster::WriteSingleRegister(int reg, uint16_t value) {
  return modbus_write_register(Context, reg, value) == 1;
}
