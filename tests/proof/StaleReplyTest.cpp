// The stale-reply scenario, for our master and the independent one on the same simulator: the
// first request is answered only after the master has given up on it, the following ones
// promptly. A master that takes the late reply for the answer to a later request delivers values
// that the sensor no longer holds. Before each transaction the identification registers get new
// values, so that every stale reply is told apart; the test counts the wrong values delivered.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <iostream>
#include <thread>

#include "ModbusMaster.h"
#include "PeerMaster.h"
#include "SimClient.h"
#include "SimProcess.h"

using namespace std::chrono_literals;

namespace {

constexpr int Transactions = 20;
// Our master gives up on a reply at 19200 Bd after 5 × 1 + 115 ms; the peer is given as long.
constexpr auto TimeOut = 120ms;
// Late by half a time-out: well after the master gave up, and well within the one further read
// time-out for which our master waits for a late reply before its next request.
constexpr char LateFault[] = "late 180 count 1";

using Words = std::array<std::uint16_t, 4>;
using ReadIdentification = std::function<bool(Words&)>;

struct Tally {
  bool FirstFailed = false;  // the late reply came too late for its own request
  int Delivered = 0;
  int Wrong = 0;
};

Tally RunScenario(SimClient& control, const ReadIdentification& read) {
  Tally tally;
  EXPECT_TRUE(control.Fault(LateFault)) << control.LastReply();
  for (int i = 0; i < Transactions; ++i) {
    const Words held = {static_cast<std::uint16_t>(0x1000 + i), static_cast<std::uint16_t>(0x2000 + i),
                        static_cast<std::uint16_t>(0x3000 + i), static_cast<std::uint16_t>(0x4000 + i)};
    for (std::uint16_t reg = 0; reg < 4; ++reg) control.Set(RegisterTable::Input, reg, held[reg]);
    Words got{};
    const bool ok = read(got);
    if (i == 0) tally.FirstFailed = !ok;
    if (!ok) continue;
    ++tally.Delivered;
    if (got != held) ++tally.Wrong;
  }
  return tally;
}

TEST(StaleReply, OurMasterDeliversNoValueOfALateReply) {
  SimProcess sim(ZEF_SIM_EXECUTABLE, {});
  ASSERT_TRUE(sim.Ready());
  SimClient control;
  ASSERT_TRUE(control.Connect(sim.ControlAddress()));

  Tally ours;
  {
    ModbusMaster master;
    ASSERT_TRUE(master.Open(("\\\\.\\" + sim.PtyPath().substr(5)).c_str()));
    master.SetLine(19200, 2);
    ours = RunScenario(control, [&](Words& w) { return master.ReadInputRegisters(1, 0, 4, w.data()); });
  }
  std::this_thread::sleep_for(300ms);  // nothing of the first run is left on the line
  Tally peer;
  {
    PeerMaster master(sim.PtyPath(), 19200, 'E', 1, TimeOut);
    peer = RunScenario(control, [&](Words& w) { return master.ReadInputRegisters(0, 4, w.data()); });
  }

  std::cout << "stale-reply: " << Transactions << " transactions, the first answered late (" << LateFault << ")\n"
            << "stale-reply: ours     delivered " << ours.Delivered << ", wrong " << ours.Wrong << "\n"
            << "stale-reply: libmodbus delivered " << peer.Delivered << ", wrong " << peer.Wrong << std::endl;
  ::testing::Test::RecordProperty("OursWrong", ours.Wrong);
  ::testing::Test::RecordProperty("PeerWrong", peer.Wrong);

  EXPECT_TRUE(ours.FirstFailed) << "our master must give up on the late reply";
  EXPECT_TRUE(peer.FirstFailed) << "the peer must give up on the late reply";
  EXPECT_EQ(0, ours.Wrong) << "values of a stale reply delivered by our master";
  EXPECT_LE(Transactions - 3, ours.Delivered) << "our master must recover after the late reply";
}

}  // namespace
