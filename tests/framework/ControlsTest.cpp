#include "Button.h"
#include "CheckBox.h"
#include "ComboBox.h"
#include "Edit.h"
#include "GroupBox.h"
#include "ListBox.h"
#include "NumberEdit.h"
#include "ReleasedArrays.h"
#include "Static.h"
#include "StrCollection.h"
#include "TestParent.h"
#include "Thunk.h"
#include "ValueDisplay.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

char* NewString(const char* text)
{
    return std::strcpy(new char[std::strlen(text) + 1], text);
}

// A collection of copies of the texts, in the collection's byte order.
StrCollection* Strings(std::initializer_list<const char*> texts)
{
    auto* strings = new StrCollection(10, 10);
    for (const char* text : texts)
        strings->Insert(NewString(text));
    return strings;
}

std::string ClassName(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The items of a list or combo box, in list order.
std::vector<std::string> Items(ListBox* list)
{
    std::vector<std::string> items;
    for (int i = 0; list->GetStringLength(i) >= 0; ++i) {
        std::string item(static_cast<std::size_t>(list->GetStringLength(i)), '\0');
        list->GetString(&item[0], i);
        items.push_back(item);
    }
    return items;
}

// Types characters into a window as the keyboard would deliver them.
void Type(HWND window, const std::string& text)
{
    for (char c : text)
        SendMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
}

// The edit field inside an editable combo box.
HWND ComboEdit(ComboBox* combo)
{
    return FindWindowExA(combo->Handle, nullptr, "Edit", nullptr);
}

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Parent = new TestParent();
        ASSERT_TRUE(Parent->CreateHandle()) << "the parent window must exist";
    }
    void TearDown() override { WindowsObject::Delete(Parent); }

    // The control, with its window created under the parent.
    template <typename ControlType>
    ControlType* Created(ControlType* control)
    {
        EXPECT_TRUE(control->CreateHandle()) << "the control's window was not created";
        return control;
    }

    TestParent* Parent = nullptr;
};

TEST_F(ControlsTest, EachKindCreatesItsClassWithItsOwnStyle)
{
    // kind, object to create, Style, ExStyle, class of the window, control id, title
    struct Case {
        const char* Kind;
        std::function<Window*(WindowsObject*)> Make;
        std::uint32_t Style;
        std::uint32_t ExStyle;
        const char* ClassName;
        int Id;
        const char* Title;
    };
    const Case cases[] = {
        {"GroupBox", [](WindowsObject* p) { return new GroupBox(p, "Group", 5, 5, 100, 50, 11); }, 0x50020007, 0, "Button", 11, "Group"},
        {"Button", [](WindowsObject* p) { return new Button(p, "Push", 5, 5, 60, 20, 12); }, 0x50030000, 0, "Button", 12, "Push"},
        {"CheckBox", [](WindowsObject* p) { return new CheckBox(p, "Check", 5, 5, 60, 20, 13); }, 0x50030003, 0, "Button", 13, "Check"},
        {"Static", [](WindowsObject* p) { return new Static(p, "Label", 5, 5, 60, 20, 14, 0); }, 0x50020000, 0, "Static", 14, "Label"},
        {"Edit", [](WindowsObject* p) { return new Edit(p, "Text", 5, 5, 60, 20, 15, 0, false); }, 0x50030080, 0x200, "Edit", 15, "Text"},
        {"Edit multiline", [](WindowsObject* p) { return new Edit(p, "Lines", 5, 5, 60, 60, 16, 0, true); }, 0x50331004, 0x200, "Edit", 16, "Lines"},
        {"ListBox", [](WindowsObject* p) { return new ListBox(p, 5, 5, 60, 60, 17); }, 0x50230003, 0x200, "ListBox", 17, ""},
        {"ComboBox", [](WindowsObject* p) { return new ComboBox(p, 5, 5, 60, 80, 18, 0, false); }, 0x50230103, 0x200, "ComboBox", 18, ""},
        {"ComboBox editable", [](WindowsObject* p) { return new ComboBox(p, 5, 5, 60, 80, 19, 0, true); }, 0x50230142, 0x200, "ComboBox", 19, ""},
        {"ValueDisplay", [](WindowsObject* p) { return new ValueDisplay(p, "1.05", 5, 5, 60, 20); }, 0x50020002, 0x200, "Static", 0, "1.05"},
        {"NumberEdit", [](WindowsObject* p) { return new NumberEdit(p, "", 5, 5, 60, 20, 20); }, 0x50030002, 0x200, "Edit", 20, ""},
    };
    for (const Case& c : cases) {
        Window* control = Created(c.Make(Parent));
        EXPECT_EQ(c.Style, control->Style) << c.Kind << ": the kind's own style, not added to its base's";
        EXPECT_EQ(c.ExStyle, control->ExStyle) << c.Kind;
        // List and combo boxes show and hide their scroll bars themselves, and a combo box
        // draws its own edge in place of the extended style.
        const std::uint32_t selfManaged = WS_VSCROLL | WS_HSCROLL;
        auto windowStyle = static_cast<std::uint32_t>(GetWindowLongA(control->Handle, GWL_STYLE));
        EXPECT_EQ(c.Style & ~selfManaged, windowStyle & c.Style & ~selfManaged) << c.Kind << ": window style " << std::hex << windowStyle;
        if (ClassName(control->Handle) != "ComboBox") {
            auto windowExStyle = static_cast<std::uint32_t>(GetWindowLongA(control->Handle, GWL_EXSTYLE));
            EXPECT_EQ(c.ExStyle, windowExStyle & WS_EX_CLIENTEDGE) << c.Kind;
        }
        EXPECT_STRCASEEQ(c.ClassName, ClassName(control->Handle).c_str()) << c.Kind;
        EXPECT_EQ(c.Id, GetDlgCtrlID(control->Handle)) << c.Kind;
        EXPECT_EQ(Parent->Handle, GetParent(control->Handle)) << c.Kind;
        EXPECT_EQ(control, ObjectFromHandle(control->Handle)) << c.Kind << ": the window is subclassed by its object";
        if (c.Kind != std::string("ComboBox") && c.Kind != std::string("ComboBox editable")) {
            EXPECT_EQ(c.Title, WindowText(control->Handle)) << c.Kind;
        }
    }
}

TEST_F(ControlsTest, InsertAtTheEndKeepsTheFillingOrderWhileAddSorts)
{
    // list kind, made with its sorted style
    const std::function<ListBox*(WindowsObject*)> kinds[] = {
        [](WindowsObject* p) { return new ComboBox(p, 5, 5, 80, 200, 30, 0, false); },
        [](WindowsObject* p) { return new ListBox(p, 5, 5, 80, 200, 31); },
    };
    for (const auto& make : kinds) {
        ListBox* inserted = Created(make(Parent));
        ListBox* added = Created(make(Parent));
        for (int address = 1; address <= 247; ++address) {
            std::string text = std::to_string(address);
            EXPECT_EQ(address - 1, inserted->InsertString(text.c_str(), -1)) << "index of the appended item " << text;
            added->AddString(text.c_str());
        }
        std::vector<std::string> items = Items(inserted);
        ASSERT_EQ(247u, items.size());
        for (int address = 1; address <= 247; ++address)
            EXPECT_EQ(std::to_string(address), items[std::size_t(address - 1)]) << "numeric order kept in " << ClassName(inserted->Handle);
        std::vector<std::string> sorted = Items(added);
        ASSERT_EQ(247u, sorted.size());
        EXPECT_EQ("1", sorted[0]);
        EXPECT_EQ("10", sorted[1]) << "AddString puts items in sorted place in " << ClassName(added->Handle);
        EXPECT_EQ("100", sorted[2]);
    }
}

TEST_F(ControlsTest, ListOperationsOfListAndComboBox)
{
    const std::function<ListBox*(WindowsObject*)> kinds[] = {
        [](WindowsObject* p) { return new ListBox(p, 5, 5, 80, 100, 32); },
        [](WindowsObject* p) { return new ComboBox(p, 5, 5, 80, 100, 33, 0, false); },
    };
    for (const auto& make : kinds) {
        ListBox* list = Created(make(Parent));
        std::string kind = ClassName(list->Handle);
        list->AddString("gamma");
        list->AddString("alpha");
        list->AddString("beta");
        char buffer[16] = {};
        EXPECT_EQ(4, list->GetStringLength(1)) << kind;
        EXPECT_EQ(4, list->GetString(buffer, 1)) << kind;
        EXPECT_STREQ("beta", buffer) << kind;
        EXPECT_EQ(-1, list->GetStringLength(3)) << kind << ": bad index";
        EXPECT_EQ(-1, list->GetSelIndex()) << kind << ": nothing selected at first";
        EXPECT_EQ(2, list->SetSelString("GA", -1)) << kind << ": prefix, letter case ignored";
        EXPECT_EQ(2, list->GetSelIndex()) << kind;
        EXPECT_EQ(-1, list->SetSelString("delta", -1)) << kind;
        list->SetSelIndex(0);
        EXPECT_EQ(0, list->GetSelIndex()) << kind;
        list->SetSelIndex(-1);
        EXPECT_EQ(-1, list->GetSelIndex()) << kind;
        list->ClearList();
        EXPECT_EQ(-1, list->GetStringLength(0)) << kind << ": emptied";
    }
}

TEST_F(ControlsTest, GetSelStringCopiesAtMostMaxChars)
{
    // selected item, MaxChars, result, buffer afterwards (prefilled with 'x')
    const struct {
        const char* Item;
        int MaxChars;
        int Result;
        const char* Buffer;
    } cases[] = {
        {"COM1234567", 10, 10, "COM1234567"},  // equal: the whole item goes straight into the buffer
        {"COM1234567", 12, 10, "COM1234567"},
        {"COM1234567", 7, 7, "COM1234"},       // shorter: through a block, terminated after 7
        {"COM1234567", 0, 0, ""},
        {nullptr, 7, -1, "xxxxxxxxxxxxxxx"},   // no selection: the buffer is left as it was
    };
    auto* combo = Created(new ComboBox(Parent, 5, 5, 80, 100, 34, 0, false));
    combo->AddString("COM1234567");
    for (const auto& c : cases) {
        combo->SetSelIndex(c.Item ? 0 : -1);
        char buffer[16];
        std::memset(buffer, 'x', sizeof buffer - 1);
        buffer[15] = '\0';
        EXPECT_EQ(c.Result, combo->GetSelString(buffer, c.MaxChars)) << "MaxChars " << c.MaxChars;
        EXPECT_STREQ(c.Buffer, buffer) << "MaxChars " << c.MaxChars;
        if (c.Result >= 0 && c.Result < 14) {
            EXPECT_EQ('x', buffer[c.Result + 1]) << "nothing written after the terminator, MaxChars " << c.MaxChars;
        }
    }
}

TEST_F(ControlsTest, TextLimitLeavesRoomForTheTerminator)
{
    // TextLength, characters typed, characters kept
    const struct {
        int TextLength;
        std::size_t Kept;
    } cases[] = {{16, 15}, {0, 20}, {2, 1}};
    const std::string typed = "12345678901234567890";
    for (const auto& c : cases) {
        auto* edit = Created(new Edit(Parent, "", 5, 5, 200, 20, 40, c.TextLength, false));
        Type(edit->Handle, typed);
        EXPECT_EQ(typed.substr(0, c.Kept), WindowText(edit->Handle)) << "edit with TextLength " << c.TextLength;

        auto* combo = Created(new ComboBox(Parent, 5, 30, 200, 100, 41, c.TextLength, true));
        HWND field = ComboEdit(combo);
        ASSERT_NE(nullptr, field);
        Type(field, typed);
        EXPECT_EQ(typed.substr(0, c.Kept), WindowText(combo->Handle)) << "combo box with TextLength " << c.TextLength;
    }
}

TEST_F(ControlsTest, ComboSetTextSelectsAMatchingItemOrSetsTheText)
{
    // text given, selection afterwards (the list starts with item 1 selected), window text
    const struct {
        const char* Text;
        int Selection;
        const char* WindowText;
    } cases[] = {
        {"com", 2, "COM1"},       // the first item that begins with it, letter case ignored
        {"1920", 0, "19200"},
        {"xyz", 1, "xyz"},        // no item: selection kept, the text field takes the text
    };
    for (const auto& c : cases) {
        auto* combo = Created(new ComboBox(Parent, 5, 5, 100, 100, 42, 0, true));
        combo->InsertString("19200", -1);
        combo->InsertString("9600", -1);
        combo->InsertString("COM1", -1);
        combo->SetSelIndex(1);
        combo->SetText(c.Text);
        EXPECT_EQ(c.Selection, combo->GetSelIndex()) << "SetText(\"" << c.Text << "\")";
        EXPECT_EQ(c.WindowText, WindowText(combo->Handle)) << "SetText(\"" << c.Text << "\")";
    }
}

TEST_F(ControlsTest, AutoCheckBoxTogglesOnClickAndTellsItsParent)
{
    auto* check = Created(new CheckBox(Parent, "Read", 5, 5, 80, 20, 106));
    EXPECT_EQ(0u, check->GetCheck());
    SendMessageA(check->Handle, BM_CLICK, 0, 0);
    EXPECT_EQ(1u, check->GetCheck()) << "checked by the first click";
    SendMessageA(check->Handle, BM_CLICK, 0, 0);
    EXPECT_EQ(0u, check->GetCheck()) << "unchecked by the second click";
    ASSERT_EQ(2u, Parent->ChildNotifications.size()) << "one notification per click";
    for (const auto& n : Parent->ChildNotifications) {
        EXPECT_EQ(106u, n.Id) << "the parent learns the check box's id";
        EXPECT_EQ(unsigned(BN_CLICKED), n.Code);
    }
    check->SetCheck(1);
    EXPECT_EQ(1u, check->GetCheck());
}

TEST_F(ControlsTest, EditCommandsSentToTheEditRunItsOperations)
{
    auto* edit = Created(new Edit(Parent, "hello world", 5, 5, 200, 20, 43, 0, false));
    auto command = [&](unsigned id) { SendMessageA(edit->Handle, WM_COMMAND, MAKEWPARAM(id, 0), 0); };

    SendMessageA(edit->Handle, EM_SETSEL, 5, 11);
    command(Edit::CutCommandId);
    EXPECT_EQ("hello", WindowText(edit->Handle)) << "cut";
    command(Edit::PasteCommandId);
    command(Edit::PasteCommandId);
    EXPECT_EQ("hello world world", WindowText(edit->Handle)) << "pasted twice";
    SendMessageA(edit->Handle, EM_SETSEL, 0, 5);
    command(Edit::CopyCommandId);
    SendMessageA(edit->Handle, EM_SETSEL, 17, 17);
    command(Edit::PasteCommandId);
    EXPECT_EQ("hello world worldhello", WindowText(edit->Handle)) << "copied and pasted";
    SendMessageA(edit->Handle, EM_SETSEL, 5, 17);
    command(Edit::DeleteCommandId);
    EXPECT_EQ("hellohello", WindowText(edit->Handle)) << "selection deleted";
    command(Edit::UndoCommandId);
    EXPECT_EQ("hello world worldhello", WindowText(edit->Handle)) << "deletion undone";
    command(Edit::ClearCommandId);
    EXPECT_EQ("", WindowText(edit->Handle)) << "the whole text cleared";

    command(4242);
    ASSERT_EQ(1u, Parent->Commands.size()) << "another command climbs to the parent";
    EXPECT_EQ(4242u, Parent->Commands[0]);
}

// Data exchange: every record in both directions, and its size in direction 0.

const unsigned NoDirection = 0;

TEST_F(ControlsTest, CheckBoxExchangesItsState)
{
    auto* check = Created(new CheckBox(Parent, "c", 5, 5, 80, 20, 50));
    std::uint32_t record = 0xCCCCCCCC;
    check->SetCheck(1);
    EXPECT_EQ(4u, check->ExchangeData(&record, NoDirection));
    EXPECT_EQ(0xCCCCCCCCu, record) << "direction 0 touches no buffer";
    EXPECT_EQ(1u, check->GetCheck()) << "direction 0 touches no control";
    EXPECT_EQ(4u, check->ExchangeData(&record, WindowsObject::DataFromControls));
    EXPECT_EQ(1u, record);
    record = 0;
    EXPECT_EQ(4u, check->ExchangeData(&record, WindowsObject::DataToControls));
    EXPECT_EQ(0u, check->GetCheck());
}

TEST_F(ControlsTest, StaticAndEditExchangeTheirTextInTextLengthBytes)
{
    Static* controls[] = {
        Created(new Static(Parent, "label", 5, 5, 80, 20, 51, 8)),
        Created(new Edit(Parent, "field", 5, 30, 80, 20, 52, 8, false)),
    };
    for (Static* control : controls) {
        std::string kind = ClassName(control->Handle);
        char record[12];
        std::memset(record, 'x', sizeof record);
        EXPECT_EQ(8u, control->ExchangeData(record, NoDirection)) << kind;
        EXPECT_EQ(std::string(12, 'x'), std::string(record, 12)) << kind << ": direction 0 touches no buffer";
        std::strcpy(record, "abcdefgh");
        record[9] = 'y';
        EXPECT_EQ(8u, control->ExchangeData(record, WindowsObject::DataToControls)) << kind;
        EXPECT_EQ("abcdefgh", WindowText(control->Handle)) << kind;
        std::memset(record, 'x', sizeof record);
        EXPECT_EQ(8u, control->ExchangeData(record, WindowsObject::DataFromControls)) << kind;
        EXPECT_STREQ("abcdefg", record) << kind << ": at most TextLength - 1 characters and the terminator";
        EXPECT_EQ('x', record[8]) << kind << ": nothing beyond TextLength bytes";
    }
}

TEST_F(ControlsTest, SingleSelectionListBoxExchangesStringsAndIndex)
{
    auto* list = Created(new ListBox(Parent, 5, 5, 80, 100, 53));
    StrCollection* strings = Strings({"b", "c", "a"});
    ListBox::Record record{};
    std::memset(&record, 0xCC, sizeof record);
    list->AddString("old");
    EXPECT_EQ(2 * sizeof(void*), list->ExchangeData(&record, NoDirection)) << "two 32-bit fields on 32-bit Windows";
    EXPECT_EQ(std::vector<std::string>{"old"}, Items(list)) << "direction 0 touches no control";

    record.Strings = strings;
    record.Selection.Index = 1;
    EXPECT_EQ(2 * sizeof(void*), list->ExchangeData(&record, WindowsObject::DataToControls));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), Items(list)) << "replaced by the strings";
    EXPECT_EQ(1, list->GetSelIndex());

    list->SetSelIndex(2);
    list->ExchangeData(&record, WindowsObject::DataFromControls);
    EXPECT_EQ(2, record.Selection.Index);
    EXPECT_EQ(strings, record.Strings) << "Strings is not written";
    list->SetSelIndex(-1);
    list->ExchangeData(&record, WindowsObject::DataFromControls);
    EXPECT_EQ(-1, record.Selection.Index);
    delete strings;
}

TEST_F(ControlsTest, MultipleSelectionListBoxExchangesASelectionArray)
{
    auto* list = new ListBox(Parent, 5, 5, 80, 100, 54);
    list->Style |= LBS_MULTIPLESEL;
    Created(list);
    StrCollection* strings = Strings({"a", "b", "c", "d"});
    auto isSelected = [&](int index) { return SendMessageA(list->Handle, LB_GETSEL, index, 0) > 0; };

    auto* given = new std::int32_t[3]{2, 1, 3};
    ListBox::Record record{strings, {}};
    record.Selection.Array = given;
    EXPECT_EQ(2 * sizeof(void*), list->ExchangeData(&record, WindowsObject::DataToControls));
    EXPECT_EQ(4u, Items(list).size());
    EXPECT_FALSE(isSelected(0));
    EXPECT_TRUE(isSelected(1));
    EXPECT_FALSE(isSelected(2));
    EXPECT_TRUE(isSelected(3));

    SendMessageA(list->Handle, LB_SETSEL, TRUE, 0);
    list->ExchangeData(&record, WindowsObject::DataFromControls);
    ASSERT_NE(nullptr, record.Selection.Array);
    EXPECT_TRUE(WasReleased(given)) << "the previous array is released";
    EXPECT_EQ(3, record.Selection.Array[0]) << "count of selected items";
    EXPECT_EQ(0, record.Selection.Array[1]);
    EXPECT_EQ(1, record.Selection.Array[2]);
    EXPECT_EQ(3, record.Selection.Array[3]);

    std::int32_t* read = record.Selection.Array;
    SendMessageA(list->Handle, LB_SETSEL, FALSE, -1);
    list->ExchangeData(&record, WindowsObject::DataFromControls);
    EXPECT_EQ(nullptr, record.Selection.Array) << "an empty selection has no block";
    EXPECT_TRUE(WasReleased(read)) << "the previous array is released";

    SendMessageA(list->Handle, LB_SETSEL, TRUE, 2);
    list->ExchangeData(&record, WindowsObject::DataToControls);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(isSelected(i)) << "a null selection deselects item " << i;

    std::memset(&record, 0xCC, sizeof record);
    EXPECT_EQ(2 * sizeof(void*), list->ExchangeData(&record, NoDirection));
    delete strings;
}

TEST_F(ControlsTest, ComboBoxExchangesStringsAndText)
{
    auto* combo = Created(new ComboBox(Parent, 5, 5, 80, 100, 55, 8, true));
    StrCollection* strings = Strings({"9600", "19200", "COM3"});
    // the record: Strings, then the text in TextLength bytes
    const std::size_t size = sizeof(void*) + 8;
    std::vector<char> record(size + 4, 'x');
    EXPECT_EQ(size, combo->ExchangeData(record.data(), NoDirection));
    EXPECT_EQ(std::vector<char>(size + 4, 'x'), record) << "direction 0 touches no buffer";

    std::memcpy(record.data(), &strings, sizeof strings);
    std::strcpy(record.data() + sizeof(void*), "co");
    EXPECT_EQ(size, combo->ExchangeData(record.data(), WindowsObject::DataToControls));
    EXPECT_EQ((std::vector<std::string>{"19200", "9600", "COM3"}), Items(combo)) << "added, so sorted";
    EXPECT_EQ(2, combo->GetSelIndex()) << "the text selects the item it begins";
    EXPECT_EQ("COM3", WindowText(combo->Handle));

    SetWindowTextA(combo->Handle, "edited text");
    EXPECT_EQ(size, combo->ExchangeData(record.data(), WindowsObject::DataFromControls));
    EXPECT_STREQ("edited ", record.data() + sizeof(void*)) << "at most TextLength - 1 characters";
    EXPECT_EQ('x', record[size]) << "nothing beyond the record";
    Collection* stored;
    std::memcpy(&stored, record.data(), sizeof stored);
    EXPECT_EQ(strings, stored) << "Strings is not written";
    delete strings;
}

TEST_F(ControlsTest, ResourceConstructedListsTakePartInDataExchange)
{
    auto* list = new ListBox(Parent, 60);
    auto* combo = new ComboBox(Parent, 61, 16);
    auto* explicitList = Created(new ListBox(Parent, 5, 5, 80, 100, 62));
    EXPECT_TRUE(list->HasFlag(WindowsObject::DataExchange | WindowsObject::FromResource));
    EXPECT_TRUE(combo->HasFlag(WindowsObject::DataExchange | WindowsObject::FromResource));
    EXPECT_EQ(16, combo->TextLength);
    EXPECT_EQ(0u, combo->Style) << "the template decides the style";
    EXPECT_FALSE(explicitList->HasFlag(WindowsObject::DataExchange)) << "explicit construction leaves it off";
    EXPECT_FALSE(list->CreateHandle()) << "the parent has no item 60";
}

TEST_F(ControlsTest, OperationsWithoutAWindowDoNothing)
{
    auto* combo = new ComboBox(Parent, 5, 5, 80, 100, 63, 0, false);
    auto* edit = new NumberEdit(Parent, "", 5, 5, 80, 20, 64);
    auto* display = new ValueDisplay(Parent, "", 5, 5, 80, 20);
    char buffer[8] = "keep";
    EXPECT_EQ(0, combo->AddString("x"));
    EXPECT_EQ(0, combo->GetSelString(buffer, 7)) << "no window: index 0 and length 0";
    EXPECT_STREQ("keep", buffer);
    EXPECT_EQ(0.0f, edit->GetValue());
    display->ShowReal(1.5f);
    EXPECT_FALSE(display->SetText("x"));
}

}  // namespace
