// The resources that zef-config.exe (ZEF_RESOURCE_MODULE) carries: both dialog templates item
// by item, icon 1 and the version information.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

HMODULE ModuleUnderTest()
{
    static HMODULE module =
        LoadLibraryExA(ZEF_RESOURCE_MODULE, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    return module;
}

std::string ModulePath()
{
    return ZEF_RESOURCE_MODULE;
}

std::vector<uint8_t> ResourceBytes(LPCSTR type, int id)
{
    HMODULE module = ModuleUnderTest();
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!info)
        return {};
    auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, info)));
    return std::vector<uint8_t>(data, data + SizeofResource(module, info));
}

// A reader over a classic (non-extended) dialog template.
class TemplateReader {
public:
    explicit TemplateReader(const std::vector<uint8_t>& bytes) : Bytes(bytes) {}
    // Past the end every read yields 0, which also ends any string.
    uint16_t Word()
    {
        uint16_t w = 0;
        if (Pos + 2 <= Bytes.size())
            std::memcpy(&w, &Bytes[Pos], 2);
        Pos += 2;
        return w;
    }
    uint32_t Dword() { uint32_t low = Word(); return low | (uint32_t(Word()) << 16); }
    int16_t Short() { return int16_t(Word()); }
    // A string or an ordinal; an ordinal is returned as "#" followed by its number.
    std::wstring SzOrOrd()
    {
        uint16_t first = Word();
        if (first == 0xFFFF)
            return L"#" + std::to_wstring(Word());
        std::wstring text;
        for (uint16_t c = first; c != 0; c = Word())
            text += wchar_t(c);
        return text;
    }
    void AlignDword() { Pos = (Pos + 3) & ~size_t(3); }

private:
    const std::vector<uint8_t>& Bytes;
    size_t Pos = 0;
};

struct Item {
    std::wstring Class;   // "#" and the predefined class atom
    uint16_t Id;
    std::wstring Text;
    int16_t X, Y, Width, Height;
    uint32_t Style;
};

struct Dialog {
    uint32_t Style;
    uint32_t ExStyle;
    int16_t X, Y, Width, Height;
    std::wstring Menu, Class, Caption;
    std::vector<Item> Items;
};

Dialog ReadDialog(int id)
{
    std::vector<uint8_t> bytes = ResourceBytes(RT_DIALOG, id);
    Dialog d{};
    if (bytes.empty())
        return d;
    TemplateReader r(bytes);
    d.Style = r.Dword();
    d.ExStyle = r.Dword();
    uint16_t count = r.Word();
    d.X = r.Short(); d.Y = r.Short(); d.Width = r.Short(); d.Height = r.Short();
    d.Menu = r.SzOrOrd();
    d.Class = r.SzOrOrd();
    d.Caption = r.SzOrOrd();
    for (uint16_t i = 0; i < count; ++i) {
        r.AlignDword();
        Item item{};
        item.Style = r.Dword();
        r.Dword();  // extended style, zero in a classic template
        item.X = r.Short(); item.Y = r.Short(); item.Width = r.Short(); item.Height = r.Short();
        item.Id = r.Word();
        item.Class = r.SzOrOrd();
        item.Text = r.SzOrOrd();
        uint16_t extra = r.Word();
        for (uint16_t b = 0; b < extra; b += 2)
            r.Word();
        d.Items.push_back(item);
    }
    return d;
}

const uint32_t DialogStyle = WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
const wchar_t* const ButtonAtom = L"#128";
const wchar_t* const EditAtom = L"#129";
const wchar_t* const StaticAtom = L"#130";
const wchar_t* const ComboBoxAtom = L"#133";
const uint32_t LabelStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
const uint32_t ListStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST;
const uint32_t OkStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;

void ExpectItems(const std::vector<Item>& expected, const std::vector<Item>& actual)
{
    ASSERT_EQ(expected.size(), actual.size()) << "number of dialog items";
    for (size_t i = 0; i < expected.size(); ++i) {
        const Item& e = expected[i];
        const Item& a = actual[i];
        SCOPED_TRACE("item " + std::to_string(i + 1));
        EXPECT_EQ(e.Class, a.Class);
        EXPECT_EQ(e.Id, a.Id);
        EXPECT_EQ(e.Text, a.Text);
        EXPECT_EQ(e.X, a.X);
        EXPECT_EQ(e.Y, a.Y);
        EXPECT_EQ(e.Width, a.Width);
        EXPECT_EQ(e.Height, a.Height);
        EXPECT_EQ(e.Style, a.Style) << std::hex << "expected style 0x" << e.Style << ", got 0x" << a.Style;
    }
}

TEST(Resources, SettingsDialogTemplateHasTheLineSettingsItemsInTabOrder)
{
    Dialog d = ReadDialog(1);
    EXPECT_EQ(DialogStyle, d.Style) << std::hex << "got 0x" << d.Style;
    EXPECT_EQ(0u, d.ExStyle);
    EXPECT_EQ(L"MODBUS RTU", d.Caption);
    EXPECT_EQ(L"", d.Menu) << "no menu";
    EXPECT_EQ(L"", d.Class) << "the standard dialog class";
    EXPECT_EQ((std::vector<int>{100, 20, 87, 72}), (std::vector<int>{d.X, d.Y, d.Width, d.Height}));
    // Columns: class, id, text, x, y, width, height, style.
    ExpectItems({
        {ButtonAtom, 1, L"OK", 18, 53, 50, 12, OkStyle},
        {StaticAtom, 0, L"Rychlost", 5, 7, 32, 10, LabelStyle},
        {ComboBoxAtom, 101, L"", 42, 5, 40, 80, ListStyle},
        {StaticAtom, 0, L"Parita", 5, 22, 32, 10, LabelStyle},
        {ComboBoxAtom, 102, L"", 42, 20, 40, 80, ListStyle},
        {StaticAtom, 0, L"Adresa", 5, 37, 32, 10, LabelStyle},
        {ComboBoxAtom, 103, L"", 42, 35, 40, 80, ListStyle},
    }, d.Items);
}

TEST(Resources, SerialNumberDialogTemplateHasADigitsOnlyEntry)
{
    Dialog d = ReadDialog(2);
    EXPECT_EQ(DialogStyle, d.Style) << std::hex << "got 0x" << d.Style;
    // "Výrobní číslo"
    EXPECT_EQ(L"V\u00FDrobn\u00ED \u010D\u00EDslo", d.Caption);
    EXPECT_EQ((std::vector<int>{90, 50, 90, 41}), (std::vector<int>{d.X, d.Y, d.Width, d.Height}));
    ExpectItems({
        {ButtonAtom, 1, L"OK", 20, 23, 50, 12, OkStyle},
        {EditAtom, 101, L"", 5, 5, 80, 12,
         WS_CHILD | WS_VISIBLE | WS_BORDER | WS_GROUP | WS_TABSTOP | ES_NUMBER | ES_RIGHT},
    }, d.Items);
}

TEST(Resources, IconOneIs32By32With16Colours)
{
#pragma pack(push, 2)
    struct GroupEntry {
        uint8_t Width, Height, ColourCount, Reserved;
        uint16_t Planes, BitCount;
        uint32_t Bytes;
        uint16_t Id;
    };
    struct Group {
        uint16_t Reserved, Type, Count;
        GroupEntry Entries[1];
    };
#pragma pack(pop)
    static_assert(sizeof(GroupEntry) == 14, "GRPICONDIRENTRY");
    std::vector<uint8_t> bytes = ResourceBytes(RT_GROUP_ICON, 1);
    ASSERT_GE(bytes.size(), sizeof(Group)) << "icon group 1 is missing";
    Group group;
    std::memcpy(&group, bytes.data(), sizeof group);
    ASSERT_EQ(1, group.Count) << "one image";
    EXPECT_EQ(32, group.Entries[0].Width);
    EXPECT_EQ(32, group.Entries[0].Height);
    EXPECT_EQ(16, group.Entries[0].ColourCount);
    EXPECT_EQ(4, group.Entries[0].BitCount);

    std::vector<uint8_t> image = ResourceBytes(RT_ICON, group.Entries[0].Id);
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    std::memcpy(&header, image.data(), sizeof header);
    EXPECT_EQ(32, header.biWidth);
    EXPECT_EQ(64, header.biHeight) << "colour bitmap and mask";
    EXPECT_EQ(4, header.biBitCount);
}

TEST(Resources, VersionInformationNamesTheProductAndVersion)
{
    std::string path = ModulePath();
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), nullptr);
    ASSERT_NE(0u, size) << "no version resource in " << path;
    std::vector<uint8_t> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS) << "file version 1.0";
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionLS) << "file version .1.0";
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS);
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionLS);

    // Columns: value name in block 040904E4, expected text.
    const struct { const char* Name; const char* Text; } strings[] = {
        {"FileVersion", "1.01"},
        {"ProductVersion", "1.01"},
        {"InternalName", "ZEF config"},
        {"ProductName", "ZEF config"},
    };
    for (const auto& s : strings) {
        char* text = nullptr;
        std::string key = std::string("\\StringFileInfo\\040904E4\\") + s.Name;
        ASSERT_TRUE(VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&text), &length)) << key;
        EXPECT_STREQ(s.Text, text) << key;
    }

    DWORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(4u, length);
    EXPECT_EQ(0x0405u, LOWORD(*translation)) << "language Czech";
    EXPECT_EQ(1252u, HIWORD(*translation)) << "code page";
}

}  // namespace
