#pragma once

// Window objects for the framework's tests that note, in one shared list, which of their
// handlers ran: "name:Handler" or "name:Handler(argument)". Each forwards to the inherited
// operation unless a test tells it otherwise, so the list shows the framework's own routing.
#include "Application.h"
#include "Window.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

using Log = std::vector<std::string>;

// The shared list; SetUp of FrameworkTest empties it.
Log& Recorded();
void Record(const std::string& entry);

// The first `count` entries, or all when there are fewer.
Log FirstEntries(std::size_t count);

// The entries that contain `text` (such as "main:" or ":CreateHandle"), or any of `texts`.
Log EntriesWith(const std::string& text);
Log EntriesWith(std::initializer_list<std::string> texts);

// "WM_COMMAND" and the other messages the tests watch; the number otherwise.
std::string MessageName(UINT message);

class RecordingWindow : public Window {
public:
    RecordingWindow(WindowsObject* parent, std::string name, const char* title = nullptr);

    std::string Name;
    std::string ClassName = "VoxWindow";  // what WindowClassName answers
    HBRUSH Background = nullptr;          // FillWindowClass sets it when not null
    bool AllowClose = true;               // this object's own part of QueryClose
    bool FailCreate = false;              // CreateHandle fails without creating anything
    unsigned ExchangeSize = 0;            // what ExchangeData answers
    // Runs first for every message; true when it has handled the message.
    std::function<bool(MessageRecord&)> Intercept;

    std::vector<UINT> Messages;             // every message HandleMessage received
    UINT FirstMessage = 0;                  // the first of them
    bool HandleSetAtFirstMessage = false;   // whether Handle already named the window then
    std::vector<const void*> ExchangePositions;
    int PaintCalls = 0;
    HDC PaintDc = nullptr;             // the device context Paint received
    HWND PaintDcWindow = nullptr;      // the window of that context while Paint ran

    void DefaultHandler(MessageRecord& record) override;
    void DefaultCommandHandler(MessageRecord& record) override;
    void HandleMessage(MessageRecord& record) override;
    void HandleCommand(MessageRecord& record, unsigned id) override;
    void HandleChildNotify(MessageRecord& record, unsigned id) override;
    void HandleNotify(MessageRecord& record, unsigned code) override;
    const char* WindowClassName() override;
    void FillWindowClass(WNDCLASSA& windowClass) override;
    bool CreateHandle() override;
    unsigned ExchangeData(void* data, unsigned direction) override;
    void PrepareWindow() override;
    bool QueryClose() override;

protected:
    ~RecordingWindow() override;

    void OnActivate(MessageRecord& record) override;
    void OnCommand(MessageRecord& record) override;
    void OnHScroll(MessageRecord& record) override;
    void OnVScroll(MessageRecord& record) override;
    void OnClose(MessageRecord& record) override;
    void OnDestroy(MessageRecord& record) override;
    void OnQueryEndSession(MessageRecord& record) override;
    void OnExitCommand(MessageRecord& record) override;
    void Paint(PAINTSTRUCT& paint) override;
    void OnCreate(MessageRecord& record) override;
    void OnPaint(MessageRecord& record) override;
    void OnSize(MessageRecord& record) override;
    void OnMove(MessageRecord& record) override;
    void OnSysCommand(MessageRecord& record) override;
};

// A standard control of a predefined class ("Button", "ScrollBar", "Edit"), subclassed by its
// object as the controls of the framework are.
class RecordingControl : public RecordingWindow {
public:
    RecordingControl(WindowsObject* parent, std::string name, const char* className, int id,
                     std::uint32_t style = WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    bool EnsureClassRegistered() override;

protected:
    void OnPaint(MessageRecord& record) override;
};

// An application whose main window and answers the test chooses.
class TestApplication : public Application {
public:
    // Makes the main window object; by default a RecordingWindow named "main".
    std::function<Window*()> MakeMain;
    // Answers OnIdle, given how often it has been called; by default false.
    std::function<bool(int)> Idle;
    bool AllowClose = true;  // the application's own part of QueryClose
    int IdleCalls = 0;

    TestApplication();
    void MakeMainWindow() override;
    bool OnIdle() override;
    bool QueryClose() override;
};

struct DeleteWindowsObject {
    void operator()(WindowsObject* object) const { WindowsObject::Delete(object); }
};

// A window object that the test deletes at its end, unless the test gave it up (release()).
template <typename Object>
using Owned = std::unique_ptr<Object, DeleteWindowsObject>;

// Dispatches every message that is waiting in the thread's queue (not WM_QUIT, which stays).
void DispatchPending();

// Takes WM_QUIT from the queue: its exit code, or -1 if there was none.
int TakeQuit();
