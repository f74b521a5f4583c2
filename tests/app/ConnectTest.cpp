// Connecting: choosing the simulated sensor's port identifies it and reads everything from it;
// a foreign or silent sensor empties the identity fields.
#include "ToolTest.h"
#include "UserInput.h"
#include "WindowProbe.h"

#include <string>

namespace {

using ConnectTest = ToolTest;

// "Převodník není kompatibilní s tímto nástrojem." in Windows-1250
const char* const IncompatibleText = "P\xF8" "evodn\xEDk nen\xED kompatibiln\xED s t\xEDmto n\xE1strojem.";

TEST_F(ConnectTest, ChoosingThePortShowsEverythingTheSensorReports)
{
    SIM_OK(Sim.Set(RegisterTable::Input, 5, 0x0001));  // serial number 0x0001E240 = 123456
    SIM_OK(Sim.Set(RegisterTable::Input, 6, 0xE240));
    SIM_OK(Sim.Set(RegisterTable::Holding, 512, 5));
    SIM_OK(Sim.Set(RegisterTable::Holding, 513, 7));
    SIM_OK(Sim.Set(RegisterTable::Holding, 514, 0));
    // Columns: register, value, the text shown.
    const struct { uint16_t Register; int Value; const char* Shown; } measurements[] = {
        {16, 2137, "21.37"}, {17, -5, "-0.05"}, {18, 0, "0.00"}, {19, -1234, "-12.34"}};
    for (const auto& m : measurements)
        SIM_OK(Sim.Set(RegisterTable::Input, m.Register, m.Value));
    const struct { uint16_t Register; int Value; const char* Shown; } corrections[] = {
        {256, 150, "1.50"}, {257, -5, "-0.05"}, {258, 0, "0.00"}, {259, -1000, "-10.00"}};
    SIM_OK(Sim.Clear());

    ConnectToSensor();

    EXPECT_EQ("ZEF", Text(IdentificationPlace));
    EXPECT_EQ("1.05", Text(FirmwarePlace));
    EXPECT_EQ("123456", Text(SerialNumberPlace));
    EXPECT_EQ("5", WindowProbe::SelectedItem(Control(AddressListPlace))) << "the sensor's stored address";
    EXPECT_EQ("115200", WindowProbe::SelectedItem(Control(BaudRateListPlace)));
    EXPECT_EQ("None", WindowProbe::SelectedItem(Control(ParityListPlace)));
    EXPECT_TRUE(Sim.Writes().empty()) << "showing the sensor's settings writes nothing back";
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(measurements[k].Shown, Text(FirstMeasurementPlace + 2 * k)) << "measurement " << k + 1;
    // The sensor adds its corrections to its measurements: they are set only now, and read by
    // choosing the port again, which connects again.
    for (const auto& c : corrections)
        SIM_OK(Sim.Set(RegisterTable::Holding, c.Register, c.Value));
    ConnectToSensor();
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(corrections[k].Shown, Text(FirstCorrectionPlace + 2 * k)) << "correction " << k + 1;
    EXPECT_EQ(2u, Sim.Requests(4, 0)) << "one identification read per connection";
}

TEST_F(ConnectTest, FirmwareAndSerialNumberTexts)
{
    // Columns: firmware register, its text, serial number registers 5 and 6, its text.
    const struct { uint16_t Firmware; const char* FirmwareText; uint16_t High, Low; const char* SerialText; } cases[] = {
        {0x0105, "1.05", 0x0000, 0x0000, "0"},
        {0x0A0B, "0A.0B", 0x8000, 0x0001, "-2147483647"},
        {0x0900, "9.00", 0xFFFF, 0xFFFF, "-1"},
    };
    for (const auto& c : cases) {
        SIM_OK(Sim.Set(RegisterTable::Input, 4, c.Firmware));
        SIM_OK(Sim.Set(RegisterTable::Input, 5, c.High));
        SIM_OK(Sim.Set(RegisterTable::Input, 6, c.Low));
        ConnectToSensor();
        EXPECT_EQ(c.FirmwareText, Text(FirmwarePlace)) << "firmware 0x" << std::hex << c.Firmware;
        EXPECT_EQ(c.SerialText, Text(SerialNumberPlace)) << "serial number 0x" << std::hex << c.High << c.Low;
    }
}

TEST_F(ConnectTest, AForeignSensorIsRefusedWithItsTextAsCaption)
{
    // Columns: identification bytes in hex, the caption the operator reads.
    const struct { const char* Hex; const char* Caption; } refused[] = {
        {"5A45462100000000", "ZEF!"},
        {"7A65660000000000", "zef"},
        {"0000000000000000", ""},
        {"5A45465A45465A45", "ZEFZEFZE"},
    };
    ConnectToSensor();
    ASSERT_EQ("ZEF", Text(IdentificationPlace));
    for (const auto& r : refused) {
        SCOPED_TRACE(r.Hex);
        const std::string measurement = Text(FirstMeasurementPlace);
        SIM_OK(Sim.Command(std::string("identhex ") + r.Hex).rfind("ok", 0) == 0);
        ConnectToSensor();  // the box is up while the port list's command runs
        ToolProcess::MessageBoxSeen box = Tool.WaitForMessageBox();
        ASSERT_NE(nullptr, box.Window) << "no error box";
        EXPECT_EQ(IncompatibleText, box.Text);
        EXPECT_EQ(r.Caption, box.Caption);
        ASSERT_TRUE(ToolProcess::Answer(box));
        Tool.Settle();
        EXPECT_EQ("", Text(IdentificationPlace));
        EXPECT_EQ("", Text(FirmwarePlace));
        EXPECT_EQ("", Text(SerialNumberPlace));
        EXPECT_EQ(measurement, Text(FirstMeasurementPlace)) << "the other fields keep what the last sensor reported";
        SIM_OK(Sim.Ident("ZEF"));
        ConnectToSensor();
        ASSERT_EQ("ZEF", Text(IdentificationPlace));
    }
}

TEST_F(ConnectTest, ZefFollowedByZeroIsAcceptedWhateverFollows)
{
    SIM_OK(Sim.Command("identhex 5A45460041424344").rfind("ok", 0) == 0);
    ConnectToSensor();
    EXPECT_TRUE(Tool.NoMessageBoxWithin(500));
    EXPECT_EQ("ZEF", Text(IdentificationPlace));
    EXPECT_EQ("1.05", Text(FirmwarePlace));
}

TEST_F(ConnectTest, ASilentSensorEmptiesTheIdentityWithoutMessage)
{
    ConnectToSensor();
    ASSERT_EQ("ZEF", Text(IdentificationPlace));
    SIM_OK(Sim.Fault("noreply"));
    ConnectToSensor();
    EXPECT_TRUE(Tool.NoMessageBoxWithin(1500)) << "no message for a sensor that does not answer";
    EXPECT_EQ("", Text(IdentificationPlace));
    EXPECT_EQ("", Text(FirmwarePlace));
    EXPECT_EQ("", Text(SerialNumberPlace));
    EXPECT_EQ("19200", WindowProbe::SelectedItem(Control(BaudRateListPlace))) << "the lists keep their selection";
}

TEST_F(ConnectTest, APortNameLongerThanSevenCharactersIsCut)
{
    // The fixture names the simulated sensor's port also ZEFPORT (seven characters). A list
    // item of eight characters that begins with that name reaches the sensor only when the
    // tool cuts it to seven.
    const std::string item = "ZEFPORT8";
    ASSERT_GE(SendMessageA(Control(PortListPlace), CB_INSERTSTRING, -1, reinterpret_cast<LPARAM>(item.c_str())), 0);
    Choose(PortListPlace, item);
    EXPECT_EQ("ZEF", Text(IdentificationPlace)) << "the tool should open ZEFPORT, the item cut to 7 characters";
}

}  // namespace
