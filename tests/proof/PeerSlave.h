#pragma once
// The independent peer as a slave: a libmodbus RTU slave on a pseudo-terminal, serving the
// sensor's register layout from its own thread. A master opens PtyPath().
#include <modbus.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

class PeerSlave {
 public:
  explicit PeerSlave(int address);
  ~PeerSlave();
  PeerSlave(const PeerSlave&) = delete;
  PeerSlave& operator=(const PeerSlave&) = delete;

  const std::string& PtyPath() const { return Path; }
  void SetInput(int reg, uint16_t value);
  void SetHolding(int reg, uint16_t value);
  uint16_t Input(int reg);
  uint16_t Holding(int reg);

 private:
  void Serve();
  uint16_t& Register(uint16_t* table, int start, int count, int reg);

  int MasterFd = -1;     // the pty's master side, where the peer reads requests and writes replies
  int KeepOpenFd = -1;   // the slave side held open, so the master side never sees a hang-up
  std::string Path;
  modbus_t* Context = nullptr;
  modbus_mapping_t* Map = nullptr;
  std::mutex MapLock;    // the test thread sets and reads registers while the peer serves
  std::atomic<bool> Stopping{false};
  std::thread Server;
};
