// The sensor on the COM port that the test fixture maps to the simulated sensor, through the
// Win32 serial port: one read of every register group and the failures a caller must tell apart.
#include "Sensor.h"
#include "SimClient.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The fixture's sensor: address 1, 19200 baud, even parity.
class SensorOnComPort : public ::testing::Test {
protected:
    void SetUp() override {
        const char* port = std::getenv("ZEF_SIM_COM");
        const char* control = std::getenv("ZEF_SIM_CONTROL_FILE");
        ASSERT_TRUE(port && control) << "ZEF_SIM_COM and ZEF_SIM_CONTROL_FILE are not set: run through CTest";
        ASSERT_TRUE(Client.ConnectControlFile(control)) << control;
        ASSERT_TRUE(Client.Fault("none"));
        ASSERT_TRUE(Client.Ident("ZEF"));
        ASSERT_TRUE(Device.Open(port)) << port;
        Device.SetLine(19200, EVENPARITY, 1);
    }

    SimClient Client;
    Sensor Device;
};

TEST_F(SensorOnComPort, ReadsEveryRegisterGroup) {
    ASSERT_TRUE(Client.Set(RegisterTable::Input, 4, 0x0107));
    ASSERT_TRUE(Client.Set(RegisterTable::Input, 5, 0x8001));
    ASSERT_TRUE(Client.Set(RegisterTable::Input, 6, 0x0002));
    const int corrections[4] = {-150, 200, -1, 75};
    const int measured[4] = {0xFF9C, 4550, 1234, 0x8000};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(Client.Set(RegisterTable::Holding, 256 + i, corrections[i]));
        ASSERT_TRUE(Client.Set(RegisterTable::Input, 16 + i, measured[i]));
    }
    ASSERT_TRUE(Client.Set(RegisterTable::Holding, 512, 0x0101));
    ASSERT_TRUE(Client.Set(RegisterTable::Holding, 513, 0x0004));
    ASSERT_TRUE(Client.Set(RegisterTable::Holding, 514, 0x0002));

    const char* ident = Device.ReadIdentification();
    std::uint16_t firmware = 0;
    std::int32_t serial = 0;
    Measurements values{};
    Corrections offsets{};
    CommSettings settings{};
    ASSERT_NE(nullptr, ident);
    EXPECT_STREQ("ZEF", ident);
    EXPECT_TRUE(Device.ReadFirmware(firmware));
    EXPECT_TRUE(Device.ReadSerialNumber(serial));
    EXPECT_TRUE(Device.ReadMeasurements(values));
    EXPECT_TRUE(Device.ReadCorrections(offsets));
    EXPECT_TRUE(Device.ReadCommSettings(settings));

    EXPECT_EQ(0x0107, firmware);
    EXPECT_EQ(static_cast<std::int32_t>(0x80010002u), serial);
    EXPECT_EQ(-100, values.Temperature);
    EXPECT_EQ(4550, values.RelHumidity);
    EXPECT_EQ(1234, values.AbsHumidity);
    EXPECT_EQ(-32768, values.DewPoint);
    EXPECT_EQ(-150, offsets.Temperature);
    EXPECT_EQ(-1, offsets.AbsHumidity);
    EXPECT_EQ(1, settings.Address);
    EXPECT_EQ(4, settings.BaudIndex);
    EXPECT_EQ(2, settings.ParityIndex);
}

TEST_F(SensorOnComPort, WritesReachTheSensor) {
    ASSERT_TRUE(Client.Clear());
    EXPECT_TRUE(Device.WriteTemperatureCorrection(-250));
    EXPECT_TRUE(Device.WriteParityIndex(2));
    const std::vector<std::pair<std::uint16_t, std::uint16_t>> expected = {{256, 65286}, {514, 2}};
    EXPECT_EQ(expected, Client.Writes());
}

TEST_F(SensorOnComPort, TellsARefusalFromNoAnswerAndRecoversFromADamagedReply) {
    EXPECT_FALSE(Device.WriteDewPointCorrection(5000)) << "50.00 degrees is out of the sensor's range";
    EXPECT_EQ(3, Device.GetLastException());

    ASSERT_TRUE(Client.Fault("noreply count 1"));
    const auto start = Clock::now();
    EXPECT_EQ(nullptr, Device.ReadIdentification());
    EXPECT_LT(Clock::now() - start, 3s) << "the read time-out is 120 ms";
    EXPECT_EQ(0, Device.GetLastException());

    ASSERT_TRUE(Client.Fault("corrupt count 1"));
    std::uint16_t firmware = 0;
    EXPECT_FALSE(Device.ReadFirmware(firmware));
    EXPECT_EQ(0, Device.GetLastException());
    EXPECT_TRUE(Device.ReadFirmware(firmware)) << "nothing of the damaged reply may remain";
}

}  // namespace
