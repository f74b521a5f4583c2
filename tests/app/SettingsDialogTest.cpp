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
    std::wstring BaudRate, Parity, Address;
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
    EXPECT_EQ(L"19200", shown.BaudRate);
    EXPECT_EQ(L"Even", shown.Parity);
    EXPECT_EQ(L"1", shown.Address);
    EXPECT_EQ(0x00C0C0C0u, WindowProbe::ClientPixel(dialog, 2, 2)) << "dialog background";
    EXPECT_EQ(8u, WindowProbe::ListItems(GetDlgItem(dialog, BaudRateItem)).size());
    EXPECT_EQ(247u, WindowProbe::ListItems(GetDlgItem(dialog, AddressItem)).size());
    UserInput::Key(VK_ESCAPE);
    EXPECT_TRUE(ToolProcess::WaitUntilGone(dialog));
}

TEST_F(SettingsDialogTest, EnterStoresTheSettingsAndReconnectsAtOnce)
{
    // A sensor that runs with 115200 Bd, no parity and address 247 after its restart.
    ConnectToSensor();
    ASSERT_EQ(L"ZEF", Text(IdentificationPlace));
    SIM_OK(Sim.Set(RegisterTable::Holding, 512, 247));
    SIM_OK(Sim.Set(RegisterTable::Holding, 513, 7));
    SIM_OK(Sim.Set(RegisterTable::Holding, 514, 0));
    Click(RestartPlace);
    ASSERT_EQ(1u, Sim.Restarts());
    SIM_OK(Sim.Clear());

    HWND dialog = OpenSettingsDialog();
    ASSERT_NE(nullptr, dialog);
    ChooseLastItems(dialog);
    UserInput::Key(VK_RETURN);
    ASSERT_TRUE(ToolProcess::WaitUntilGone(dialog)) << "Enter ends the dialog like OK";
    Tool.Settle();
    EXPECT_EQ(1u, Sim.Requests(4, 0)) << "one identification read right after OK";
    EXPECT_EQ(L"ZEF", Text(IdentificationPlace)) << "reconnected with 115200 Bd, no parity, address 247";

    dialog = OpenSettingsDialog();
    ASSERT_NE(nullptr, dialog);
    Shown shown = Selections(dialog);
    EXPECT_EQ(L"115200", shown.BaudRate);
    EXPECT_EQ(L"None", shown.Parity);
    EXPECT_EQ(L"247", shown.Address);
    UserInput::Key(VK_ESCAPE);
    ASSERT_TRUE(ToolProcess::WaitUntilGone(dialog));

    // Back to the defaults for the next test: the sensor restarts with its stored 1, 4, 2.
    SIM_OK(Sim.Set(RegisterTable::Holding, 512, 1));
    SIM_OK(Sim.Set(RegisterTable::Holding, 513, 4));
    SIM_OK(Sim.Set(RegisterTable::Holding, 514, 2));
    Click(RestartPlace);
    EXPECT_EQ(1u, Sim.Restarts());
}

TEST_F(SettingsDialogTest, EscAndTheCloseBoxChangeNothing)
{
    ConnectToSensor();
    ASSERT_EQ(L"ZEF", Text(IdentificationPlace));
    // Columns: what closes the dialog, the modifier held with its key.
    const struct { const char* Name; WORD Key; WORD Modifier; } closers[] = {
        {"Esc", VK_ESCAPE, 0},
        {"Alt+F4", VK_F4, VK_MENU},
    };
    for (const auto& closer : closers) {
        SCOPED_TRACE(closer.Name);
        SIM_OK(Sim.Clear());
        HWND dialog = OpenSettingsDialog();
        ASSERT_NE(nullptr, dialog);
        ChooseLastItems(dialog);
        UserInput::Key(closer.Key, closer.Modifier);
        ASSERT_TRUE(ToolProcess::WaitUntilGone(dialog));
        Tool.Settle();
        EXPECT_EQ(0u, Sim.Requests()) << "no reconnection";
        EXPECT_EQ(L"ZEF", Text(IdentificationPlace));
        dialog = OpenSettingsDialog();
        ASSERT_NE(nullptr, dialog);
        Shown shown = Selections(dialog);
        EXPECT_EQ(L"19200", shown.BaudRate);
        EXPECT_EQ(L"Even", shown.Parity);
        EXPECT_EQ(L"1", shown.Address);
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
    EXPECT_EQ(L"", Text(IdentificationPlace));
}

}  // namespace
