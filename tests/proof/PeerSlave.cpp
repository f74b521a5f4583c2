#include "PeerSlave.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

namespace {
// The sensor's register layout: input registers 0-19, holding registers 256-1040.
constexpr int InputStart = 0;
constexpr int InputCount = 20;
constexpr int HoldingStart = 256;
constexpr int HoldingCount = 1040 - 256 + 1;

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error("peer slave: " + what + ": " + modbus_strerror(errno));
}
}  // namespace

PeerSlave::PeerSlave(int address) {
  MasterFd = posix_openpt(O_RDWR | O_NOCTTY);
  if (MasterFd < 0 || grantpt(MasterFd) != 0 || unlockpt(MasterFd) != 0) Fail("posix_openpt");
  Path = ptsname(MasterFd);
  KeepOpenFd = open(Path.c_str(), O_RDWR | O_NOCTTY);
  if (KeepOpenFd < 0) Fail("open " + Path);
  termios raw{};
  tcgetattr(KeepOpenFd, &raw);
  cfmakeraw(&raw);
  tcsetattr(KeepOpenFd, TCSANOW, &raw);

  // The context never opens a device: it is handed the pty's master side.
  Context = modbus_new_rtu("/dev/null", 19200, 'E', 8, 1);
  if (Context == nullptr) Fail("modbus_new_rtu");
  modbus_set_slave(Context, address);
  modbus_set_socket(Context, MasterFd);
  // Wake up now and then to notice the end of the test.
  modbus_set_indication_timeout(Context, 0, 50000);
  Map = modbus_mapping_new_start_address(0, 0, 0, 0, HoldingStart, HoldingCount, InputStart, InputCount);
  if (Map == nullptr) Fail("modbus_mapping_new");
  Server = std::thread(&PeerSlave::Serve, this);
}

PeerSlave::~PeerSlave() {
  Stopping = true;
  Server.join();
  modbus_mapping_free(Map);
  modbus_free(Context);  // does not close the descriptor it was handed
  close(KeepOpenFd);
  close(MasterFd);
}

void PeerSlave::Serve() {
  uint8_t request[MODBUS_RTU_MAX_ADU_LENGTH];
  while (!Stopping) {
    const int length = modbus_receive(Context, request);
    if (length <= 0) continue;  // time-out, a frame for another slave, or a damaged frame
    std::lock_guard<std::mutex> hold(MapLock);
    modbus_reply(Context, request, length, Map);
  }
}

uint16_t& PeerSlave::Register(uint16_t* table, int start, int count, int reg) {
  if (reg < start || reg >= start + count) throw std::out_of_range("peer slave: register " + std::to_string(reg));
  return table[reg - start];
}

void PeerSlave::SetInput(int reg, uint16_t value) {
  std::lock_guard<std::mutex> hold(MapLock);
  Register(Map->tab_input_registers, InputStart, InputCount, reg) = value;
}

void PeerSlave::SetHolding(int reg, uint16_t value) {
  std::lock_guard<std::mutex> hold(MapLock);
  Register(Map->tab_registers, HoldingStart, HoldingCount, reg) = value;
}

uint16_t PeerSlave::Input(int reg) {
  std::lock_guard<std::mutex> hold(MapLock);
  return Register(Map->tab_input_registers, InputStart, InputCount, reg);
}

uint16_t PeerSlave::Holding(int reg) {
  std::lock_guard<std::mutex> hold(MapLock);
  return Register(Map->tab_registers, HoldingStart, HoldingCount, reg);
}
