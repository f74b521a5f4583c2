// The application object: start-up, the message loop with its idle calls and pre-translation,
// modal dialogs, and what happens when the main window cannot be made.
#include "Recording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

class ApplicationObject : public ::testing::Test {
protected:
    void SetUp() override { Recorded().clear(); }
    void TearDown() override
    {
        DispatchPending();
        TakeQuit();
    }
};

bool Received(const RecordingWindow& window, UINT message)
{
    return std::find(window.Messages.begin(), window.Messages.end(), message) != window.Messages.end();
}

// Ends a loop that would otherwise wait forever, so that a failure shows as a wrong count.
// The timer goes with the test.
class QuitWithin {
public:
    explicit QuitWithin(UINT milliseconds) : Timer(SetTimer(nullptr, 0, milliseconds, &Quit)) {}
    ~QuitWithin() { KillTimer(nullptr, Timer); }

private:
    static void CALLBACK Quit(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }
    UINT_PTR Timer;
};

TEST_F(ApplicationObject, TheApplicationPointerNamesTheApplicationWhileItLives)
{
    {
        TestApplication application;
        EXPECT_EQ(&application, CurrentApplication);
    }
    EXPECT_EQ(nullptr, CurrentApplication) << "no pointer to a destroyed application is left";
}

TEST_F(ApplicationObject, StartUpMakesCreatesAndShowsTheMainWindowOfTheConcreteType)
{
    TestApplication application;
    EXPECT_EQ(nullptr, application.PrimaryWindow) << "the constructor makes nothing yet";
    application.Start();
    application.Start();
    ASSERT_NE(nullptr, application.PrimaryWindow);
    EXPECT_EQ((Log{"app:MakeMainWindow", "main:CreateHandle"}), EntriesWith({"MakeMainWindow", "CreateHandle"}))
        << "the override runs, once";
    HWND main = application.PrimaryWindow->Handle;
    EXPECT_TRUE(IsWindowVisible(main));
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(main, &placement);
    EXPECT_EQ(UINT(SW_SHOWNORMAL), placement.showCmd);
    WindowsObject::Delete(application.PrimaryWindow);
}

TEST_F(ApplicationObject, TheDefaultMainWindowIsAFrameworkWindowTitledWithTheName)
{
    Application application("Plain name");
    application.Start();
    ASSERT_NE(nullptr, application.PrimaryWindow);
    char text[32] = {};
    GetWindowTextA(application.PrimaryWindow->Handle, text, sizeof text);
    EXPECT_STREQ("Plain name", text);
    GetClassNameA(application.PrimaryWindow->Handle, text, sizeof text);
    EXPECT_STREQ("VoxWindow", text);
    WindowsObject::Delete(application.PrimaryWindow);
}

TEST_F(ApplicationObject, AMainWindowThatCannotBeCreatedIsDeletedAndRunReturnsAtOnce)
{
    TestApplication application;
    application.MakeMain = [] {
        auto* main = new RecordingWindow(nullptr, "main");
        main->FailCreate = true;
        return main;
    };
    application.Run();
    EXPECT_EQ(nullptr, application.PrimaryWindow);
    EXPECT_EQ(Log{"main:~"}, EntriesWith(":~"));
    EXPECT_EQ(0, application.IdleCalls) << "no loop ran";
    EXPECT_FALSE(application.QuitReceived);
}

TEST_F(ApplicationObject, ClosingTheMainWindowEndsRun)
{
    TestApplication application;
    application.Start();
    ASSERT_NE(nullptr, application.PrimaryWindow);
    PostMessageA(application.PrimaryWindow->Handle, WM_CLOSE, 0, 0);
    QuitWithin timeout(5000);
    application.Run();
    EXPECT_EQ(nullptr, application.PrimaryWindow);
    EXPECT_EQ((Log{"main:OnClose", "main:OnDestroy(main)", "main:~"}), EntriesWith({"OnClose", "OnDestroy", ":~"}));
    EXPECT_TRUE(application.QuitReceived);
}

TEST_F(ApplicationObject, OnIdleRunsAgainWithoutWaitingWhileItAnswersTrue)
{
    TestApplication application;
    application.Idle = [](int calls) {
        if (calls == 5)
            PostQuitMessage(0);
        return true;
    };
    application.Start();
    ASSERT_NE(nullptr, application.PrimaryWindow);
    DispatchPending();
    QuitWithin timeout(5000);
    application.Run();
    EXPECT_EQ(5, application.IdleCalls);
    WindowsObject::Delete(application.PrimaryWindow);
}

TEST_F(ApplicationObject, WithTheDefaultOnIdleTheLoopWaitsForTheNextMessage)
{
    TestApplication application;
    application.Start();
    ASSERT_NE(nullptr, application.PrimaryWindow);
    DispatchPending();
    QuitWithin timer(300);
    application.Run();
    EXPECT_TRUE(application.QuitReceived);
    // A loop that did not wait would have asked OnIdle many thousands of times in 300 ms.
    EXPECT_LE(application.IdleCalls, 10);
    EXPECT_GE(application.IdleCalls, 1);
    WindowsObject::Delete(application.PrimaryWindow);
}

TEST_F(ApplicationObject, WmQuitEndsTheLoopWithoutBeingDispatched)
{
    TestApplication application;
    application.Start();
    ASSERT_NE(nullptr, application.PrimaryWindow);
    auto* main = static_cast<RecordingWindow*>(application.PrimaryWindow);
    PostMessageA(main->Handle, WM_USER + 7, 0, 0);
    PostMessageA(main->Handle, WM_QUIT, 3, 0);
    PostMessageA(main->Handle, WM_USER + 8, 0, 0);
    QuitWithin timeout(5000);
    application.Run();
    EXPECT_TRUE(application.QuitReceived);
    EXPECT_TRUE(Received(*main, WM_USER + 7)) << "messages before WM_QUIT are handled";
    EXPECT_FALSE(Received(*main, WM_QUIT));
    EXPECT_FALSE(Received(*main, WM_USER + 8)) << "the loop ended at WM_QUIT";
    WindowsObject::Delete(application.PrimaryWindow);
}

// A main window "main" with keyboard navigation and two push buttons, shown and active.
struct KeyboardMainWindow {
    TestApplication Application;
    RecordingWindow* Main = nullptr;
    RecordingControl* First = nullptr;
    RecordingControl* Second = nullptr;

    KeyboardMainWindow()
    {
        Application.MakeMain = [this] {
            Main = new RecordingWindow(nullptr, "main");
            Main->EnableKeyboardNavigation();
            First = new RecordingControl(Main, "first", "Button", 1);
            Second = new RecordingControl(Main, "second", "Button", 2);
            Second->Y = 40;
            return Main;
        };
        Application.Start();
        if (Main) {
            SetActiveWindow(Main->Handle);
            DispatchPending();
        }
    }
    ~KeyboardMainWindow() { WindowsObject::Delete(Application.PrimaryWindow); }

    // Posts `key` as pressed in the first button and lets the application take it.
    void PressInFirst(WPARAM key)
    {
        SetFocus(First->Handle);
        First->Messages.clear();
        PostMessageA(First->Handle, WM_KEYDOWN, key, 1);
        MSG message;
        EXPECT_TRUE(Application.PumpOneMessage(message));
    }
};

TEST_F(ApplicationObject, AKeyForTheActiveKeyboardWindowIsTakenByIsDialogMessage)
{
    // Columns: whether the main window is the keyboard window, where the focus goes, whether the
    // button's own procedure sees WM_KEYDOWN.
    const struct {
        bool Keyboard;
        bool FocusMoves;
        bool Dispatched;
    } cases[] = {{true, true, false}, {false, false, true}};
    for (const auto& c : cases) {
        KeyboardMainWindow window;
        ASSERT_NE(nullptr, window.Application.PrimaryWindow);
        ASSERT_EQ(window.Main, window.Application.KeyboardWindow) << "the active main window gets dialog keys";
        if (!c.Keyboard)
            window.Application.SetKeyboardWindow(nullptr);
        window.PressInFirst(VK_TAB);
        EXPECT_EQ(c.FocusMoves ? window.Second->Handle : window.First->Handle, GetFocus()) << "keyboard " << c.Keyboard;
        EXPECT_EQ(c.Dispatched, Received(*window.First, WM_KEYDOWN)) << "keyboard " << c.Keyboard;
    }
}

TEST_F(ApplicationObject, TheAcceleratorTableIsAskedBeforeTheDialogKeys)
{
    KeyboardMainWindow window;
    ASSERT_NE(nullptr, window.Application.PrimaryWindow);
    ACCEL accelerator{FVIRTKEY, VK_TAB, 4242};
    window.Application.Accelerators = CreateAcceleratorTableA(&accelerator, 1);
    Recorded().clear();
    window.PressInFirst(VK_TAB);
    EXPECT_EQ(Log{"main:HandleCommand(4242)"}, EntriesWith("main:HandleCommand"));
    EXPECT_EQ(window.First->Handle, GetFocus()) << "the key did not reach IsDialogMessageA";
    EXPECT_FALSE(Received(*window.First, WM_KEYDOWN));
    DestroyAcceleratorTable(window.Application.Accelerators);
}

// A stand-in for a dialog: a window object with a modal run that answers `Result`.
class ModalStandIn : public RecordingWindow {
public:
    explicit ModalStandIn(int result) : RecordingWindow(nullptr, "dialog"), Result(result) {}
    int Execute()
    {
        Record("dialog:Execute");
        return Result;
    }
    int Result;
};

TEST_F(ApplicationObject, RunDialogReturnsTheResultAndDeletesTheDialogWhateverItIs)
{
    TestApplication application;
    EXPECT_EQ(IDCANCEL, application.RunDialog<ModalStandIn>(nullptr)) << "a dialog that could not be constructed";
    EXPECT_EQ(Log{}, Recorded());
    // Columns: what the modal run answers; RunDialog passes it on.
    for (int result : {IDOK, IDCANCEL, -1}) {
        Recorded().clear();
        EXPECT_EQ(result, application.RunDialog(new ModalStandIn(result)));
        EXPECT_EQ((Log{"dialog:Execute", "dialog:~"}), Recorded()) << "result " << result;
    }
}

TEST_F(ApplicationObject, CreateOrDiscardKeepsWhatWasCreatedAndDeletesWhatWasNot)
{
    TestApplication application;
    EXPECT_EQ(nullptr, application.CreateOrDiscard(nullptr));
    auto* created = new RecordingWindow(nullptr, "created");
    EXPECT_EQ(created, application.CreateOrDiscard(created));
    EXPECT_TRUE(IsWindow(created->Handle));
    auto* failing = new RecordingWindow(nullptr, "failing");
    failing->FailCreate = true;
    EXPECT_EQ(nullptr, application.CreateOrDiscard(failing));
    EXPECT_EQ(Log{"failing:~"}, EntriesWith(":~"));
    WindowsObject::Delete(created);
}

}  // namespace
