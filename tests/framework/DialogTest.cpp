#include "Application.h"
#include "ComboBox.h"
#include "Dialog.h"
#include "DialogTestIds.h"
#include "ListBox.h"
#include "ReleasedArrays.h"
#include "StrCollection.h"
#include "TestParent.h"
#include "Thunk.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// What Execute returns when a test's dialog did not end within its time.
constexpr int TimedOut = -99;

// A dialog that runs a script while its modal loop runs: one step per timer tick, then, if it
// is still open three seconds later, it ends itself with TimedOut. It notes the messages that
// arrive before WM_INITDIALOG and their answers, and whether it was deleted.
class TestDialog : public Dialog {
public:
    using Step = std::function<void(TestDialog&)>;
    struct EarlyMessage {
        UINT Message;
        bool HandleWasZero;
        LRESULT Result;
    };

    TestDialog(WindowsObject* parent, const char* name, bool* deleted = nullptr) : Dialog(parent, name), Deleted(deleted) {}

    std::vector<Step> Steps;
    bool AllowClose = true;
    std::vector<EarlyMessage> BeforeInit;

    bool QueryClose() override { return AllowClose && Dialog::QueryClose(); }

    void HandleMessage(MessageRecord& record) override
    {
        if (record.Message == WM_TIMER && record.WParam == ScriptTimer) {
            RunNextStep();
            return;
        }
        bool early = !Initialized && record.Message != WM_INITDIALOG;
        bool handleWasZero = Handle == nullptr;
        Dialog::HandleMessage(record);
        if (early)
            BeforeInit.push_back({record.Message, handleWasZero, record.Result});
    }

protected:
    ~TestDialog() override
    {
        if (Deleted)
            *Deleted = true;
    }

    void OnInitDialog(MessageRecord& record) override
    {
        Initialized = true;
        Dialog::OnInitDialog(record);
        if (Modal)
            SetTimer(Handle, ScriptTimer, 100, nullptr);
    }

private:
    static constexpr UINT_PTR ScriptTimer = 77;

    void RunNextStep()
    {
        if (NextStep < Steps.size())
            Steps[NextStep++](*this);
        else if (++IdleTicks > 30)
            EndModal(TimedOut);
    }

    bool* Deleted;
    bool Initialized = false;
    std::size_t NextStep = 0;
    int IdleTicks = 0;
};

// The data buffer of the full dialog: the records of its list box and its combo box, back to back.
struct FullDialogData {
    ListBox::Record List;
    Collection* ComboStrings;
    char ComboText[16];
};
static_assert(offsetof(FullDialogData, ComboText) == sizeof(ListBox::Record) + sizeof(void*), "records back to back");

StrCollection* Strings(std::initializer_list<const char*> texts)
{
    auto* strings = new StrCollection(10, 10);
    for (const char* text : texts)
        strings->Insert(std::strcpy(new char[std::strlen(text) + 1], text));
    return strings;
}

// Real keyboard input: the keys pressed in order and released in reverse order.
void PressKeys(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = keys.end(); key != keys.begin();) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// A click on the window's close box. The button press is posted as the mouse would deliver it
// (injected mouse input does not reach the windows of this display), and the system's own
// close-box tracking takes the release.
void ClickCloseBox(HWND window)
{
    RECT bounds;
    GetWindowRect(window, &bounds);
    // the middle of the points that hit-test as the close box
    LONG count = 0, sumX = 0, sumY = 0;
    for (LONG y = bounds.top; y < bounds.top + 40; ++y) {
        for (LONG x = bounds.right - 80; x < bounds.right; ++x) {
            if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                ++count;
                sumX += x;
                sumY += y;
            }
        }
    }
    ASSERT_NE(0, count) << "the dialog has no close box";
    POINT point{sumX / count, sumY / count};
    SetCursorPos(point.x, point.y);
    PostMessageA(window, WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(point.x, point.y));
    ScreenToClient(window, &point);
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

void Click(TestDialog& dialog, int item)
{
    SendMessageA(GetDlgItem(dialog.Handle, item), BM_CLICK, 0, 0);
}

// The dialog becomes the active window with the focus in its edit, so keys go to it.
void Focus(TestDialog& dialog)
{
    SetForegroundWindow(dialog.Handle);
    SetFocus(GetDlgItem(dialog.Handle, EDIT_ITEM));
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Parent = new TestParent();
        ASSERT_TRUE(Parent->CreateHandle());
        ResetData();
    }
    void ResetData()
    {
        Data.List.Strings = ListStrings;
        Data.List.Selection.Index = 0;
        Data.ComboStrings = ComboStrings;
        std::strcpy(Data.ComboText, "y");
    }
    void TearDown() override
    {
        WindowsObject::Delete(Parent);
        delete ListStrings;
        delete ComboStrings;
    }

    // The full dialog with objects bound to its list box and combo box, exchanging Data.
    TestDialog* FullDialog(bool* deleted = nullptr)
    {
        auto* dialog = new TestDialog(Parent, MAKEINTRESOURCEA(FULL_DIALOG), deleted);
        List = new ListBox(dialog, LIST_ITEM);
        Combo = new ComboBox(dialog, COMBO_ITEM, 16);
        dialog->DataBuffer = &Data;
        return dialog;
    }

    // The operator's changes before the dialog ends: the third list item, a typed combo text.
    static void ChangeControls(TestDialog& dialog)
    {
        SendMessageA(GetDlgItem(dialog.Handle, LIST_ITEM), LB_SETCURSEL, 2, 0);
        SetWindowTextA(GetDlgItem(dialog.Handle, COMBO_ITEM), "typed");
    }

    TestParent* Parent = nullptr;
    ListBox* List = nullptr;
    ComboBox* Combo = nullptr;
    StrCollection* ListStrings = Strings({"a", "b", "c"});
    StrCollection* ComboStrings = Strings({"x", "y"});
    FullDialogData Data{};
    Application App{"dialog tests"};
};

TEST_F(DialogTest, ModalEndsByOkOrCancelWithTheirResults)
{
    // how the dialog is ended, result, whether the controls' data was read
    const struct {
        const char* How;
        std::function<void(TestDialog&)> End;
        int Result;
        bool DataRead;
    } cases[] = {
        {"OK button", [](TestDialog& d) { Click(d, IDOK); }, IDOK, true},
        {"Enter key", [](TestDialog& d) { Focus(d); PressKeys({VK_RETURN}); }, IDOK, true},
        {"Cancel button", [](TestDialog& d) { Click(d, IDCANCEL); }, IDCANCEL, false},
        {"Esc key", [](TestDialog& d) { Focus(d); PressKeys({VK_ESCAPE}); }, IDCANCEL, false},
        {"Alt+F4", [](TestDialog& d) { Focus(d); PressKeys({VK_MENU, VK_F4}); }, IDCANCEL, false},
        {"close box", [](TestDialog& d) { ClickCloseBox(d.Handle); }, IDCANCEL, false},
        {"system menu close", [](TestDialog& d) { Focus(d); PressKeys({VK_MENU, VK_SPACE}); PressKeys({'C'}); }, IDCANCEL, false},  // Alt+Space opens it, C closes
    };
    for (const auto& c : cases) {
        ResetData();
        TestDialog* dialog = FullDialog();
        dialog->Steps = {ChangeControls, c.End};
        EXPECT_EQ(c.Result, dialog->Execute()) << c.How;
        EXPECT_TRUE(dialog->Modal);
        EXPECT_EQ(c.DataRead ? 2 : 0, Data.List.Selection.Index) << c.How << ": the list's selection in the buffer";
        EXPECT_STREQ(c.DataRead ? "typed" : "y", Data.ComboText) << c.How << ": the combo box's text in the buffer";
        EXPECT_EQ(ListStrings, Data.List.Strings) << c.How;
        WindowsObject::Delete(dialog);
    }
}

TEST_F(DialogTest, InitialisationBindsTheControlsAndFillsThemFromTheBuffer)
{
    TestDialog* dialog = FullDialog();
    std::vector<std::string> checks;
    dialog->Steps = {[&](TestDialog& d) {
        HWND list = GetDlgItem(d.Handle, LIST_ITEM);
        HWND combo = GetDlgItem(d.Handle, COMBO_ITEM);
        EXPECT_EQ(list, List->Handle) << "the list box object is bound to item 101";
        EXPECT_EQ(combo, Combo->Handle) << "the combo box object is bound to item 102";
        EXPECT_EQ(List, ObjectFromHandle(list));
        EXPECT_EQ(3, SendMessageA(list, LB_GETCOUNT, 0, 0)) << "filled from Strings";
        EXPECT_EQ(0, SendMessageA(list, LB_GETCURSEL, 0, 0)) << "selection from the buffer";
        EXPECT_EQ(1, SendMessageA(combo, CB_GETCURSEL, 0, 0)) << "the text y selects item y";
        EXPECT_EQ(15, SendMessageA(GetWindow(combo, GW_CHILD), EM_GETLIMITTEXT, 0, 0)) << "text limit TextLength - 1";
        EXPECT_EQ(GetDlgItem(d.Handle, EDIT_ITEM), GetFocus()) << "the dialog manager set the focus";
        Click(d, IDOK);
    }};
    EXPECT_EQ(IDOK, dialog->Execute());
}

TEST_F(DialogTest, EscWithoutACancelItemGoesToTheParentAndTheDialogStays)
{
    auto* dialog = new TestDialog(Parent, MAKEINTRESOURCEA(NO_CANCEL_DIALOG));
    bool stillOpen = false;
    dialog->Steps = {
        [](TestDialog& d) { Focus(d); PressKeys({VK_ESCAPE}); },
        [&](TestDialog& d) { stillOpen = IsWindowVisible(d.Handle) != FALSE; },
        [](TestDialog& d) { Click(d, IDOK); },
    };
    EXPECT_EQ(IDOK, dialog->Execute()) << "ended by OK, not by Esc";
    EXPECT_TRUE(stillOpen) << "Esc left the dialog open";
    ASSERT_EQ(1u, Parent->Commands.size()) << "the command climbed to the parent window";
    EXPECT_EQ(unsigned(IDCANCEL), Parent->Commands[0]);
}

TEST_F(DialogTest, RefusedCloseKeepsOkFromEndingButNotCancel)
{
    TestDialog* dialog = FullDialog();
    dialog->AllowClose = false;
    bool openAfterOk = false;
    dialog->Steps = {
        ChangeControls,
        [](TestDialog& d) { Click(d, IDOK); },
        [&](TestDialog& d) { openAfterOk = IsWindowVisible(d.Handle) != FALSE; },
        [](TestDialog& d) { Click(d, IDCANCEL); },
    };
    EXPECT_EQ(IDCANCEL, dialog->Execute());
    EXPECT_TRUE(openAfterOk) << "OK did nothing while QueryClose was false";
    EXPECT_EQ(0, Data.List.Selection.Index) << "OK did not read the controls";
    EXPECT_STREQ("y", Data.ComboText);
}

TEST_F(DialogTest, MessagesBeforeInitialisationAnswerZero)
{
    auto* dialog = new TestDialog(Parent, MAKEINTRESOURCEA(NO_CANCEL_DIALOG));
    dialog->Steps = {[](TestDialog& d) { Click(d, IDOK); }};
    EXPECT_EQ(IDOK, dialog->Execute());
    bool setFont = false;
    ASSERT_FALSE(dialog->BeforeInit.empty()) << "a template with a font sends WM_SETFONT first";
    for (const auto& m : dialog->BeforeInit) {
        setFont = setFont || m.Message == WM_SETFONT;
        EXPECT_TRUE(m.HandleWasZero) << "message " << m.Message;
        EXPECT_EQ(0, m.Result) << "message " << m.Message << " is left to the dialog manager";
    }
    EXPECT_TRUE(setFont);
}

TEST_F(DialogTest, RunDialogRunsAndDeletesTheDialog)
{
    bool deleted = false;
    TestDialog* dialog = FullDialog(&deleted);
    dialog->Steps = {[](TestDialog& d) { Click(d, IDOK); }};
    EXPECT_EQ(IDOK, App.RunDialog(dialog));
    EXPECT_TRUE(deleted);
    EXPECT_EQ(nullptr, Parent->LastChild) << "the dialog left its parent's children";
    EXPECT_EQ(IDCANCEL, App.RunDialog<Dialog>(nullptr)) << "a dialog that could not be constructed";
}

TEST_F(DialogTest, TemplatesByIdAndByName)
{
    const char* name = NAMED_DIALOG;
    bool deleted = false;
    auto* named = new TestDialog(Parent, name, &deleted);
    const char* copy = named->TemplateName;
    EXPECT_NE(name, copy) << "the dialog keeps its own copy of the name";
    EXPECT_STREQ(name, copy);
    named->Steps = {[](TestDialog& d) { Click(d, IDOK); }};
    EXPECT_EQ(IDOK, App.RunDialog(named));
    EXPECT_TRUE(WasReleased(copy)) << "the copy is released with the dialog";

    auto* byId = new TestDialog(Parent, MAKEINTRESOURCEA(FULL_DIALOG));
    EXPECT_EQ(MAKEINTRESOURCEA(FULL_DIALOG), byId->TemplateName) << "an id is kept as it is";
    byId->Steps = {[](TestDialog& d) { Click(d, IDCANCEL); }};
    EXPECT_EQ(IDCANCEL, App.RunDialog(byId));
}

TEST_F(DialogTest, DialogsThatCannotBeMadeReportFailure)
{
    auto* missing = new TestDialog(Parent, MAKEINTRESOURCEA(999));
    EXPECT_EQ(-1, App.RunDialog(missing)) << "no such template";
    auto* unnamed = new TestDialog(Parent, "");
    EXPECT_EQ(nullptr, unnamed->TemplateName) << "an empty name gives no copy";
    EXPECT_EQ(-1, App.RunDialog(unnamed));
    bool deleted = false;
    auto* modeless = new TestDialog(Parent, MAKEINTRESOURCEA(999), &deleted);
    EXPECT_FALSE(modeless->CreateHandle());
    EXPECT_EQ(nullptr, modeless->Handle);
    WindowsObject::Delete(modeless);
    EXPECT_TRUE(deleted);
}

TEST_F(DialogTest, AMissingItemLeavesLaterControlsUnboundButTheDialogOpens)
{
    auto* dialog = new TestDialog(Parent, MAKEINTRESOURCEA(FULL_DIALOG));
    auto* absent = new ListBox(dialog, 555);
    auto* combo = new ComboBox(dialog, COMBO_ITEM, 16);
    dialog->DataBuffer = &Data;
    LRESULT comboItems = -1;
    dialog->Steps = {[&](TestDialog& d) {
        comboItems = SendMessageA(GetDlgItem(d.Handle, COMBO_ITEM), CB_GETCOUNT, 0, 0);
        Click(d, IDOK);
    }};
    EXPECT_EQ(IDOK, dialog->Execute());
    EXPECT_EQ(nullptr, absent->Handle);
    EXPECT_EQ(nullptr, combo->Handle) << "the control after the missing item stays unbound";
    EXPECT_EQ(0, comboItems) << "no data was put into the controls";
}

// Modeless dialogs: OK, Cancel and the close box delete the object when closing is allowed.
TEST_F(DialogTest, ModelessEndsDeleteTheObject)
{
    // how it is ended, whether closing is allowed
    const struct {
        const char* How;
        std::function<void(HWND)> End;
    } ends[] = {
        {"OK", [](HWND d) { SendMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0); }},
        {"Cancel", [](HWND d) { SendMessageA(GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0); }},
        {"WM_CLOSE", [](HWND d) { SendMessageA(d, WM_CLOSE, 0, 0); }},
    };
    for (bool allowed : {true, false}) {
        for (const auto& end : ends) {
            bool deleted = false;
            auto* dialog = new TestDialog(Parent, MAKEINTRESOURCEA(MODELESS_DIALOG), &deleted);
            dialog->AllowClose = allowed;
            ASSERT_TRUE(dialog->CreateHandle()) << end.How;
            HWND window = dialog->Handle;
            EXPECT_TRUE(IsWindowVisible(window)) << "the template makes it visible";
            EXPECT_TRUE(dialog->HasFlag(WindowsObject::KeyboardNavigation));
            EXPECT_FALSE(dialog->Modal);
            end.End(window);
            EXPECT_EQ(allowed, deleted) << end.How << (allowed ? " deletes the object" : " is refused");
            EXPECT_EQ(!allowed, IsWindow(window) != FALSE) << end.How << ": the window goes with the object";
            if (!allowed)
                WindowsObject::Delete(dialog);
        }
    }
}

TEST_F(DialogTest, ActiveModelessDialogGetsTheDialogKeys)
{
    bool deleted = false;
    auto* dialog = new TestDialog(Parent, MAKEINTRESOURCEA(MODELESS_DIALOG), &deleted);
    ASSERT_TRUE(dialog->CreateHandle());
    SendMessageA(dialog->Handle, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(dialog, App.KeyboardWindow) << "the active dialog is the application's keyboard window";
    SendMessageA(GetDlgItem(dialog->Handle, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(nullptr, App.KeyboardWindow);
}

TEST_F(DialogTest, QueryEndSessionAnswersAsADialogProcedure)
{
    // closing allowed, what SendMessage returns (1: the session may end)
    for (bool allowed : {true, false}) {
        auto* dialog = new TestDialog(Parent, MAKEINTRESOURCEA(MODELESS_DIALOG));
        dialog->AllowClose = allowed;
        ASSERT_TRUE(dialog->CreateHandle());
        EXPECT_EQ(allowed ? 1 : 0, SendMessageA(dialog->Handle, WM_QUERYENDSESSION, 0, 0))
            << (allowed ? "allowed" : "refused");
        WindowsObject::Delete(dialog);
    }
}

}  // namespace
