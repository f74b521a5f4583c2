#include "ToolTest.h"

#include "UserInput.h"
#include "WindowProbe.h"

#include <algorithm>
#include <cstdlib>

namespace {

std::string Environment(const char* Name)
{
    const char* value = std::getenv(Name);
    return value != nullptr ? value : "";
}

}  // namespace

void ToolTest::SetUp()
{
    Port = Environment("ZEF_SIM_COM");
    ASSERT_FALSE(Port.empty()) << "ZEF_SIM_COM is not set: the test needs the simulated sensor's fixture";
    ASSERT_TRUE(Sim.ConnectControlFile(Environment("ZEF_SIM_CONTROL_FILE")))
        << "no simulator at the address in " << Environment("ZEF_SIM_CONTROL_FILE");
    SIM_OK(Sim.Fault("none"));
    SIM_OK(Sim.Delay(0));
    SIM_OK(Sim.Ident("ZEF"));
    SIM_OK(Sim.Set(RegisterTable::Input, 4, 0x0105));  // firmware 1.05
    SIM_OK(Sim.Set(RegisterTable::Input, 5, 0x0001));  // serial number 123456
    SIM_OK(Sim.Set(RegisterTable::Input, 6, 0xE240));
    // The stored settings equal the active ones, so that a restart changes nothing.
    SIM_OK(Sim.Set(RegisterTable::Holding, 512, 1));
    SIM_OK(Sim.Set(RegisterTable::Holding, 513, 4));
    SIM_OK(Sim.Set(RegisterTable::Holding, 514, 2));
    for (uint16_t reg = 256; reg <= 259; ++reg)
        SIM_OK(Sim.Set(RegisterTable::Holding, reg, 0));
    SIM_OK(Sim.Clear());
    ASSERT_TRUE(Tool.Start()) << "zef-config.exe did not show its main window";
}

std::string ToolTest::Text(int Place) const
{
    return WindowProbe::Text(Control(Place));
}

void ToolTest::Choose(int Place, const std::string& Item)
{
    HWND list = Control(Place);
    UserInput::ClickCentre(list);
    HWND dropped = Tool.WaitForWindow("ComboLBox", nullptr, 3000);
    ASSERT_NE(nullptr, dropped) << "the list did not drop down";
    std::vector<std::string> items = WindowProbe::ListItems(list);
    auto found = std::find(items.begin(), items.end(), Item);
    std::string all;
    for (const std::string& item : items)
        all += " \"" + item + "\"";
    ASSERT_NE(items.end(), found) << "no item " << Item << " among" << all;
    const int index = static_cast<int>(found - items.begin());
    const int top = static_cast<int>(SendMessageW(dropped, LB_GETTOPINDEX, 0, 0));
    const int height = static_cast<int>(SendMessageW(dropped, LB_GETITEMHEIGHT, 0, 0));
    RECT client;
    GetClientRect(dropped, &client);
    const int y = (index - top) * height + height / 2;
    ASSERT_TRUE(y > 0 && y < client.bottom) << "the item is not in view in the dropped-down list";
    UserInput::ClickClient(dropped, client.right / 2, y);
    ASSERT_TRUE(ToolProcess::WaitUntilGone(dropped, 3000)) << "the list stayed dropped down";
    Tool.Settle();
}

bool ToolTest::TabTo(int Place)
{
    HWND target = Control(Place);
    for (int presses = 0; presses < 40; ++presses) {
        if (Tool.FocusedWindow() == target)
            return true;
        UserInput::Key(VK_TAB);
    }
    return Tool.FocusedWindow() == target;
}

void ToolTest::Click(int Place)
{
    UserInput::ClickCentre(Control(Place));
    Tool.Settle();
}

void ToolTest::TypeInto(int Place, const char* Text)
{
    UserInput::ClickCentre(Control(Place));
    UserInput::Key(VK_HOME);
    UserInput::Key(VK_END, VK_SHIFT);
    UserInput::Key(VK_DELETE);
    UserInput::Type(Text);
    Tool.Settle();
}

HWND ToolTest::OpenSettingsDialog()
{
    UserInput::ClickCentre(Control(SettingsButtonPlace));
    return Tool.WaitForWindow("#32770", "MODBUS RTU", 5000);
}
