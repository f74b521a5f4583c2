// Writes to the sensor: its stored settings from the three lists, the restart, and the four
// corrections with their clamping and rounding.
#include "ToolTest.h"
#include "UserInput.h"
#include "WindowProbe.h"

#include <string>

namespace {

using WritesTest = ToolTest;

std::string WritesText(const std::vector<std::pair<uint16_t, uint16_t>>& writes)
{
    std::string text;
    for (const auto& w : writes)
        text += (text.empty() ? "" : " ") + std::to_string(w.first) + "=" + std::to_string(w.second);
    return text;
}

TEST_F(WritesTest, EachListChangeWritesThatSettingButTheToolKeepsItsOwn)
{
    ConnectToSensor();
    ASSERT_EQ("1", WindowProbe::SelectedItem(Control(AddressListPlace)));
    SIM_OK(Sim.Clear());
    Tool.Activate();
    // Columns: list, keys pressed on it (each a selection change), the writes expected.
    const struct { int Place; int Downs; const char* Writes; } changes[] = {
        {AddressListPlace, 4, "512=2 512=3 512=4 512=5"},
        {BaudRateListPlace, 1, "513=5"},
        {ParityListPlace, 1, "514=3"},
    };
    for (const auto& change : changes) {
        SIM_OK(Sim.Clear());
        ASSERT_TRUE(TabTo(change.Place)) << "Tab never reached the list at place " << change.Place;
        for (int i = 0; i < change.Downs; ++i)
            UserInput::Key(VK_DOWN);
        Tool.Settle();
        EXPECT_EQ(change.Writes, WritesText(Sim.Writes())) << "list at place " << change.Place;
    }
    EXPECT_EQ(5, Sim.Get(RegisterTable::Holding, 512));
    EXPECT_EQ(5, Sim.Get(RegisterTable::Holding, 513));
    EXPECT_EQ(3, Sim.Get(RegisterTable::Holding, 514));
    EXPECT_TRUE(Tool.NoMessageBoxWithin(300));

    // The tool still talks to address 1 at 19200 Bd, even parity.
    SIM_OK(Sim.Clear());
    ConnectToSensor();
    EXPECT_EQ("ZEF", Text(IdentificationPlace)) << "the tool's own settings did not change";
    EXPECT_EQ("5", WindowProbe::SelectedItem(Control(AddressListPlace))) << "the sensor's stored address";
}

TEST_F(WritesTest, RestartSendsTheRestartCommandWithoutMessage)
{
    ConnectToSensor();
    SIM_OK(Sim.Clear());
    Click(RestartPlace);
    EXPECT_EQ("1040=21930", WritesText(Sim.Writes())) << "0x55AA to register 1040";
    EXPECT_EQ(1u, Sim.Restarts());
    EXPECT_TRUE(Tool.NoMessageBoxWithin(500));
    EXPECT_EQ(1u, Sim.Requests()) << "nothing is read or written after the restart";
}

// The sensor accepts corrections of ±10.00 °C for temperature and dew point, ±20.00 % for
// relative humidity and ±5.00 g/m3 for absolute humidity; beyond that it answers exception 3.
TEST_F(WritesTest, CorrectionsAreClampedRoundedWrittenAndShownAgain)
{
    ConnectToSensor();
    // "Hodnota mimo rozsah."
    const std::string outOfRange = "Hodnota mimo rozsah.";
    // Columns: correction 1-4, the entry typed, the write the sensor receives ("" for none),
    // the text shown afterwards, whether the warning comes.
    const struct { int Number; const char* Entry; const char* Write; const char* Shown; bool Warning; } cases[] = {
        {1, "1,5", "256=150", "1.50", false},
        {2, "0.125", "257=12", "0.13", false},        // 12.5 hundredths: half to even
        {3, "", "258=0", "0.00", false},
        {4, "-2.675", "259=65269", "-2.67", false},   // held as -2.6749999…: -267
        {1, "400", "256=32767", "400", true},         // clamped to 327.67, refused by the sensor
        {2, "-500", "257=32768", "-500", true},       // clamped to -327.68
        {3, "1e39", "258=32767", "1e39", true},       // beyond single precision: infinity, clamped
        {4, "Nan", "", "Nan", true},                  // no number: nothing is written
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("correction ") + std::to_string(c.Number) + " entry \"" + c.Entry + "\"");
        SIM_OK(Sim.Clear());
        const int entryPlace = FirstCorrectionPlace + 2 * (c.Number - 1);
        TypeInto(entryPlace, c.Entry);
        UserInput::ClickCentre(Control(entryPlace + 1));
        if (c.Warning) {
            ToolProcess::MessageBoxSeen box = Tool.WaitForMessageBox();
            ASSERT_NE(nullptr, box.Window) << "no warning";
            EXPECT_EQ(outOfRange, box.Text);
            EXPECT_EQ("Chyba", box.Caption);
            ASSERT_TRUE(ToolProcess::Answer(box));
        } else {
            EXPECT_TRUE(Tool.NoMessageBoxWithin(300));
        }
        Tool.Settle();
        EXPECT_EQ(c.Write, WritesText(Sim.Writes()));
        EXPECT_EQ(c.Shown, Text(entryPlace));
    }
}

TEST_F(WritesTest, ACorrectionWriteWithoutAnswerShowsNothing)
{
    ConnectToSensor();
    SIM_OK(Sim.Fault("noreply"));
    SIM_OK(Sim.Clear());
    TypeInto(FirstCorrectionPlace, "1,5");
    Click(FirstCorrectionPlace + 1);
    EXPECT_TRUE(Tool.NoMessageBoxWithin(1500)) << "no message when the sensor does not answer";
    EXPECT_EQ("256=150", WritesText(Sim.Writes())) << "the write was sent";
    EXPECT_EQ("1,5", Text(FirstCorrectionPlace)) << "the entry keeps the operator's text";
}

}  // namespace
