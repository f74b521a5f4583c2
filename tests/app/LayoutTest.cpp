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
    const wchar_t* Class;
    DWORD Style;
    DWORD ExStyle;
    int X, Y, Width, Height;  // Height of a list: with its dropped-down part
    int Id;
    const wchar_t* Text;
};

// Columns: class, style, extended style, x, y, width, height, id, text.
const Row Layout[36] = {
    {L"Static", LabelStyle, 0, 388, 14, 40, 18, 0, L"Port:"},
    {L"ComboBox", ListStyle, WS_EX_CLIENTEDGE, 438, 10, 80, 160, 101, L""},
    {L"Button", ButtonStyle, 0, 528, 10, 32, 24, 102, L"..."},
    {L"Static", LabelStyle, 0, 10, 10, 90, 20, 0, L"P\u0159evodn\u00EDk:"},
    {L"Static", DisplayStyle, WS_EX_CLIENTEDGE, 110, 10, 100, 20, 0, L""},
    {L"Static", LabelStyle, 0, 10, 35, 90, 20, 0, L"Firmware:"},
    {L"Static", DisplayStyle, WS_EX_CLIENTEDGE, 110, 35, 100, 20, 0, L""},
    {L"Static", LabelStyle, 0, 10, 60, 90, 20, 0, L"V\u00FDrobn\u00ED \u010D\u00EDslo:"},
    {L"Static", DisplayStyle, WS_EX_CLIENTEDGE, 110, 60, 100, 20, 0, L""},
    {L"Button", GroupStyle, 0, 10, 90, 170, 155, 0, L"Komunikace:"},
    {L"Static", LabelStyle, 0, 20, 117, 65, 20, 0, L"Adresa"},
    {L"ComboBox", ListStyle, WS_EX_CLIENTEDGE, 95, 115, 75, 200, 104, L""},
    {L"Static", LabelStyle, 0, 20, 147, 65, 20, 0, L"Rychlost"},
    {L"ComboBox", ListStyle, WS_EX_CLIENTEDGE, 95, 145, 75, 200, 105, L""},
    {L"Static", LabelStyle, 0, 20, 177, 65, 20, 0, L"Parita"},
    {L"ComboBox", ListStyle, WS_EX_CLIENTEDGE, 95, 175, 75, 200, 106, L""},
    {L"Button", ButtonStyle, 0, 20, 212, 150, 22, 107, L"Restart"},
    {L"Button", GroupStyle, 0, 190, 90, 220, 155, 0, L"Hodnoty v\u010Detn\u011B korekce:"},
    {L"Static", LabelStyle, 0, 200, 115, 130, 20, 0, L"Teplota [\u00B0C]"},
    {L"Static", DisplayStyle, WS_EX_CLIENTEDGE, 340, 115, 60, 20, 0, L""},
    {L"Static", LabelStyle, 0, 200, 140, 130, 20, 0, L"Rel. vlhkost [%]"},
    {L"Static", DisplayStyle, WS_EX_CLIENTEDGE, 340, 140, 60, 20, 0, L""},
    {L"Static", LabelStyle, 0, 200, 165, 130, 20, 0, L"Abs. vlhkost [g/m3]"},
    {L"Static", DisplayStyle, WS_EX_CLIENTEDGE, 340, 165, 60, 20, 0, L""},
    {L"Static", LabelStyle, 0, 200, 190, 130, 20, 0, L"Rosn\u00FD bod [\u00B0C]"},
    {L"Static", DisplayStyle, WS_EX_CLIENTEDGE, 340, 190, 60, 20, 0, L""},
    {L"Button", CheckStyle, 0, 200, 215, 60, 20, 108, L"\u010C\u00EDst"},
    {L"Button", GroupStyle, 0, 420, 90, 140, 155, 0, L"Korekce:"},
    {L"Edit", EntryStyle, WS_EX_CLIENTEDGE, 430, 115, 60, 20, 0, L""},
    {L"Button", ButtonStyle, 0, 500, 115, 50, 20, 109, L"Z\u00E1pis"},
    {L"Edit", EntryStyle, WS_EX_CLIENTEDGE, 430, 140, 60, 20, 0, L""},
    {L"Button", ButtonStyle, 0, 500, 140, 50, 20, 110, L"Z\u00E1pis"},
    {L"Edit", EntryStyle, WS_EX_CLIENTEDGE, 430, 165, 60, 20, 0, L""},
    {L"Button", ButtonStyle, 0, 500, 165, 50, 20, 111, L"Z\u00E1pis"},
    {L"Edit", EntryStyle, WS_EX_CLIENTEDGE, 430, 190, 60, 20, 0, L""},
    {L"Button", ButtonStyle, 0, 500, 190, 50, 20, 112, L"Z\u00E1pis"},
};

std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (wchar_t c : text)
        narrow += c < 128 ? static_cast<char>(c) : '?';
    return narrow;
}

std::string Hex(DWORD value)
{
    char text[16];
    snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

using LayoutTest = ToolTest;

TEST_F(LayoutTest, MainWindowIsAFixedSizeGreyWindowTitledZefConfig)
{
    HWND main = Tool.MainWindow();
    WindowProbe::Facts facts = WindowProbe::Read(main);
    EXPECT_EQ(L"ZEF config", facts.Text);
    EXPECT_EQ(L"VoxWindow", facts.Class);
    EXPECT_EQ(575, facts.Placement.right - facts.Placement.left) << "outer width";
    EXPECT_EQ(283, facts.Placement.bottom - facts.Placement.top) << "outer height";
    const DWORD required = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    EXPECT_EQ(required, facts.Style & required) << "style " << Hex(facts.Style);
    EXPECT_EQ(0u, facts.Style & (WS_MAXIMIZEBOX | WS_THICKFRAME)) << "style " << Hex(facts.Style)
                                                                  << ": neither maximisable nor sizeable";
    EXPECT_NE(0u, GetClassLongPtrW(main, GCLP_HICON)) << "the class has icon 1";
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(GetStockObject(LTGRAY_BRUSH)), GetClassLongPtrW(main, GCLP_HBRBACKGROUND))
        << "the class background is the light grey stock brush";
}

TEST_F(LayoutTest, ChildrenFollowTheLayoutTableInCreationOrder)
{
    std::vector<HWND> children = WindowProbe::Children(Tool.MainWindow());
    ASSERT_EQ(36u, children.size()) << "number of controls";
    for (int i = 0; i < 36; ++i) {
        const Row& row = Layout[i];
        WindowProbe::Facts facts = WindowProbe::Read(children[i]);
        SCOPED_TRACE("control " + std::to_string(i + 1) + " \"" + Narrow(row.Text) + "\"");
        EXPECT_EQ(0, _wcsicmp(row.Class, facts.Class.c_str())) << "class " << Narrow(facts.Class);
        EXPECT_EQ(Hex(row.Style), Hex(facts.Style)) << "style";
        EXPECT_EQ(Hex(row.ExStyle), Hex(facts.ExStyle)) << "extended style";
        EXPECT_EQ(row.X, facts.Placement.left) << "x";
        EXPECT_EQ(row.Y, facts.Placement.top) << "y";
        EXPECT_EQ(row.Width, facts.Placement.right - facts.Placement.left) << "width";
        if (row.Class != std::wstring(L"ComboBox")) {
            EXPECT_EQ(row.Height, facts.Placement.bottom - facts.Placement.top) << "height";
        } else {
            RECT dropped{};
            SendMessageW(children[i], CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            EXPECT_EQ(row.Height, dropped.bottom - dropped.top) << "height with the dropped-down list";
        }
        EXPECT_EQ(row.Id, facts.Id) << "id";
        EXPECT_EQ(row.Text, facts.Text) << "text";
    }
}

TEST_F(LayoutTest, ChoiceListsHoldTheirItemsInTableOrderWithoutSelection)
{
    std::vector<std::wstring> addresses = WindowProbe::ListItems(Control(AddressListPlace));
    ASSERT_EQ(247u, addresses.size()) << "addresses 1 to 247";
    for (int i = 0; i < 247; ++i)
        ASSERT_EQ(std::to_wstring(i + 1), addresses[i]) << "position " << i << ": inserted by position despite CBS_SORT";
    EXPECT_EQ(L"10", addresses[9]);

    EXPECT_EQ((std::vector<std::wstring>{L"1200", L"2400", L"4800", L"9600", L"19200", L"38400", L"57600", L"115200"}),
              WindowProbe::ListItems(Control(BaudRateListPlace)));
    EXPECT_EQ((std::vector<std::wstring>{L"None", L"Odd", L"Even", L"Mark"}),
              WindowProbe::ListItems(Control(ParityListPlace)))
        << "no space parity";

    std::vector<std::wstring> ports = WindowProbe::ListItems(Control(PortListPlace));
    EXPECT_NE(ports.end(), std::find(ports.begin(), ports.end(), std::wstring(Port.begin(), Port.end())))
        << "the simulated sensor's port " << Port << " is offered";

    for (int place : {PortListPlace, AddressListPlace, BaudRateListPlace, ParityListPlace})
        EXPECT_EQ(-1, WindowProbe::Selection(Control(place))) << "list at place " << place << " starts without selection";
    for (int place : {IdentificationPlace, FirmwarePlace, SerialNumberPlace, FirstMeasurementPlace, FirstCorrectionPlace})
        EXPECT_EQ(L"", Text(place)) << "field at place " << place << " starts empty";
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
