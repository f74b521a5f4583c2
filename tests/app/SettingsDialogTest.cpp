// The settings dialog: it shows the tool's line settings, OK stores them and reconnects at
// once, Esc and the close box change nothing.
#include "ToolTest.h"
#include "UserInput.h"
#include "WindowProbe.h"

namespace {

using SettingsDialogTest = ToolTest;

// Items of the dialog.
enum { BaudRateItem = 101, ParityItem = 102, AddressItem = 103 };

struct Shown {
    std::string BaudRate, Parity, Address;
};

Shown Selections(HWND Dialog)
{
    return {WindowProbe::SelectedItem(GetDlgItem(Dialog, BaudRateItem)),
            WindowProbe::SelectedItem(GetDlgItem(Dialog, ParityItem)),
            WindowProbe::SelectedItem(GetDlgItem(Dialog, AddressItem))};
}

// Chooses the last item of each list with the keyboard: Tab to the list, End.
void ChooseLastItems(HWND Dialog)
{
    SetForegroundWindow(Dialog);
    UserInput::Key(VK_TAB);  // from OK to the baud rate
    UserInput::Key(VK_END);
    UserInput::Key(VK_TAB);  // parity: "None" is the first item
    UserInput::Key(VK_HOME);
    UserInput::Key(VK_TAB);  // address
    UserInput::Key(VK_END);
}

TEST_F(SettingsDialogTest, OpensShowingTheDefaultsOnGrey)
{
    HWND dialog = OpenSettingsDialog();
    ASSERT_NE(nullptr, dialog) << "no dialog \"MODBUS RTU\"";
    Shown shown = Selections(dialog);
    EXPECT_EQ("19200", shown.BaudRate);
    EXPECT_EQ("Even", shown.Parity);
    EXPECT_EQ("1", shown.Address);
    EXPECT_EQ(0x00C0C0C0u, WindowProbe::ClientPixel(dialog, 2, 2)) << "dialog background";
    EXPECT_EQ(8u, WindowProbe::ListItems(GetDlgItem(dialog, BaudRateItem)).size());
    EXPECT_EQ(247u, WindowProbe::ListItems(GetDlgItem(dialog, AddressItem)).size());
    UserInput::Key(VK_ESCAPE);
    EXPECT_TRUE(ToolProcess::WaitUntilGone(dialog));
}

TEST_F(SettingsDialogTest, EnterStoresTheSettingsAndReconnectsAtOnce)
{
    ConnectToSensor();
    ASSERT_EQ("ZEF", Text(IdentificationPlace));

    // 115200 Bd, no parity, address 247: the sensor, at 19200 Bd and address 1, stays silent.
    HWND dialog = OpenSettingsDialog();
    ASSERT_NE(nullptr, dialog);
    ChooseLastItems(dialog);
    UserInput::Key(VK_RETURN);
    ASSERT_TRUE(ToolProcess::WaitUntilGone(dialog)) << "Enter ends the dialog like OK";
    Tool.Settle();
    EXPECT_EQ("", Text(IdentificationPlace)) << "reconnected at once, and the sensor did not answer";
    EXPECT_TRUE(Tool.NoMessageBoxWithin(300));

    dialog = OpenSettingsDialog();
    ASSERT_NE(nullptr, dialog);
    Shown shown = Selections(dialog);
    EXPECT_EQ("115200", shown.BaudRate);
    EXPECT_EQ("None", shown.Parity);
    EXPECT_EQ("247", shown.Address);

    // Back to 19200 Bd (fifth), even parity (third), address 1: the sensor answers again.
    UserInput::Key(VK_TAB);
    UserInput::Key(VK_HOME);
    for (int i = 0; i < 4; ++i)
        UserInput::Key(VK_DOWN);
    UserInput::Key(VK_TAB);
    UserInput::Key(VK_HOME);
    UserInput::Key(VK_DOWN);
    UserInput::Key(VK_DOWN);
    UserInput::Key(VK_TAB);
    UserInput::Key(VK_HOME);
    SIM_OK(Sim.Clear());
    UserInput::Key(VK_RETURN);
    ASSERT_TRUE(ToolProcess::WaitUntilGone(dialog));
    Tool.Settle();
    EXPECT_EQ(1u, Sim.Requests(4, 0)) << "one identification read right after OK";
    EXPECT_EQ("ZEF", Text(IdentificationPlace)) << "reconnected with 19200 Bd, even parity, address 1";
}

TEST_F(SettingsDialogTest, EscAndTheCloseBoxChangeNothing)
{
    ConnectToSensor();
    ASSERT_EQ("ZEF", Text(IdentificationPlace));
    enum Closer { EscKey, AltF4, CloseBox };
    // Columns: how the operator closes the dialog, its name.
    const struct { Closer How; const char* Name; } closers[] = {
        {EscKey, "Esc"},
        {AltF4, "Alt+F4"},
        {CloseBox, "close box"},
    };
    for (const auto& closer : closers) {
        SCOPED_TRACE(closer.Name);
        SIM_OK(Sim.Clear());
        HWND dialog = OpenSettingsDialog();
        ASSERT_NE(nullptr, dialog);
        ChooseLastItems(dialog);
        if (closer.How == EscKey) {
            UserInput::Key(VK_ESCAPE);
        } else if (closer.How == AltF4) {
            UserInput::Key(VK_TAB);  // to OK: a focused combo box under Wine swallows Alt+F4
            UserInput::Key(VK_F4, VK_MENU);
        } else {
            POINT box = WindowProbe::CloseBox(dialog);
            ASSERT_NE(-1, box.x) << "the dialog has no close box";
            UserInput::Click(box);
        }
        ASSERT_TRUE(ToolProcess::WaitUntilGone(dialog));
        Tool.Settle();
        EXPECT_EQ(0u, Sim.Requests()) << "no reconnection";
        EXPECT_EQ("ZEF", Text(IdentificationPlace));
        dialog = OpenSettingsDialog();
        ASSERT_NE(nullptr, dialog);
        Shown shown = Selections(dialog);
        EXPECT_EQ("19200", shown.BaudRate);
        EXPECT_EQ("Even", shown.Parity);
        EXPECT_EQ("1", shown.Address);
        UserInput::Key(VK_ESCAPE);
        ASSERT_TRUE(ToolProcess::WaitUntilGone(dialog));
    }
}

TEST_F(SettingsDialogTest, OkWithoutAChosenPortEmptiesTheIdentity)
{
    HWND dialog = OpenSettingsDialog();
    ASSERT_NE(nullptr, dialog);
    UserInput::Key(VK_RETURN);
    ASSERT_TRUE(ToolProcess::WaitUntilGone(dialog));
    Tool.Settle();
    EXPECT_TRUE(Tool.NoMessageBoxWithin(500));
    EXPECT_EQ(0u, Sim.Requests()) << "an empty port name opens nothing";
    EXPECT_EQ("", Text(IdentificationPlace));
}

}  // namespace
