// The main window as the operator first sees it: its frame, the 36 controls of its layout,
// the choice lists, the colours, and the Tab order.
#include "ToolTest.h"
#include "UserInput.h"
#include "WindowProbe.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Styles of the control kinds.
const DWORD LabelStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
const DWORD DisplayStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_RIGHT;
const DWORD GroupStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | BS_GROUPBOX;
const DWORD ButtonStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
const DWORD CheckStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX;
const DWORD ListStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_GROUP | WS_TABSTOP | CBS_SORT | CBS_DROPDOWNLIST;
const DWORD EntryStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_RIGHT;

struct Row {
    const char* Class;
    DWORD Style;
    DWORD ExStyle;
    int X, Y, Width, Height;  // Height of a list: with its dropped-down part
    int Id;
    const char* Text;
};

// Columns: class, style, extended style, x, y, width, height, id, text.
const Row Layout[36] = {
    {"Static", LabelStyle, 0, 388, 14, 40, 18, 0, "Port:"},
    {"ComboBox", ListStyle, WS_EX_CLIENTEDGE, 438, 10, 80, 160, 101, ""},
    {"Button", ButtonStyle, 0, 528, 10, 32, 24, 102, "..."},
    {"Static", LabelStyle, 0, 10, 10, 90, 20, 0, "P\xF8" "evodn\xEDk:"},  // "Převodník:"
    {"Static", DisplayStyle, WS_EX_CLIENTEDGE, 110, 10, 100, 20, 0, ""},
    {"Static", LabelStyle, 0, 10, 35, 90, 20, 0, "Firmware:"},
    {"Static", DisplayStyle, WS_EX_CLIENTEDGE, 110, 35, 100, 20, 0, ""},
    {"Static", LabelStyle, 0, 10, 60, 90, 20, 0, "V\xFDrobn\xED \xE8\xEDslo:"},  // "Výrobní číslo:"
    {"Static", DisplayStyle, WS_EX_CLIENTEDGE, 110, 60, 100, 20, 0, ""},
    {"Button", GroupStyle, 0, 10, 90, 170, 155, 0, "Komunikace:"},
    {"Static", LabelStyle, 0, 20, 117, 65, 20, 0, "Adresa"},
    {"ComboBox", ListStyle, WS_EX_CLIENTEDGE, 95, 115, 75, 200, 104, ""},
    {"Static", LabelStyle, 0, 20, 147, 65, 20, 0, "Rychlost"},
    {"ComboBox", ListStyle, WS_EX_CLIENTEDGE, 95, 145, 75, 200, 105, ""},
    {"Static", LabelStyle, 0, 20, 177, 65, 20, 0, "Parita"},
    {"ComboBox", ListStyle, WS_EX_CLIENTEDGE, 95, 175, 75, 200, 106, ""},
    {"Button", ButtonStyle, 0, 20, 212, 150, 22, 107, "Restart"},
    {"Button", GroupStyle, 0, 190, 90, 220, 155, 0, "Hodnoty v\xE8" "etn\xEC korekce:"},  // "Hodnoty včetně korekce:"
    {"Static", LabelStyle, 0, 200, 115, 130, 20, 0, "Teplota [\xB0" "C]"},  // "Teplota [°C]"
    {"Static", DisplayStyle, WS_EX_CLIENTEDGE, 340, 115, 60, 20, 0, ""},
    {"Static", LabelStyle, 0, 200, 140, 130, 20, 0, "Rel. vlhkost [%]"},
    {"Static", DisplayStyle, WS_EX_CLIENTEDGE, 340, 140, 60, 20, 0, ""},
    {"Static", LabelStyle, 0, 200, 165, 130, 20, 0, "Abs. vlhkost [g/m3]"},
    {"Static", DisplayStyle, WS_EX_CLIENTEDGE, 340, 165, 60, 20, 0, ""},
    {"Static", LabelStyle, 0, 200, 190, 130, 20, 0, "Rosn\xFD bod [\xB0" "C]"},  // "Rosný bod [°C]"
    {"Static", DisplayStyle, WS_EX_CLIENTEDGE, 340, 190, 60, 20, 0, ""},
    {"Button", CheckStyle, 0, 200, 215, 60, 20, 108, "\xC8\xEDst"},  // "Číst"
    {"Button", GroupStyle, 0, 420, 90, 140, 155, 0, "Korekce:"},
    {"Edit", EntryStyle, WS_EX_CLIENTEDGE, 430, 115, 60, 20, 0, ""},
    {"Button", ButtonStyle, 0, 500, 115, 50, 20, 109, "Z\xE1pis"},  // "Zápis"
    {"Edit", EntryStyle, WS_EX_CLIENTEDGE, 430, 140, 60, 20, 0, ""},
    {"Button", ButtonStyle, 0, 500, 140, 50, 20, 110, "Z\xE1pis"},  // "Zápis"
    {"Edit", EntryStyle, WS_EX_CLIENTEDGE, 430, 165, 60, 20, 0, ""},
    {"Button", ButtonStyle, 0, 500, 165, 50, 20, 111, "Z\xE1pis"},  // "Zápis"
    {"Edit", EntryStyle, WS_EX_CLIENTEDGE, 430, 190, 60, 20, 0, ""},
    {"Button", ButtonStyle, 0, 500, 190, 50, 20, 112, "Z\xE1pis"},  // "Zápis"
};

std::string Hex(DWORD value)
{
    char text[16];
    snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

// The caption's icon, drawn from the window class's icon, is the only place with the pure
// cyan of icon 1's droplet.
bool CaptionShowsTheIcon(HWND Main)
{
    RECT frame;
    GetWindowRect(Main, &frame);
    HDC screen = GetDC(nullptr);
    bool found = false;
    for (int y = frame.top; y < frame.top + 24 && !found; ++y)
        for (int x = frame.left; x < frame.left + 24 && !found; ++x)
            found = GetPixel(screen, x, y) == RGB(0, 255, 255);
    ReleaseDC(nullptr, screen);
    return found;
}

using LayoutTest = ToolTest;

TEST_F(LayoutTest, MainWindowIsAFixedSizeGreyWindowTitledZefConfig)
{
    HWND main = Tool.MainWindow();
    WindowProbe::Facts facts = WindowProbe::Read(main);
    EXPECT_EQ("ZEF config", facts.Text);
    EXPECT_EQ("VoxWindow", facts.Class);
    EXPECT_EQ(575, facts.Placement.right - facts.Placement.left) << "outer width";
    EXPECT_EQ(283, facts.Placement.bottom - facts.Placement.top) << "outer height";
    const DWORD required = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    EXPECT_EQ(required, facts.Style & required) << "style " << Hex(facts.Style);
    EXPECT_EQ(0u, facts.Style & (WS_MAXIMIZEBOX | WS_THICKFRAME)) << "style " << Hex(facts.Style)
                                                                  << ": neither maximisable nor sizeable";
    EXPECT_TRUE(CaptionShowsTheIcon(main)) << "the caption shows icon 1: its cyan droplet";
}

TEST_F(LayoutTest, ChildrenFollowTheLayoutTableInCreationOrder)
{
    std::vector<HWND> children = WindowProbe::Children(Tool.MainWindow());
    ASSERT_EQ(36u, children.size()) << "number of controls";
    for (int i = 0; i < 36; ++i) {
        const Row& row = Layout[i];
        WindowProbe::Facts facts = WindowProbe::Read(children[i]);
        SCOPED_TRACE("control " + std::to_string(i + 1) + " \"" + row.Text + "\"");
        EXPECT_EQ(0, _stricmp(row.Class, facts.Class.c_str())) << "class " << facts.Class;
        const bool list = row.Class == std::string("ComboBox");
        // A combo box hands its scroll bar style to its drop-down list and draws its own edge.
        EXPECT_EQ(Hex(list ? row.Style & ~WS_VSCROLL : row.Style), Hex(facts.Style)) << "style";
        EXPECT_EQ(Hex(list ? 0 : row.ExStyle), Hex(facts.ExStyle)) << "extended style";
        EXPECT_EQ(row.X, facts.Placement.left) << "x";
        EXPECT_EQ(row.Y, facts.Placement.top) << "y";
        EXPECT_EQ(row.Width, facts.Placement.right - facts.Placement.left) << "width";
        if (!list) {
            EXPECT_EQ(row.Height, facts.Placement.bottom - facts.Placement.top) << "height";
        } else {
            // The closed box and, below it, the rectangle of its dropped-down list.
            RECT dropped{};
            SendMessageW(children[i], CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            const int closedHeight = facts.Placement.bottom - facts.Placement.top;
            EXPECT_EQ(row.Height, closedHeight + dropped.bottom - dropped.top) << "height with the dropped-down list";
        }
        EXPECT_EQ(row.Id, facts.Id) << "id";
        EXPECT_EQ(row.Text, facts.Text) << "text";
    }
}

TEST_F(LayoutTest, ChoiceListsHoldTheirItemsInTableOrderWithoutSelection)
{
    std::vector<std::string> addresses = WindowProbe::ListItems(Control(AddressListPlace));
    ASSERT_EQ(247u, addresses.size()) << "addresses 1 to 247";
    for (int i = 0; i < 247; ++i)
        ASSERT_EQ(std::to_string(i + 1), addresses[i]) << "position " << i << ": inserted by position despite CBS_SORT";
    EXPECT_EQ("10", addresses[9]);

    EXPECT_EQ((std::vector<std::string>{"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"}),
              WindowProbe::ListItems(Control(BaudRateListPlace)));
    EXPECT_EQ((std::vector<std::string>{"None", "Odd", "Even", "Mark"}),
              WindowProbe::ListItems(Control(ParityListPlace)))
        << "no space parity";

    std::vector<std::string> ports = WindowProbe::ListItems(Control(PortListPlace));
    EXPECT_NE(ports.end(), std::find(ports.begin(), ports.end(), Port))
        << "the simulated sensor's port " << Port << " is offered";

    for (int place : {PortListPlace, AddressListPlace, BaudRateListPlace, ParityListPlace})
        EXPECT_EQ(-1, WindowProbe::Selection(Control(place))) << "list at place " << place << " starts without selection";
    for (int place : {IdentificationPlace, FirmwarePlace, SerialNumberPlace, FirstMeasurementPlace, FirstCorrectionPlace})
        EXPECT_EQ("", Text(place)) << "field at place " << place << " starts empty";
}

TEST_F(LayoutTest, LabelsAndDisplaysDrawOnLightGreyWhileEntriesKeepTheWindowColour)
{
    const COLORREF grey = RGB(192, 192, 192);
    // Columns: place, a client point of that control where no text is drawn.
    const struct { int Place; int X; int Y; } greyPoints[] = {
        {1, 38, 2},                   // "Port:" label, right end
        {IdentificationPlace, 4, 4},  // empty value display, inside its edge
        {FirstMeasurementPlace, 4, 4},
    };
    for (const auto& point : greyPoints)
        EXPECT_EQ(Hex(grey), Hex(WindowProbe::ClientPixel(Control(point.Place), point.X, point.Y)))
            << "control at place " << point.Place;
    EXPECT_EQ(Hex(grey), Hex(WindowProbe::ClientPixel(Tool.MainWindow(), 300, 40))) << "client area";
    EXPECT_EQ(Hex(GetSysColor(COLOR_WINDOW)), Hex(WindowProbe::ClientPixel(Control(FirstCorrectionPlace), 4, 4)))
        << "correction entry";
}

TEST_F(LayoutTest, TabWalksTheTabStopsInTableOrderAndWraps)
{
    Tool.Activate();
    const int order[] = {PortListPlace, SettingsButtonPlace, AddressListPlace, BaudRateListPlace, ParityListPlace,
                         RestartPlace, ReadCheckBoxPlace, 29, 30, 31, 32, 33, 34, 35, 36, PortListPlace};
    ASSERT_TRUE(TabTo(PortListPlace)) << "Tab never reached the port list";
    for (size_t i = 1; i < sizeof order / sizeof order[0]; ++i) {
        UserInput::Key(VK_TAB);
        EXPECT_EQ(Control(order[i]), Tool.FocusedWindow()) << "Tab number " << i << " should reach place " << order[i];
    }
    UserInput::Key(VK_TAB, VK_SHIFT);
    EXPECT_EQ(Control(36), Tool.FocusedWindow()) << "Shift+Tab goes back to the last Zápis button";
}

}  // namespace
