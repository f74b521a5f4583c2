// Window objects on real windows under Wine: binding, message results, routing of commands,
// notifications and scroll messages, creation, closing and deletion, painting and placement.
#include "Recording.h"
#include "Thunk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class WindowObjects : public ::testing::Test {
protected:
    void SetUp() override { Recorded().clear(); }
    void TearDown() override
    {
        DispatchPending();
        TakeQuit();
    }
};

// A top-level framework window with its window created.
RecordingWindow* CreatedWindow(const char* name)
{
    auto* window = new RecordingWindow(nullptr, name);
    EXPECT_TRUE(window->CreateHandle()) << name;
    return window;
}

TEST_F(WindowObjects, TheFirstMessageOfANewWindowReachesItsObjectWithHandleSet)
{
    Owned<RecordingWindow> top(new RecordingWindow(nullptr, "top"));
    auto* child = new RecordingWindow(top.get(), "child");
    ASSERT_TRUE(top->CreateHandle());
    for (RecordingWindow* window : {top.get(), child}) {
        ASSERT_FALSE(window->Messages.empty()) << window->Name;
        EXPECT_NE(UINT(WM_CREATE), window->FirstMessage) << window->Name << ": the first message comes before WM_CREATE";
        EXPECT_TRUE(window->HandleSetAtFirstMessage) << window->Name;
        EXPECT_EQ(window->Thunk, reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window->Handle, GWLP_WNDPROC)))
            << window->Name << ": the stub is the window's procedure from then on";
    }
    EXPECT_EQ(nullptr, CreatingObject);
}

TEST_F(WindowObjects, ACreationThatFailsBeforeTheFirstMessageLeavesNoObjectToBind)
{
    Owned<RecordingWindow> orphan(new RecordingWindow(nullptr, "orphan"));
    orphan->Style = WS_CHILD;  // a child window without a parent window: refused before any message
    EXPECT_FALSE(orphan->CreateHandle());
    EXPECT_EQ(nullptr, CreatingObject);
    // The next window of the class that the framework did not create is not bound to that object.
    HWND stranger = CreateWindowExA(0, "VoxWindow", "stranger", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, stranger);
    EXPECT_EQ(nullptr, ObjectFromHandle(stranger));
    EXPECT_EQ(nullptr, orphan->Handle);
    DestroyWindow(stranger);
}

TEST_F(WindowObjects, EveryMessageAnswersOneUnlessAHandlerStoresAnotherResult)
{
    Owned<RecordingWindow> window(CreatedWindow("window"));
    window->AllowClose = false;
    window->Intercept = [](MessageRecord& record) {
        if (record.Message == WM_USER + 1)
            return true;
        if (record.Message == WM_USER + 2) {
            record.Result = 7;
            return true;
        }
        return false;
    };
    // Columns: message, result expected, why.
    const struct {
        UINT Message;
        LRESULT Expected;
        const char* Why;
    } cases[] = {
        {WM_USER + 1, 1, "handled, nothing stored"},
        {WM_USER + 2, 7, "handled, 7 stored"},
        {WM_PAINT, 1, "painted without default processing"},
        {WM_CLOSE, 1, "closing refused"},
        {WM_USER + 3, 0, "default processing: DefWindowProcA answers 0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Expected, SendMessageA(window->Handle, c.Message, 0, 0)) << c.Why;
}

TEST_F(WindowObjects, ConstructionSetsTheCreationAttributes)
{
    Owned<RecordingWindow> top(new RecordingWindow(nullptr, "top", "Frame"));
    auto* untitled = new RecordingWindow(top.get(), "untitled", "");
    auto* item = new Window(top.get(), 12);
    EXPECT_STREQ("Frame", top->Title);
    EXPECT_EQ(DWORD(WS_OVERLAPPEDWINDOW), top->Style) << "without a parent";
    EXPECT_EQ(CW_USEDEFAULT, top->X);
    EXPECT_EQ(CW_USEDEFAULT, top->Width);
    EXPECT_EQ(&DefWindowProcA, top->DefaultWndProc);
    EXPECT_EQ(nullptr, untitled->Title) << "an empty title is stored as none";
    EXPECT_EQ(DWORD(WS_CHILD | WS_VISIBLE), untitled->Style) << "with a parent";
    EXPECT_EQ(12u, item->MenuOrId);
    EXPECT_TRUE(item->HasFlag(WindowsObject::FromResource));
    EXPECT_EQ(nullptr, item->DefaultWndProc) << "filled when the dialog item is subclassed";

    item->Flags = 0;  // created as a plain child window, so the top window's creation succeeds
    ASSERT_TRUE(top->CreateHandle());
    char text[16] = "unchanged";
    EXPECT_EQ(0, GetWindowTextA(untitled->Handle, text, sizeof text));
    EXPECT_STREQ("", text) << "a window created without a title has no text";
}

TEST_F(WindowObjects, AMenuCommandNobodyHandlesClimbsToTheTopObjectsDefaultProcedure)
{
    Owned<RecordingWindow> top(new RecordingWindow(nullptr, "top"));
    auto* middle = new RecordingWindow(top.get(), "middle");
    auto* bottom = new RecordingWindow(middle, "bottom");
    ASSERT_TRUE(top->CreateHandle());
    Recorded().clear();
    EXPECT_EQ(0, SendMessageA(bottom->Handle, WM_COMMAND, MAKEWPARAM(500, 0), 0)) << "DefWindowProcA's answer";
    const Log expected{"bottom:OnCommand",         "bottom:HandleCommand(500)", "bottom:DefaultCommandHandler",
                       "middle:HandleCommand(500)", "middle:DefaultCommandHandler", "top:HandleCommand(500)",
                       "top:DefaultCommandHandler", "top:DefaultHandler(WM_COMMAND)"};
    EXPECT_EQ(expected, Recorded());
}

// The main window "main" with a child "child" that has a child "grandchild".
struct MainWindowTree {
    RecordingWindow* Main = nullptr;
    RecordingWindow* Child = nullptr;
    RecordingWindow* Grandchild = nullptr;

    Window* Make()
    {
        Main = new RecordingWindow(nullptr, "main");
        Child = new RecordingWindow(Main, "child");
        Grandchild = new RecordingWindow(Child, "grandchild");
        return Main;
    }
};

TEST_F(WindowObjects, TheExitCommandFromADescendantClosesTheMainWindowOnlyWhenTheApplicationAgrees)
{
    // Columns: the application's answer, whether the main window is gone, the quit code posted (-1: none).
    const struct {
        bool Allow;
        bool Closed;
        int Quit;
    } cases[] = {{false, false, -1}, {true, true, 0}};
    for (const auto& c : cases) {
        Recorded().clear();
        TestApplication application;
        MainWindowTree tree;
        application.MakeMain = [&] { return tree.Make(); };
        application.AllowClose = c.Allow;
        application.Start();
        ASSERT_EQ(tree.Main, application.PrimaryWindow);
        Recorded().clear();
        HWND main = tree.Main->Handle;
        SendMessageA(tree.Grandchild->Handle, WM_COMMAND, MAKEWPARAM(WindowsObject::ExitCommandId, 0), 0);
        const Log climb{"grandchild:OnCommand",
                        "grandchild:HandleCommand(65300)", "grandchild:OnExitCommand", "grandchild:DefaultCommandHandler",
                        "child:HandleCommand(65300)",      "child:OnExitCommand",      "child:DefaultCommandHandler",
                        "main:HandleCommand(65300)",       "main:OnExitCommand",       "app:QueryClose"};
        EXPECT_EQ(climb, FirstEntries(climb.size()));
        EXPECT_EQ(c.Closed, !IsWindow(main)) << "allowed: " << c.Allow;
        EXPECT_EQ(c.Closed, application.PrimaryWindow == nullptr) << "allowed: " << c.Allow;
        EXPECT_EQ(c.Quit, TakeQuit()) << "allowed: " << c.Allow;
        WindowsObject::Delete(application.PrimaryWindow);
    }
}

// A frame with the controls whose notifications the routing tests send.
class ControlRouting : public WindowObjects {
protected:
    void SetUp() override
    {
        WindowObjects::SetUp();
        Frame.reset(new RecordingWindow(nullptr, "frame"));
        Button = new RecordingControl(Frame.get(), "button", "Button", 8, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);
        Bar = new RecordingControl(Frame.get(), "bar", "ScrollBar", 10, WS_CHILD | WS_VISIBLE | SBS_HORZ);
        ASSERT_TRUE(Frame->CreateHandle());
        PlainButton = CreateWindowExA(0, "Button", "plain", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 40, 80, 24,
                                      Frame->Handle, reinterpret_cast<HMENU>(7), GetModuleHandleA(nullptr), nullptr);
        PlainBar = CreateWindowExA(0, "ScrollBar", nullptr, WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 70, 80, 16,
                                   Frame->Handle, reinterpret_cast<HMENU>(9), GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, PlainButton);
        ASSERT_NE(nullptr, PlainBar);
        Recorded().clear();
    }

    Owned<RecordingWindow> Frame;
    RecordingControl* Button = nullptr;
    RecordingControl* Bar = nullptr;
    HWND PlainButton = nullptr;
    HWND PlainBar = nullptr;
};

TEST_F(ControlRouting, ANotificationReachesTheParentByControlId)
{
    // Columns: the control that notifies (WM_COMMAND with BN_DOUBLECLICKED), the handlers expected.
    const struct {
        const char* What;
        HWND* Control;
        Log Expected;
    } cases[] = {
        {"a button without an object: the frame handles it by the low half of WParam",
         &PlainButton,
         {"frame:OnCommand", "frame:HandleChildNotify(7)", "frame:DefaultHandler(WM_COMMAND)"}},
        {"a button with an object: its own HandleNotify with the code first, then the frame by the button's GWL_ID",
         &Button->Handle,
         {"frame:OnCommand", "button:HandleNotify(5)", "frame:HandleChildNotify(8)", "frame:DefaultHandler(WM_COMMAND)"}},
    };
    for (const auto& c : cases) {
        Recorded().clear();
        // The low half names id 99, which only the window's GWL_ID can correct for a control with an object.
        WPARAM wParam = MAKEWPARAM(*c.Control == PlainButton ? 7 : 99, BN_DOUBLECLICKED);
        SendMessageA(Frame->Handle, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(*c.Control));
        EXPECT_EQ(c.Expected, Recorded()) << c.What;
    }
}

TEST_F(ControlRouting, AClickOnAButtonWithAnObjectReachesTheParent)
{
    SendMessageA(Button->Handle, BM_CLICK, 0, 0);
    const Log expected{"button:HandleNotify(0)", "frame:HandleChildNotify(8)"};
    EXPECT_EQ(expected, EntriesWith("Notify")) << "BN_CLICKED is 0";
}

TEST_F(ControlRouting, ScrollMessagesFromAScrollBarControlReachTheParentByTheBarsId)
{
    // Columns: message, the bar (null: the window's own scroll bar), the handlers expected.
    const struct {
        UINT Message;
        HWND* Bar;
        Log Expected;
    } cases[] = {
        {WM_HSCROLL, &PlainBar, {"frame:OnHScroll", "frame:HandleChildNotify(9)", "frame:DefaultHandler(WM_HSCROLL)"}},
        {WM_VSCROLL, &PlainBar, {"frame:OnVScroll", "frame:HandleChildNotify(9)", "frame:DefaultHandler(WM_VSCROLL)"}},
        {WM_HSCROLL, &Bar->Handle,
         {"frame:OnHScroll", "bar:HandleNotify(1)", "frame:HandleChildNotify(10)", "frame:DefaultHandler(WM_HSCROLL)"}},
        {WM_VSCROLL, nullptr, {"frame:OnVScroll", "frame:DefaultHandler(WM_VSCROLL)"}},
    };
    for (const auto& c : cases) {
        Recorded().clear();
        HWND bar = c.Bar ? *c.Bar : nullptr;
        SendMessageA(Frame->Handle, c.Message, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(bar));
        EXPECT_EQ(c.Expected, Recorded()) << MessageName(c.Message) << (bar ? " from a bar" : " without a bar");
    }
}

// A parent "parent" with five children "c1" … "c5"; c2 and c4 take part in the data exchange.
struct FiveChildren {
    Owned<RecordingWindow> Parent{new RecordingWindow(nullptr, "parent")};
    std::vector<RecordingWindow*> Children;
    unsigned char Buffer[16] = {};

    FiveChildren()
    {
        for (int n = 1; n <= 5; ++n)
            Children.push_back(new RecordingWindow(Parent.get(), "c" + std::to_string(n)));
        Parent->DataBuffer = Buffer;
        for (int n : {1, 3}) {
            Children[n]->EnableDataExchange();
            Children[n]->ExchangeSize = 4;
        }
    }
};

TEST_F(WindowObjects, ChildrenAreCreatedInConstructionOrderAndTheDataFollowsThemIntoTheControls)
{
    FiveChildren tree;
    ASSERT_TRUE(tree.Parent->CreateHandle());
    const Log created{"parent:CreateHandle", "c1:CreateHandle", "c2:CreateHandle", "c3:CreateHandle", "c4:CreateHandle",
                      "c5:CreateHandle"};
    EXPECT_EQ(created, EntriesWith(":CreateHandle"));
    EXPECT_EQ((Log{"c2:ExchangeData(2)", "c4:ExchangeData(2)"}), EntriesWith(":ExchangeData"));
    EXPECT_EQ((std::vector<const void*>{tree.Buffer}), tree.Children[1]->ExchangePositions);
    EXPECT_EQ((std::vector<const void*>{tree.Buffer + 4}), tree.Children[3]->ExchangePositions)
        << "c4's part follows c2's 4 bytes";
    for (RecordingWindow* child : tree.Children)
        EXPECT_TRUE(IsChild(tree.Parent->Handle, child->Handle)) << child->Name;
}

TEST_F(WindowObjects, WhenTheThirdOfFiveChildrenFailsTheRestGetNoWindowAndNoDataButTheParentExists)
{
    FiveChildren tree;
    tree.Children[2]->FailCreate = true;
    ASSERT_TRUE(tree.Parent->CreateHandle()) << "the parent's own creation succeeds";
    EXPECT_TRUE(IsWindow(tree.Parent->Handle));
    const Log created{"parent:CreateHandle", "c1:CreateHandle", "c2:CreateHandle", "c3:CreateHandle"};
    EXPECT_EQ(created, EntriesWith(":CreateHandle")) << "c4 and c5 are not even asked";
    for (int n : {0, 1})
        EXPECT_NE(nullptr, tree.Children[n]->Handle) << tree.Children[n]->Name;
    for (int n : {2, 3, 4})
        EXPECT_EQ(nullptr, tree.Children[n]->Handle) << tree.Children[n]->Name;
    EXPECT_EQ(Log{}, EntriesWith(":ExchangeData")) << "no data goes into the controls";
}

TEST_F(WindowObjects, WmCloseOnTheMainWindowClosesItOnlyWhenTheApplicationAgrees)
{
    // Columns: the application's answer, whether closed, the quit code posted (-1: none).
    const struct {
        bool Allow;
        bool Closed;
        int Quit;
    } cases[] = {{false, false, -1}, {true, true, 0}};
    for (const auto& c : cases) {
        TestApplication application;
        MainWindowTree tree;
        application.MakeMain = [&] { return tree.Make(); };
        application.AllowClose = c.Allow;
        application.Start();
        HWND main = tree.Main->Handle;
        Recorded().clear();
        EXPECT_EQ(1, SendMessageA(main, WM_CLOSE, 0, 0));
        EXPECT_EQ(c.Closed, !IsWindow(main)) << "allowed: " << c.Allow;
        EXPECT_EQ(c.Closed, application.PrimaryWindow == nullptr) << "allowed: " << c.Allow;
        EXPECT_EQ(c.Quit, TakeQuit()) << "allowed: " << c.Allow;
        EXPECT_EQ(Log{}, EntriesWith("DefaultHandler(WM_CLOSE)")) << "WM_CLOSE never reaches default processing";
        WindowsObject::Delete(application.PrimaryWindow);
    }
}

TEST_F(WindowObjects, DeletionDestroysTheWindowsWhileTheObjectsAreCompleteThenDeletesChildrenFirstToLast)
{
    TestApplication application;
    RecordingWindow *main = nullptr, *first = nullptr, *second = nullptr, *nested = nullptr;
    application.MakeMain = [&] {
        main = new RecordingWindow(nullptr, "main");
        first = new RecordingWindow(main, "first");
        second = new RecordingWindow(main, "second");
        nested = new RecordingWindow(second, "nested");
        return main;
    };
    application.Start();
    application.SetKeyboardWindow(main);
    Recorded().clear();
    WindowsObject::Delete(main);
    // The main window's own OnDestroy still runs, and still finds itself the main window.
    const Log expected{"main:OnDestroy(main)", "first:OnDestroy", "second:OnDestroy", "nested:OnDestroy",
                       "first:~",              "nested:~",        "second:~",        "main:~"};
    EXPECT_EQ(expected, EntriesWith({":OnDestroy", ":~"}));
    EXPECT_EQ(0, TakeQuit()) << "WM_DESTROY of the main window posts WM_QUIT with 0";
    EXPECT_EQ(nullptr, application.PrimaryWindow);
    EXPECT_EQ(nullptr, application.KeyboardWindow) << "a deleted object is no longer the keyboard window";
}

TEST_F(WindowObjects, WmQueryEndSessionAnswersExactlyOneOrZero)
{
    // Columns: whether the window is the main window, the application's answer, the answer of the
    // window's child, the result expected.
    const struct {
        bool Main;
        bool ApplicationAllows;
        bool ChildAllows;
        LRESULT Expected;
    } cases[] = {
        {true, true, true, 1},
        {true, false, true, 0},
        {true, true, false, 0},   // the application asks the main window, which asks its children
        {false, false, true, 1},  // any other window answers for itself
        {false, true, false, 0},
    };
    for (const auto& c : cases) {
        TestApplication application;
        MainWindowTree tree;
        application.MakeMain = [&] { return tree.Make(); };
        application.AllowClose = c.ApplicationAllows;
        application.Start();
        Owned<RecordingWindow> other(new RecordingWindow(nullptr, "other"));
        auto* otherChild = new RecordingWindow(other.get(), "otherChild");
        ASSERT_TRUE(other->CreateHandle());
        tree.Child->AllowClose = c.ChildAllows;
        otherChild->AllowClose = c.ChildAllows;
        HWND window = c.Main ? tree.Main->Handle : other->Handle;
        EXPECT_EQ(c.Expected, SendMessageA(window, WM_QUERYENDSESSION, 0, 0))
            << (c.Main ? "main" : "other") << ", application " << c.ApplicationAllows << ", child " << c.ChildAllows;
        EXPECT_TRUE(IsWindow(window)) << "the question closes nothing";
        WindowsObject::Delete(tree.Main);
    }
}

TEST_F(WindowObjects, WmPaintPairsBeginPaintWithEndPaintAndAnswersOne)
{
    Owned<RecordingWindow> window(CreatedWindow("window"));
    ShowWindow(window->Handle, SW_SHOWNORMAL);
    UpdateWindow(window->Handle);
    window->PaintCalls = 0;
    InvalidateRect(window->Handle, nullptr, TRUE);
    UpdateWindow(window->Handle);
    EXPECT_EQ(1, window->PaintCalls);
    EXPECT_EQ(window->Handle, window->PaintDcWindow) << "Paint drew on the window's BeginPaint context";
    EXPECT_EQ(nullptr, WindowFromDC(window->PaintDc)) << "EndPaint released the context";
    RECT update;
    EXPECT_FALSE(GetUpdateRect(window->Handle, &update, FALSE)) << "BeginPaint validated the window";
    EXPECT_EQ(1, SendMessageA(window->Handle, WM_PAINT, 0, 0)) << "nothing to paint, still paired and 1";
    EXPECT_EQ(nullptr, WindowFromDC(window->PaintDc));
}

TEST_F(WindowObjects, MovingAndSizingWhileMinimizedOrMaximizedLeavesThePlacementAlone)
{
    Owned<RecordingWindow> window(new RecordingWindow(nullptr, "window"));
    window->X = 50;
    window->Y = 60;
    window->Width = 300;
    window->Height = 200;
    ASSERT_TRUE(window->CreateHandle());
    ShowWindow(window->Handle, SW_SHOWNORMAL);
    SetWindowPos(window->Handle, nullptr, 70, 80, 320, 210, SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT restored{70, 80, 390, 290};
    auto placement = [&] { return std::vector<int>{window->X, window->Y, window->Width, window->Height}; };
    const std::vector<int> expected{restored.left, restored.top, 320, 210};
    EXPECT_EQ(expected, placement()) << "moved and sized while restored";

    // Columns: the show command, whether the window is then minimized or maximized.
    const struct {
        int Show;
        const char* What;
    } cases[] = {{SW_MINIMIZE, "minimized"}, {SW_MAXIMIZE, "maximized"}};
    for (const auto& c : cases) {
        Recorded().clear();
        ShowWindow(window->Handle, c.Show);
        ASSERT_TRUE(IsIconic(window->Handle) || IsZoomed(window->Handle)) << c.What;
        EXPECT_FALSE(EntriesWith({":OnMove", ":OnSize"}).empty()) << c.What << ": WM_MOVE or WM_SIZE arrived";
        EXPECT_EQ(expected, placement()) << c.What;
        ShowWindow(window->Handle, SW_RESTORE);
        EXPECT_EQ(expected, placement()) << "restored from " << c.What;
    }
}

TEST_F(WindowObjects, AChildsPlacementIsKeptInItsParentsClientCoordinates)
{
    Owned<RecordingWindow> frame(new RecordingWindow(nullptr, "frame"));
    frame->X = 100;
    frame->Y = 120;
    frame->Width = 300;
    frame->Height = 200;
    auto* control = new RecordingControl(frame.get(), "control", "Button", 5);
    auto* child = new RecordingWindow(frame.get(), "child");
    child->X = 30;
    child->Y = 40;
    child->Width = 50;
    child->Height = 60;
    ASSERT_TRUE(frame->CreateHandle());
    // Columns: the window, its placement after creation (a subclassed control is measured by
    // CreateHandle, a framework window by its WM_MOVE and WM_SIZE).
    const struct {
        Window* Object;
        std::vector<int> Expected;
    } cases[] = {{control, {10, 10, 80, 24}}, {child, {30, 40, 50, 60}}};
    for (const auto& c : cases)
        EXPECT_EQ(c.Expected, (std::vector<int>{c.Object->X, c.Object->Y, c.Object->Width, c.Object->Height}))
            << static_cast<RecordingWindow*>(c.Object)->Name;
    SetWindowPos(child->Handle, nullptr, 35, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ((std::vector<int>{35, 45}), (std::vector<int>{child->X, child->Y})) << "moved";
}

TEST_F(WindowObjects, ASecondObjectOfAClassNameDoesNotRegisterTheClassAgain)
{
    Owned<RecordingWindow> first(new RecordingWindow(nullptr, "first"));
    Owned<RecordingWindow> second(new RecordingWindow(nullptr, "second"));
    for (RecordingWindow* window : {first.get(), second.get()})
        window->ClassName = "ZefRegisteredOnce";
    first->Background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    second->Background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    ASSERT_TRUE(first->CreateHandle());
    ASSERT_TRUE(second->CreateHandle());
    EXPECT_EQ(Log{"first:FillWindowClass"}, EntriesWith(":FillWindowClass"));
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(first->Background), GetClassLongPtrA(second->Handle, GCLP_HBRBACKGROUND))
        << "the first object fixed the class";
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(&InitialWindowProc), GetClassLongPtrA(second->Handle, GCLP_WNDPROC));
}

TEST_F(WindowObjects, DeletingThroughTheRootTypeStillTearsDownSafely)
{
    // The compiler refuses `delete` on a window object; a BaseObject pointer is the one way around.
    TestApplication application;
    MainWindowTree tree;
    application.MakeMain = [&] { return tree.Make(); };
    application.Start();
    ASSERT_NE(nullptr, application.PrimaryWindow);
    HWND mainHandle = tree.Main->Handle;
    HWND childHandle = tree.Child->Handle;
    Recorded().clear();
    delete static_cast<BaseObject*>(tree.Main);
    EXPECT_FALSE(IsWindow(mainHandle));
    EXPECT_FALSE(IsWindow(childHandle));
    // The derived destructor runs first; from then on the window no longer reaches the object
    // (which would answer WM_DESTROY as a bare main window, with WM_QUIT), while the children,
    // still complete, hear theirs.
    const Log expected{"main:~", "child:OnDestroy", "grandchild:OnDestroy", "grandchild:~", "child:~"};
    EXPECT_EQ(expected, EntriesWith({":OnDestroy", ":~"}));
    EXPECT_EQ(-1, TakeQuit());
    EXPECT_EQ(nullptr, application.PrimaryWindow);
}

// A modeless dialog made from an in-memory template, its stub the dialog procedure, as a
// dialog object runs it.
class DialogStandIn : public WindowsObject {
public:
    DialogStandIn() : WindowsObject(nullptr) {}
    void DefaultHandler(MessageRecord& record) override { record.Result = 0; }
    void FillWindowClass(WNDCLASSA&) override {}
    bool CreateHandle() override
    {
        // DLGTEMPLATE (style, extended style, no items, placement), then no menu, class or title.
        alignas(4) static const WORD dialogTemplate[] = {
            LOWORD(WS_POPUP), HIWORD(WS_POPUP), 0, 0, 0, 0, 0, 100, 50, 0, 0, 0};
        Handle = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                            reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate), nullptr,
                                            reinterpret_cast<DLGPROC>(Thunk), 0);
        return Handle != nullptr;
    }

protected:
    ~DialogStandIn() override { Record("dialog:~"); }
    void OnDestroy(MessageRecord& record) override
    {
        Record("dialog:OnDestroy");
        WindowsObject::OnDestroy(record);
    }
};

TEST_F(WindowObjects, ADialogWindowGoesWithItsObjectHoweverTheObjectIsDeleted)
{
    // Columns: how the dialog object is deleted, the entries expected.
    const struct {
        bool ThroughRoot;
        Log Expected;
    } cases[] = {
        {false, {"dialog:OnDestroy", "dialog:~"}},
        {true, {"dialog:~"}},
    };
    for (const auto& c : cases) {
        Recorded().clear();
        auto* dialog = new DialogStandIn;
        ASSERT_TRUE(dialog->CreateHandle());
        HWND handle = dialog->Handle;
        if (c.ThroughRoot)
            delete static_cast<BaseObject*>(dialog);
        else
            WindowsObject::Delete(dialog);
        EXPECT_FALSE(IsWindow(handle));
        EXPECT_EQ(c.Expected, Recorded()) << (c.ThroughRoot ? "through BaseObject" : "through Delete");
    }
}

// The ring of children: a parent "p" with children named by letters, in construction order.
std::string RingOf(const WindowsObject& parent)
{
    std::string names;
    parent.FirstChildThat([&](WindowsObject* child) {
        names += static_cast<RecordingWindow*>(child)->Name;
        return false;
    });
    return names;
}

TEST_F(WindowObjects, RemovingAChildKeepsTheRingClosed)
{
    // Columns: the children, the one removed (a name, or '-' for one that is not a child), the ring after.
    const struct {
        std::string Children;
        char Removed;
        std::string Expected;
    } cases[] = {
        {"abc", 'a', "bc"}, {"abc", 'b', "ac"}, {"abc", 'c', "ab"}, {"a", 'a', ""}, {"ab", '-', "ab"}, {"", '-', ""},
    };
    for (const auto& c : cases) {
        Owned<RecordingWindow> parent(new RecordingWindow(nullptr, "p"));
        Owned<RecordingWindow> stranger(new RecordingWindow(nullptr, "-"));
        WindowsObject* removed = stranger.get();
        for (char name : c.Children) {
            auto* child = new RecordingWindow(parent.get(), std::string(1, name));
            if (name == c.Removed)
                removed = child;
        }
        parent->RemoveChild(removed);
        EXPECT_EQ(c.Expected, RingOf(*parent)) << c.Children << " without " << c.Removed;
        if (!c.Expected.empty())
            EXPECT_EQ(std::string(1, c.Expected.back()), static_cast<RecordingWindow*>(parent->LastChild)->Name);
        else
            EXPECT_EQ(nullptr, parent->LastChild);
        if (removed != stranger.get())
            WindowsObject::Delete(removed);
    }
}

// A main window "main" with keyboard navigation and two edit controls, created and shown.
struct NavigatingMainWindow {
    TestApplication Application;
    RecordingWindow* Main = nullptr;
    RecordingControl* First = nullptr;
    RecordingControl* Second = nullptr;

    NavigatingMainWindow()
    {
        Application.MakeMain = [this] {
            Main = new RecordingWindow(nullptr, "main");
            Main->EnableKeyboardNavigation();
            First = new RecordingControl(Main, "first", "Edit", 1);
            Second = new RecordingControl(Main, "second", "Edit", 2);
            Second->Y = 40;
            return Main;
        };
        Application.Start();
    }
    ~NavigatingMainWindow() { WindowsObject::Delete(Application.PrimaryWindow); }
};

TEST_F(WindowObjects, AKeyboardNavigatingWindowKeepsItsFocusedControlAcrossDeactivation)
{
    NavigatingMainWindow window;
    ASSERT_NE(nullptr, window.Application.PrimaryWindow);
    Owned<RecordingWindow> other(CreatedWindow("other"));
    ShowWindow(other->Handle, SW_SHOWNORMAL);
    SetActiveWindow(window.Main->Handle);
    ASSERT_EQ(window.Main->Handle, GetActiveWindow());
    EXPECT_EQ(window.Main, window.Application.KeyboardWindow) << "active: the loop gives it dialog keys";
    SetFocus(window.Second->Handle);

    SetActiveWindow(other->Handle);
    EXPECT_EQ(nullptr, window.Application.KeyboardWindow) << "inactive";
    EXPECT_EQ(window.Second->Handle, window.Main->SavedFocus);
    EXPECT_NE(window.Second->Handle, GetFocus());

    SetActiveWindow(window.Main->Handle);
    EXPECT_EQ(window.Second->Handle, GetFocus()) << "given back, not left on the main window itself";
    EXPECT_EQ(window.Main, window.Application.KeyboardWindow);
}

TEST_F(WindowObjects, MinimizingSavesTheFocusAndRestoringGivesItBack)
{
    NavigatingMainWindow window;
    ASSERT_NE(nullptr, window.Application.PrimaryWindow);
    SetActiveWindow(window.Main->Handle);
    SetFocus(window.Second->Handle);
    SendMessageA(window.Main->Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(IsIconic(window.Main->Handle));
    EXPECT_EQ(window.Second->Handle, window.Main->SavedFocus);
    SetFocus(nullptr);
    SendMessageA(window.Main->Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_FALSE(IsIconic(window.Main->Handle));
    EXPECT_EQ(window.Second->Handle, GetFocus());
}

}  // namespace
