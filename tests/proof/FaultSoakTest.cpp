// A long run of transactions against the simulated sensor at 115200 Bd with faults injected at
// random, at a fixed seed: no reply, a corrupted byte, an exception, a reply after the time-out,
// surplus bytes after the reply, a delay within the time-out. Before each transaction the
// registers it touches get new values, so that a stale or damaged reply taken for good shows.
// No value may be accepted that differs from the simulator's register, every failure must be of
// the right kind (the injected exception code, else 0), and no transaction may outlast the
// time-out bound. ZEF_SOAK_TRANSACTIONS sets the length of the run (default 5000).
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "ModbusMaster.h"
#include "SimClient.h"
#include "SimProcess.h"

namespace {

using Clock = std::chrono::steady_clock;

// The master gives up on a reply after 5 × 1 + 102 ms at 115200 Bd. A late reply comes after
// that, but within the one further read time-out for which the master waits for it before its
// next request (a reply later still, no master can tell from the next one). A delayed reply
// comes well within the time-out.
constexpr unsigned TimeOutMs = 107;
// Generous: one write and two reads with their time-outs stay far below it.
constexpr double BoundMs = 1000;

enum Kind { None, NoReply, Corrupt, Exception, Late, Surplus, Delay, KindCount };
const char* const KindNames[KindCount] = {"none", "noreply", "corrupt", "exception", "late", "surplus", "delay"};

struct Fault {
  Kind Type = None;
  unsigned Argument = 0;
  bool MustSucceed() const { return Type == None || Type == Surplus || Type == Delay; }
  // The exception code a failure must report.
  int Code() const { return Type == Exception ? static_cast<int>(Argument) : 0; }
  std::string Command() const {
    switch (Type) {
      case NoReply: return "noreply count 1";
      case Corrupt: return "corrupt count 1";
      case Exception: return "exception " + std::to_string(Argument) + " count 1";
      case Surplus: return "surplus " + std::to_string(Argument) + " count 1";
      default: return "late " + std::to_string(Argument) + " count 1";  // late and delay
    }
  }
};

// One row of the report: what happened to the transactions that met one kind of fault.
struct Row {
  int Injected = 0;
  int Succeeded = 0;
  int FailedRightKind = 0;  // with the injected exception code, or 0
  int WrongKind = 0;        // a failure with another code, or a success where none may be
  int WrongValue = 0;       // a success with values that the simulator does not hold
  double MaxMs = 0;
};

class FaultSoak : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Sim.Ready());
    ASSERT_TRUE(Control.Connect(Sim.ControlAddress()));
    ASSERT_TRUE(Master.Open(("\\\\.\\" + Sim.PtyPath().substr(5)).c_str()));
    Master.SetLine(115200, 2);
  }

  Fault NextFault() {
    Fault f;
    // Mostly no fault; each fault kind about one transaction in fifty.
    const int pick = std::uniform_int_distribution<int>(0, 49)(Random);
    f.Type = pick < KindCount - 1 ? static_cast<Kind>(pick + 1) : None;
    switch (f.Type) {
      case Exception: f.Argument = std::uniform_int_distribution<unsigned>(1, 255)(Random); break;
      case Late: f.Argument = std::uniform_int_distribution<unsigned>(TimeOutMs + 40, TimeOutMs + 60)(Random); break;
      case Surplus: f.Argument = std::uniform_int_distribution<unsigned>(1, 20)(Random); break;
      case Delay: f.Argument = std::uniform_int_distribution<unsigned>(1, 30)(Random); break;
      default: break;
    }
    return f;
  }

  std::uint16_t RandomWord() { return static_cast<std::uint16_t>(Random()); }

  // One transaction of a random kind; returns whether it succeeded, and counts a wrong value.
  bool Transact(Row& row) {
    std::array<std::uint16_t, 4> held{}, got{};
    switch (std::uniform_int_distribution<int>(0, 2)(Random)) {
      case 0:
        for (std::uint16_t i = 0; i < 4; ++i) Control.Set(RegisterTable::Input, i, held[i] = RandomWord());
        if (!Master.ReadInputRegisters(1, 0, 4, got.data())) return false;
        break;
      case 1:
        for (std::uint16_t i = 0; i < 4; ++i) Control.Set(RegisterTable::Holding, 256 + i, held[i] = RandomWord());
        if (!Master.ReadHoldingRegisters(1, 256, 4, got.data())) return false;
        break;
      default: {
        // A plausible relative humidity correction, written; the simulator must hold it.
        const auto value = static_cast<std::uint16_t>(std::uniform_int_distribution<int>(-2000, 2000)(Random));
        if (!Master.WriteSingleRegister(1, 257, value)) return false;
        held[0] = value;
        got[0] = Control.Get(RegisterTable::Holding, 257);
        break;
      }
    }
    if (got != held) ++row.WrongValue;
    return true;
  }

  void RunOne() {
    const Fault fault = NextFault();
    Row& row = Rows[fault.Type];
    ++row.Injected;
    if (fault.Type != None) {
      ASSERT_TRUE(Control.Fault(fault.Command())) << fault.Command() << ": " << Control.LastReply();
    }
    const auto start = Clock::now();
    const bool ok = Transact(row);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    row.MaxMs = std::max(row.MaxMs, ms);
    if (ok) {
      ++row.Succeeded;
      if (!fault.MustSucceed()) ++row.WrongKind;
    } else if (Master.GetLastException() == fault.Code()) {
      ++row.FailedRightKind;
    } else {
      ++row.WrongKind;
    }
  }

  void Report(int transactions) const {
    std::printf("fault soak: %d transactions at 115200 Bd, seed %u\n", transactions, Seed);
    std::printf("| fault | injected | succeeded | failed, right kind | wrong kind | wrong value | max ms |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|\n");
    for (int k = 0; k < KindCount; ++k) {
      const Row& r = Rows[k];
      std::printf("| %s | %d | %d | %d | %d | %d | %.1f |\n", KindNames[k], r.Injected, r.Succeeded,
                  r.FailedRightKind, r.WrongKind, r.WrongValue, r.MaxMs);
    }
    std::fflush(stdout);
  }

  static constexpr unsigned Seed = 20261211;
  std::mt19937 Random{Seed};
  SimProcess Sim{ZEF_SIM_EXECUTABLE, {"--baud", "115200"}};
  SimClient Control;
  ModbusMaster Master;
  std::array<Row, KindCount> Rows{};
};

TEST_F(FaultSoak, NoWrongValueNoWrongKindNoHang) {
  const char* length = std::getenv("ZEF_SOAK_TRANSACTIONS");
  const int transactions = length ? std::atoi(length) : 5000;
  for (int i = 0; i < transactions; ++i) ASSERT_NO_FATAL_FAILURE(RunOne());
  Report(transactions);

  // A late reply or surplus bytes may still cost the next transaction (refused, with code 0).
  const int disturbing = Rows[Late].Injected + Rows[Surplus].Injected;
  for (int k = 0; k < KindCount; ++k) {
    const Row& r = Rows[k];
    EXPECT_EQ(0, r.WrongValue) << KindNames[k] << ": values accepted that the simulator does not hold";
    if (k == None) {
      EXPECT_LE(r.Injected - r.Succeeded, disturbing) << "failures without a fault";
    } else {
      EXPECT_EQ(0, r.WrongKind) << KindNames[k] << ": failures of the wrong kind, or successes";
    }
    EXPECT_GT(BoundMs, r.MaxMs) << KindNames[k] << ": longest transaction";
  }
}

}  // namespace
