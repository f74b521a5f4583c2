// zef-bench: round trips of our link against the simulated sensor on a pseudo-terminal, next to
// the independent libmodbus master and to the physical wire time. Prints rows of a Markdown table
// (tools/bench-all adds the rows of the Windows build and prints the whole table).
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "ModbusMaster.h"
#include "PeerMaster.h"
#include "Sensor.h"
#include "SimProcess.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A character on the line: start bit, 8 data bits, parity bit, stop bit.
constexpr double BitsPerCharacter = 11;
// Reading 4 registers: an 8-byte request and a 13-byte reply.
constexpr int FourRegisterBytes = 8 + 13;
// The connect sequence: identification (4 registers), firmware (1), serial number (2), the
// sensor's settings (3), measurements (4), corrections (4); each an 8-byte request and a reply
// of 5 + 2n bytes.
constexpr int ConnectBytes = (8 + 13) + (8 + 7) + (8 + 9) + (8 + 11) + (8 + 13) + (8 + 13);

double WireMs(int bytes, int baud) { return bytes * BitsPerCharacter * 1000.0 / baud; }

// Durations of `runs` calls of `once`, in milliseconds, added to `ms`; a failed call ends the
// program.
void Sample(int runs, const std::function<bool()>& once, std::vector<double>& ms) {
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    if (!once()) {
      std::fprintf(stderr, "zef-bench: a transaction failed\n");
      std::exit(1);
    }
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
}

double Median(std::vector<double> ms) {
  std::nth_element(ms.begin(), ms.begin() + ms.size() / 2, ms.end());
  return ms[ms.size() / 2];
}

double MedianMs(int runs, const std::function<bool()>& once) {
  std::vector<double> ms;
  Sample(runs, once, ms);
  return Median(ms);
}

std::string PortName(const SimProcess& sim) { return sim.PtyPath().substr(5); }  // "/dev/pts/N" -> "pts/N"

std::vector<std::string> SimArguments(int baud, bool paced) {
  std::vector<std::string> args{"--baud", std::to_string(baud)};
  if (paced) args.push_back("--pace");
  return args;
}

void RequireReady(const SimProcess& sim) {
  if (sim.Ready()) return;
  std::fprintf(stderr, "zef-bench: zef-sim did not start\n");
  std::exit(1);
}

void SampleOurFourRegisters(const SimProcess& sim, int baud, int runs, std::vector<double>& ms) {
  ModbusMaster master;
  master.Open(("\\\\.\\" + PortName(sim)).c_str());
  master.SetLine(baud, 2);
  std::uint16_t words[4];
  Sample(runs, [&] { return master.ReadInputRegisters(1, 16, 4, words); }, ms);
}

double OurFourRegisterMs(const SimProcess& sim, int baud, int runs) {
  std::vector<double> ms;
  SampleOurFourRegisters(sim, baud, runs, ms);
  return Median(ms);
}

void Row(const std::string& what, double ours, const std::string& against, double reference) {
  std::printf("| %s | %.3f ms | %s %.3f ms | %.2f |\n", what.c_str(), ours, against.c_str(), reference, ours / reference);
}

// The two masters take turns in blocks, so that the load of the machine weighs on both alike.
void UnpacedAgainstPeer() {
  const SimProcess sim(ZEF_SIM_EXECUTABLE, SimArguments(115200, false));
  RequireReady(sim);
  const int rounds = 8, runs = 250;
  std::vector<double> ours, theirs;
  for (int round = 0; round < rounds; ++round) {
    SampleOurFourRegisters(sim, 115200, runs, ours);
    PeerMaster peer(sim.PtyPath(), 115200, 'E', 1, 500ms);
    std::uint16_t words[4];
    Sample(runs, [&] { return peer.ReadInputRegisters(16, 4, words); }, theirs);
  }
  Row("4 input registers, simulator unpaced: median round trip", Median(ours), "libmodbus", Median(theirs));
}

void PacedAgainstWire(int baud) {
  const SimProcess sim(ZEF_SIM_EXECUTABLE, SimArguments(baud, true));
  RequireReady(sim);
  const double ours = OurFourRegisterMs(sim, baud, 300);
  Row("4 input registers at " + std::to_string(baud) + " Bd, paced: median round trip", ours,
      "wire time of 21 bytes + answer delay 0 ms:", WireMs(FourRegisterBytes, baud));
}

bool Connect(Sensor& sensor, const std::string& port) {
  std::uint16_t firmware;
  std::int32_t serial;
  CommSettings settings;
  Measurements measurements;
  Corrections corrections;
  if (!sensor.Open(port.c_str())) return false;
  sensor.SetLine(19200, 2, 1);
  const char* ident = sensor.ReadIdentification();
  return ident != nullptr && std::string(ident) == "ZEF" && sensor.ReadFirmware(firmware) &&
         sensor.ReadSerialNumber(serial) && sensor.ReadCommSettings(settings) &&
         sensor.ReadMeasurements(measurements) && sensor.ReadCorrections(corrections);
}

void ConnectAgainstWire() {
  const SimProcess sim(ZEF_SIM_EXECUTABLE, SimArguments(19200, true));
  RequireReady(sim);
  Sensor sensor;
  const std::string port = PortName(sim);
  const double ours = MedianMs(30, [&] { return Connect(sensor, port); });
  Row("connect sequence (open, identification, five reads) at 19200 Bd, paced: median", ours,
      "wire time of 114 bytes + answer delays 0 ms:", WireMs(ConnectBytes, 19200));
}

}  // namespace

int main() {
  UnpacedAgainstPeer();
  PacedAgainstWire(19200);
  PacedAgainstWire(115200);
  ConnectAgainstWire();
  return 0;
}
