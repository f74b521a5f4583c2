// Our link against an independent implementation of the protocol, both ways: our Sensor reads
// and writes a libmodbus RTU slave that holds the sensor's registers, and a libmodbus master
// reads and writes our simulated sensor. Both sides must agree on every value.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ModbusMaster.h"
#include "PeerMaster.h"
#include "PeerSlave.h"
#include "Sensor.h"
#include "SimClient.h"
#include "SimProcess.h"

using namespace std::chrono_literals;

namespace {

constexpr std::uint8_t Address = 7;

// "/dev/pts/N" as the port name that our Sensor opens ("\\.\pts/N").
std::string PortName(const std::string& ptyPath) { return ptyPath.substr(std::strlen("/dev/")); }

class OurSensorAgainstPeerSlave : public ::testing::Test {
 protected:
  void SetUp() override {
    // Identification "ZEF" and four more bytes that must not matter, firmware 2.0A, serial
    // number 0x8001'0002 (negative as a signed number), measurements, corrections, settings.
    const std::uint16_t input[][2] = {{0, 0x5A45}, {1, 0x4600}, {2, 0x4142}, {3, 0x4344}, {4, 0x020A},
                                      {5, 0x8001}, {6, 0x0002}, {16, 2137}, {17, 0xFFFB}, {18, 875},
                                      {19, 0xFF9C}};
    for (const auto& r : input) Peer.SetInput(r[0], r[1]);
    const std::uint16_t holding[][2] = {{256, 0xFF38}, {257, 150}, {258, 0}, {259, 0x7FFF},
                                        {512, 0x0105}, {513, 0x0007}, {514, 0x0003}};
    for (const auto& r : holding) Peer.SetHolding(r[0], r[1]);
    ASSERT_TRUE(Ours.Open(PortName(Peer.PtyPath()).c_str())) << Peer.PtyPath();
    Ours.SetLine(19200, 2, Address);
  }

  PeerSlave Peer{Address};
  Sensor Ours;
};

TEST_F(OurSensorAgainstPeerSlave, ReadsEveryRegisterGroup) {
  const char* ident = Ours.ReadIdentification();
  ASSERT_NE(nullptr, ident) << "identification, last exception " << Ours.GetLastException();
  EXPECT_EQ(std::string("ZEF"), ident);

  std::uint16_t firmware = 0;
  ASSERT_TRUE(Ours.ReadFirmware(firmware));
  EXPECT_EQ(0x020A, firmware);

  std::int32_t serial = 0;
  ASSERT_TRUE(Ours.ReadSerialNumber(serial));
  EXPECT_EQ(static_cast<std::int32_t>(0x80010002u), serial) << "register 5 is the high word";

  Measurements m{};
  ASSERT_TRUE(Ours.ReadMeasurements(m));
  EXPECT_EQ(2137, m.Temperature);
  EXPECT_EQ(-5, m.RelHumidity);
  EXPECT_EQ(875, m.AbsHumidity);
  EXPECT_EQ(-100, m.DewPoint);

  Corrections c{};
  ASSERT_TRUE(Ours.ReadCorrections(c));
  EXPECT_EQ(-200, c.Temperature);
  EXPECT_EQ(150, c.RelHumidity);
  EXPECT_EQ(0, c.AbsHumidity);
  EXPECT_EQ(32767, c.DewPoint);

  CommSettings s{};
  ASSERT_TRUE(Ours.ReadCommSettings(s));
  EXPECT_EQ(5, s.Address) << "the low byte of register 512";
  EXPECT_EQ(7, s.BaudIndex);
  EXPECT_EQ(3, s.ParityIndex);
}

TEST_F(OurSensorAgainstPeerSlave, WritesLandInThePeersRegisters) {
  ASSERT_TRUE(Ours.WriteTemperatureCorrection(-123));
  ASSERT_TRUE(Ours.WriteRelHumidityCorrection(456));
  ASSERT_TRUE(Ours.WriteAbsHumidityCorrection(-32768));
  ASSERT_TRUE(Ours.WriteDewPointCorrection(1));
  ASSERT_TRUE(Ours.WriteAddress(247));
  ASSERT_TRUE(Ours.WriteBaudIndex(0));
  ASSERT_TRUE(Ours.WriteParityIndex(1));
  ASSERT_TRUE(Ours.Restart());
  // Columns: register, value the peer must hold.
  const std::uint16_t expected[][2] = {{256, 0xFF85}, {257, 456}, {258, 0x8000}, {259, 1},
                                       {512, 247},    {513, 0},   {514, 1},      {1040, 0x55AA}};
  for (const auto& r : expected) EXPECT_EQ(r[1], Peer.Holding(r[0])) << "holding register " << r[0];
}

// The peer refuses a register outside its map with exception 2, which our master keeps.
TEST(OurMasterAgainstPeerSlave, KeepsThePeersExceptionCode) {
  PeerSlave peer(1);
  ModbusMaster ours;
  ASSERT_TRUE(ours.Open(("\\\\.\\" + PortName(peer.PtyPath())).c_str()));
  ours.SetLine(19200, 2);
  std::uint16_t words[4] = {1, 2, 3, 4};
  EXPECT_FALSE(ours.ReadInputRegisters(1, 100, 4, words));
  EXPECT_EQ(2, ours.GetLastException()) << "illegal data address";
  EXPECT_EQ(1, words[0]) << "a failed read leaves its destination alone";
  EXPECT_TRUE(ours.ReadInputRegisters(1, 0, 4, words));
  EXPECT_EQ(2, ours.GetLastException()) << "a success leaves the last exception code";
}

class PeerMasterAgainstOurSimulator : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Sim.Ready()) << "zef-sim did not report ready";
    ASSERT_TRUE(Control.Connect(Sim.ControlAddress())) << Sim.ControlAddress();
  }

  SimProcess Sim{ZEF_SIM_EXECUTABLE, {"--address", "9", "--baud", "38400", "--parity", "odd"}};
  SimClient Control;
};

TEST_F(PeerMasterAgainstOurSimulator, ReadsWhatTheSimulatorHolds) {
  ASSERT_TRUE(Control.Ident("ABCDEFGH"));
  // Measurements set here stay put, so that both sides see the same values.
  ASSERT_TRUE(Control.Set(RegisterTable::Input, 16, -1234));
  ASSERT_TRUE(Control.Set(RegisterTable::Holding, 257, -150));
  PeerMaster peer(Sim.PtyPath(), 38400, 'O', 9, 500ms);
  // Columns: table, first register, count.
  const struct { RegisterTable Table; std::uint16_t First, Count; } blocks[] = {
      {RegisterTable::Input, 0, 7}, {RegisterTable::Input, 16, 4},
      {RegisterTable::Holding, 256, 4}, {RegisterTable::Holding, 512, 3}};
  for (const auto& b : blocks) {
    std::vector<std::uint16_t> words(b.Count);
    const bool input = b.Table == RegisterTable::Input;
    ASSERT_TRUE(input ? peer.ReadInputRegisters(b.First, b.Count, words.data())
                      : peer.ReadHoldingRegisters(b.First, b.Count, words.data()))
        << (input ? "input" : "holding") << " registers from " << b.First;
    for (std::uint16_t i = 0; i < b.Count; ++i) {
      EXPECT_EQ(Control.Get(b.Table, b.First + i), words[i]) << (input ? "input" : "holding") << " register " << b.First + i;
    }
  }
  std::uint16_t missing[1];
  EXPECT_FALSE(peer.ReadInputRegisters(7, 1, missing)) << "register 7 does not exist";
}

TEST_F(PeerMasterAgainstOurSimulator, WritesReachTheSimulator) {
  PeerMaster peer(Sim.PtyPath(), 38400, 'O', 9, 500ms);
  ASSERT_TRUE(peer.WriteSingleRegister(256, static_cast<std::uint16_t>(-250)));
  ASSERT_TRUE(peer.WriteSingleRegister(514, 0));
  EXPECT_EQ(static_cast<std::uint16_t>(-250), Control.Get(RegisterTable::Holding, 256));
  EXPECT_EQ(0, Control.Get(RegisterTable::Holding, 514));
  EXPECT_FALSE(peer.WriteSingleRegister(256, 5000)) << "beyond the plausible range: exception 3";
  EXPECT_EQ(static_cast<std::uint16_t>(-250), Control.Get(RegisterTable::Holding, 256));
}

}  // namespace
