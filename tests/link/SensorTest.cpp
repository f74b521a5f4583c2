// The sensor's register map against the simulated sensor on a pseudo-terminal.
#include "PtyPeer.h"
#include "Sensor.h"
#include "SerialPort.h"
#include "SimClient.h"
#include "SimProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <ostream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Writes = std::vector<std::pair<std::uint16_t, std::uint16_t>>;

// A simulated sensor at address 1, 19200 baud, even parity, and a Sensor connected to it.
class SensorOnSim : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Sim.Ready()) << "zef-sim did not start";
        ASSERT_TRUE(Client.Connect(Sim.ControlAddress()));
        ASSERT_TRUE(Device.Open(PortName().c_str())) << PortName();
        Device.SetLine(19200, EVENPARITY, 1);
    }

    // The port name of the simulator's terminal: "pts/N".
    std::string PortName() const { return Sim.PtyPath().substr(std::string("/dev/").size()); }

    SimProcess Sim{ZEF_SIM_EXECUTABLE, {"--address", "1", "--baud", "19200", "--parity", "even"}};
    SimClient Client;
    Sensor Device;
};

std::string Text(const char* Ident) { return Ident ? "\"" + std::string(Ident) + "\"" : "none"; }

// Columns: the eight identification bytes in wire order (hex), the text expected.
struct IdentCase {
    const char* Hex;
    const char* Expected;
};

void PrintTo(const IdentCase& Case, std::ostream* Out) { *Out << Case.Hex; }

class SensorIdentification : public SensorOnSim, public ::testing::WithParamInterface<IdentCase> {};

TEST_P(SensorIdentification, IsTheTextUpToTheFirstZeroByte) {
    ASSERT_TRUE(Client.Command(std::string("identhex ") + GetParam().Hex).rfind("ok", 0) == 0) << Client.LastReply();
    EXPECT_EQ(Text(GetParam().Expected), Text(Device.ReadIdentification()));
}

INSTANTIATE_TEST_SUITE_P(Texts, SensorIdentification,
                         ::testing::Values(IdentCase{"5A45460000000000", "ZEF"},
                                           IdentCase{"5A45460041424344", "ZEF"},       // registers 2, 3 do not matter
                                           IdentCase{"4142434445464748", "ABCDEFGH"},  // eight characters
                                           IdentCase{"5A45004600000000", "ZE"},
                                           IdentCase{"0000000000000000", ""}));

TEST_F(SensorOnSim, AFailedIdentificationKeepsTheLastText) {
    const char* text = Device.ReadIdentification();
    ASSERT_EQ("\"ZEF\"", Text(text));
    ASSERT_TRUE(Client.Ident("ABCDEFGH"));
    ASSERT_TRUE(Client.Fault("noreply count 1"));
    EXPECT_EQ("none", Text(Device.ReadIdentification()));
    EXPECT_EQ("\"ZEF\"", Text(text)) << "the text of the last success must stay";
}

// Columns: register 5, register 6, the serial number expected.
struct SerialCase {
    std::uint16_t High;
    std::uint16_t Low;
    std::int32_t Expected;
};

void PrintTo(const SerialCase& Case, std::ostream* Out) { *Out << Case.High << ":" << Case.Low; }

class SensorSerialNumber : public SensorOnSim, public ::testing::WithParamInterface<SerialCase> {};

TEST_P(SensorSerialNumber, HasRegisterFiveAsItsHighWord) {
    ASSERT_TRUE(Client.Set(RegisterTable::Input, 5, GetParam().High));
    ASSERT_TRUE(Client.Set(RegisterTable::Input, 6, GetParam().Low));
    std::int32_t number = 7;
    EXPECT_TRUE(Device.ReadSerialNumber(number));
    EXPECT_EQ(GetParam().Expected, number);
}

INSTANTIATE_TEST_SUITE_P(Numbers, SensorSerialNumber,
                         ::testing::Values(SerialCase{0x0001, 0x0002, 65538}, SerialCase{0x0000, 0xFFFF, 65535},
                                           SerialCase{0x8000, 0x0000, INT_MIN}, SerialCase{0xFFFF, 0xFFFE, -2}));

TEST_F(SensorOnSim, ReadsFirmwareMeasurementsAndCorrectionsAsSignedHundredths) {
    ASSERT_TRUE(Client.Set(RegisterTable::Input, 4, 0x0203));
    const int measured[4] = {0xFF9C, 4550, 1234, 0x8000};  // -1.00, 45.50, 12.34, -327.68
    const int corrections[4] = {-150, 200, 0xFFFF, 75};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(Client.Set(RegisterTable::Holding, 256 + i, corrections[i])) << Client.LastReply();
        ASSERT_TRUE(Client.Set(RegisterTable::Input, 16 + i, measured[i])) << Client.LastReply();
    }
    std::uint16_t firmware = 0;
    Measurements values{};
    Corrections offsets{};

    EXPECT_TRUE(Device.ReadFirmware(firmware));
    EXPECT_TRUE(Device.ReadMeasurements(values));
    EXPECT_TRUE(Device.ReadCorrections(offsets));

    EXPECT_EQ(0x0203, firmware);
    EXPECT_EQ(-100, values.Temperature);
    EXPECT_EQ(4550, values.RelHumidity);
    EXPECT_EQ(1234, values.AbsHumidity);
    EXPECT_EQ(-32768, values.DewPoint);
    EXPECT_EQ(-150, offsets.Temperature);
    EXPECT_EQ(200, offsets.RelHumidity);
    EXPECT_EQ(-1, offsets.AbsHumidity);
    EXPECT_EQ(75, offsets.DewPoint);
}

TEST_F(SensorOnSim, TakesTheSettingsFromTheLowBytes) {
    ASSERT_TRUE(Client.Set(RegisterTable::Holding, 512, 0x0105));
    ASSERT_TRUE(Client.Set(RegisterTable::Holding, 513, 0xFF07));
    ASSERT_TRUE(Client.Set(RegisterTable::Holding, 514, 0x1203));
    CommSettings settings{};
    EXPECT_TRUE(Device.ReadCommSettings(settings));
    EXPECT_EQ(5, settings.Address);
    EXPECT_EQ(7, settings.BaudIndex);
    EXPECT_EQ(3, settings.ParityIndex);
}

TEST_F(SensorOnSim, WritesEachValueToItsRegister) {
    ASSERT_TRUE(Client.Clear());
    EXPECT_TRUE(Device.WriteTemperatureCorrection(-150));
    EXPECT_TRUE(Device.WriteRelHumidityCorrection(1999));
    EXPECT_TRUE(Device.WriteAbsHumidityCorrection(-1));
    EXPECT_TRUE(Device.WriteDewPointCorrection(999));
    EXPECT_TRUE(Device.WriteAddress(5));
    EXPECT_TRUE(Device.WriteBaudIndex(7));
    EXPECT_TRUE(Device.WriteParityIndex(3));
    EXPECT_TRUE(Device.Restart());
    const Writes expected = {{256, 65386}, {257, 1999}, {258, 65535}, {259, 999},
                             {512, 5},     {513, 7},    {514, 3},     {1040, 0x55AA}};
    EXPECT_EQ(expected, Client.Writes());
    EXPECT_EQ(1u, Client.Restarts());
}

TEST_F(SensorOnSim, AfterAFailedWriteTellsARefusalFromNoAnswer) {
    EXPECT_FALSE(Device.WriteTemperatureCorrection(5000)) << "50.00 degrees is out of the sensor's range";
    EXPECT_EQ(3, Device.GetLastException());
    ASSERT_TRUE(Client.Fault("noreply count 1"));
    EXPECT_FALSE(Device.WriteTemperatureCorrection(100));
    EXPECT_EQ(0, Device.GetLastException());
}

TEST_F(SensorOnSim, AnExceptionCodeStaysThroughASuccess) {
    ASSERT_TRUE(Client.Fault("exception 2 count 1"));
    Measurements values{11, 22, 33, 44};
    EXPECT_FALSE(Device.ReadMeasurements(values));
    EXPECT_EQ(2, Device.GetLastException());
    EXPECT_EQ(11, values.Temperature) << "a failed read must leave the record untouched";
    EXPECT_EQ(44, values.DewPoint);
    EXPECT_EQ("\"ZEF\"", Text(Device.ReadIdentification()));
    EXPECT_EQ(2, Device.GetLastException());
}

TEST_F(SensorOnSim, NoReplyFailsWithinItsTimeOut) {
    ASSERT_TRUE(Client.Fault("noreply"));
    CommSettings settings{9, 9, 9};
    const auto start = Clock::now();
    EXPECT_FALSE(Device.ReadCommSettings(settings));
    // One read of five bytes: 5 × 1 + 115 ms at 19200 baud.
    EXPECT_LT(Clock::now() - start, 3s);
    EXPECT_EQ(0, Device.GetLastException());
    EXPECT_EQ(9, settings.Address);
}

TEST_F(SensorOnSim, ADamagedReplyFailsAndTheNextOneSucceeds) {
    ASSERT_TRUE(Client.Fault("corrupt count 1"));
    std::uint16_t firmware = 0;
    EXPECT_FALSE(Device.ReadFirmware(firmware));
    EXPECT_EQ(0, Device.GetLastException());
    EXPECT_EQ(0, firmware);
    EXPECT_TRUE(Device.ReadFirmware(firmware));
    EXPECT_EQ(0x0105, firmware);
}

TEST_F(SensorOnSim, SurplusBytesAfterAReplyDoNotSpoilTheNext) {
    ASSERT_TRUE(Client.Fault("surplus 6 count 1"));
    EXPECT_EQ("\"ZEF\"", Text(Device.ReadIdentification()));
    std::uint16_t firmware = 0;
    EXPECT_TRUE(Device.ReadFirmware(firmware));
    EXPECT_EQ(0x0105, firmware);
}

// A reply that comes after its transaction gave up must not be taken for the reply to the next
// request, which asks for as many input registers (measurements, then identification).
TEST_F(SensorOnSim, ALateReplyIsNotTakenForTheNextOne) {
    ASSERT_TRUE(Client.Set(RegisterTable::Input, 16, 0x4142));  // would read as the text "AB..."
    ASSERT_TRUE(Client.Fault("late 300 count 1"));
    Measurements values{};
    EXPECT_FALSE(Device.ReadMeasurements(values));
    std::this_thread::sleep_for(600ms);  // the late reply is in the input queue now
    EXPECT_EQ("\"ZEF\"", Text(Device.ReadIdentification()));
}

// The late reply arrives after its transaction gave up, while the next request of the same
// shape is due: it is waited for and discarded before that request goes out.
TEST_F(SensorOnSim, ALateReplyOnItsWayIsNotTakenForTheNextOne) {
    ASSERT_TRUE(Client.Set(RegisterTable::Input, 16, 0x4142));  // would read as the text "AB..."
    ASSERT_TRUE(Client.Fault("late 200 count 1"));
    Measurements values{};
    EXPECT_FALSE(Device.ReadMeasurements(values));
    EXPECT_EQ("\"ZEF\"", Text(Device.ReadIdentification()));
}

// The late reply arrives while the next request, for another function, waits for its own.
TEST_F(SensorOnSim, ALateReplyToAnotherFunctionIsRefused) {
    const int corrections[4] = {-150, 200, -300, 75};
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(Client.Set(RegisterTable::Holding, 256 + i, corrections[i]));
    ASSERT_TRUE(Client.Fault("late 180 count 1"));
    Measurements values{};
    EXPECT_FALSE(Device.ReadMeasurements(values));
    Corrections offsets{1, 2, 3, 4};
    if (Device.ReadCorrections(offsets)) {
        EXPECT_EQ(-150, offsets.Temperature) << "the late measurements were taken for corrections";
        EXPECT_EQ(75, offsets.DewPoint);
    } else {
        EXPECT_EQ(1, offsets.Temperature);
        EXPECT_EQ(0, Device.GetLastException());
    }
    std::this_thread::sleep_for(400ms);
    EXPECT_TRUE(Device.ReadCorrections(offsets));
    EXPECT_EQ(-300, offsets.AbsHumidity);
}

TEST_F(SensorOnSim, ARefusedNameLeavesTheOpenPortOpen) {
    EXPECT_FALSE(Device.Open(""));
    EXPECT_FALSE(Device.Open("pts/12345678")) << "twelve characters do not fit the device path";
    EXPECT_EQ("\"ZEF\"", Text(Device.ReadIdentification())) << "the port must still be open and set";
}

TEST_F(SensorOnSim, OpeningAnotherPortClosesTheFirst) {
    EXPECT_FALSE(Device.Open("zef-none"));
    SerialPort other;
    EXPECT_TRUE(other.Open(("\\\\.\\" + PortName()).c_str())) << "the first port must be free";
    other.Close();
    EXPECT_EQ("none", Text(Device.ReadIdentification())) << "the sensor's port must be closed";
}

// Line settings given before Open reach no port, but the address is kept for the requests.
TEST(SensorLine, SetBeforeOpenOnlyKeepsTheAddress) {
    PtyPeer peer;
    Sensor device;
    device.SetLine(9600, ODDPARITY, 7);
    ASSERT_TRUE(device.Open(peer.PortName().c_str()));
    termios line = peer.LineSettings();
    EXPECT_NE(B9600, cfgetospeed(&line)) << "the line was set on a closed port";
    cfmakeraw(&line);
    peer.SetLineSettings(line);
    peer.AnswerNext(FromHex("07 04 08 5A 45 46 00 00 00 00 00 A5 A4"));
    EXPECT_EQ("\"ZEF\"", Text(device.ReadIdentification()));
    EXPECT_EQ("07 04 00 00 00 04 F1 AF", ToHex(peer.Request()));
}

}  // namespace
