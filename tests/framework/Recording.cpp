#include "Recording.h"

#include <algorithm>
#include <map>

Log& Recorded()
{
    static Log log;
    return log;
}

void Record(const std::string& entry)
{
    Recorded().push_back(entry);
}

Log FirstEntries(std::size_t count)
{
    const Log& log = Recorded();
    return Log(log.begin(), log.begin() + std::min(count, log.size()));
}

Log EntriesWith(const std::string& text)
{
    return EntriesWith({text});
}

Log EntriesWith(std::initializer_list<std::string> texts)
{
    Log entries;
    for (const std::string& entry : Recorded()) {
        auto found = [&](const std::string& text) { return entry.find(text) != std::string::npos; };
        if (std::any_of(texts.begin(), texts.end(), found))
            entries.push_back(entry);
    }
    return entries;
}

std::string MessageName(UINT message)
{
    static const std::map<UINT, std::string> names{
        {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"}, {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_PAINT, "WM_PAINT"}, {WM_CLOSE, "WM_CLOSE"},
        {WM_QUERYENDSESSION, "WM_QUERYENDSESSION"}, {WM_COMMAND, "WM_COMMAND"}, {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
        {WM_HSCROLL, "WM_HSCROLL"}, {WM_VSCROLL, "WM_VSCROLL"}, {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_QUIT, "WM_QUIT"}};
    auto found = names.find(message);
    return found != names.end() ? found->second : std::to_string(message);
}

namespace {

bool Watched(UINT message)
{
    return MessageName(message).compare(0, 3, "WM_") == 0;
}

}  // namespace

RecordingWindow::RecordingWindow(WindowsObject* parent, std::string name, const char* title)
    : Window(parent, title), Name(std::move(name))
{
}

RecordingWindow::~RecordingWindow()
{
    Record(Name + ":~");
}

void RecordingWindow::DefaultHandler(MessageRecord& record)
{
    if (Watched(record.Message))
        Record(Name + ":DefaultHandler(" + MessageName(record.Message) + ")");
    Window::DefaultHandler(record);
}

void RecordingWindow::DefaultCommandHandler(MessageRecord& record)
{
    Record(Name + ":DefaultCommandHandler");
    Window::DefaultCommandHandler(record);
}

void RecordingWindow::HandleMessage(MessageRecord& record)
{
    if (Messages.empty()) {
        FirstMessage = record.Message;
        HandleSetAtFirstMessage = Handle == record.Handle;
    }
    Messages.push_back(record.Message);
    if (Intercept && Intercept(record))
        return;
    Window::HandleMessage(record);
}

void RecordingWindow::HandleCommand(MessageRecord& record, unsigned id)
{
    Record(Name + ":HandleCommand(" + std::to_string(id) + ")");
    Window::HandleCommand(record, id);
}

void RecordingWindow::HandleChildNotify(MessageRecord& record, unsigned id)
{
    Record(Name + ":HandleChildNotify(" + std::to_string(id) + ")");
    Window::HandleChildNotify(record, id);
}

void RecordingWindow::HandleNotify(MessageRecord& record, unsigned code)
{
    Record(Name + ":HandleNotify(" + std::to_string(code) + ")");
    Window::HandleNotify(record, code);
}

const char* RecordingWindow::WindowClassName()
{
    return ClassName.c_str();
}

void RecordingWindow::FillWindowClass(WNDCLASSA& windowClass)
{
    Record(Name + ":FillWindowClass");
    Window::FillWindowClass(windowClass);
    if (Background)
        windowClass.hbrBackground = Background;
}

bool RecordingWindow::CreateHandle()
{
    Record(Name + ":CreateHandle");
    return !FailCreate && Window::CreateHandle();
}

unsigned RecordingWindow::ExchangeData(void* data, unsigned direction)
{
    Record(Name + ":ExchangeData(" + std::to_string(direction) + ")");
    ExchangePositions.push_back(data);
    return ExchangeSize;
}

void RecordingWindow::PrepareWindow()
{
    Record(Name + ":PrepareWindow");
    Window::PrepareWindow();
}

bool RecordingWindow::QueryClose()
{
    Record(Name + ":QueryClose");
    return AllowClose && Window::QueryClose();
}

void RecordingWindow::OnActivate(MessageRecord& record)
{
    Record(Name + ":OnActivate(" + std::to_string(LOWORD(record.WParam)) + ")");
    Window::OnActivate(record);
}

void RecordingWindow::OnCommand(MessageRecord& record)
{
    Record(Name + ":OnCommand");
    Window::OnCommand(record);
}

void RecordingWindow::OnHScroll(MessageRecord& record)
{
    Record(Name + ":OnHScroll");
    Window::OnHScroll(record);
}

void RecordingWindow::OnVScroll(MessageRecord& record)
{
    Record(Name + ":OnVScroll");
    Window::OnVScroll(record);
}

void RecordingWindow::OnClose(MessageRecord& record)
{
    Record(Name + ":OnClose");
    Window::OnClose(record);
}

void RecordingWindow::OnDestroy(MessageRecord& record)
{
    Record(Name + (IsMainWindow() ? ":OnDestroy(main)" : ":OnDestroy"));
    Window::OnDestroy(record);
}

void RecordingWindow::OnQueryEndSession(MessageRecord& record)
{
    Record(Name + ":OnQueryEndSession");
    Window::OnQueryEndSession(record);
}

void RecordingWindow::OnExitCommand(MessageRecord& record)
{
    Record(Name + ":OnExitCommand");
    Window::OnExitCommand(record);
}

void RecordingWindow::Paint(PAINTSTRUCT& paint)
{
    ++PaintCalls;
    PaintDc = paint.hdc;
    PaintDcWindow = WindowFromDC(paint.hdc);
    Record(Name + ":Paint");
}

void RecordingWindow::OnCreate(MessageRecord& record)
{
    Record(Name + ":OnCreate");
    Window::OnCreate(record);
}

void RecordingWindow::OnPaint(MessageRecord& record)
{
    Record(Name + ":OnPaint");
    Window::OnPaint(record);
}

void RecordingWindow::OnSize(MessageRecord& record)
{
    Record(Name + ":OnSize");
    Window::OnSize(record);
}

void RecordingWindow::OnMove(MessageRecord& record)
{
    Record(Name + ":OnMove");
    Window::OnMove(record);
}

void RecordingWindow::OnSysCommand(MessageRecord& record)
{
    Record(Name + ":OnSysCommand");
    Window::OnSysCommand(record);
}

RecordingControl::RecordingControl(WindowsObject* parent, std::string name, const char* className, int id,
                                   std::uint32_t style)
    : RecordingWindow(parent, std::move(name))
{
    ClassName = className;
    Style = style;
    X = 10;
    Y = 10;
    Width = 80;
    Height = 24;
    MenuOrId = static_cast<std::uintptr_t>(id);
}

bool RecordingControl::EnsureClassRegistered()
{
    return true;
}

void RecordingControl::OnPaint(MessageRecord& record)
{
    DefaultHandler(record);
}

TestApplication::TestApplication() : Application("Test application")
{
}

void TestApplication::MakeMainWindow()
{
    Record("app:MakeMainWindow");
    PrimaryWindow = MakeMain ? MakeMain() : new RecordingWindow(nullptr, "main", Name);
}

bool TestApplication::OnIdle()
{
    ++IdleCalls;
    return Idle ? Idle(IdleCalls) : false;
}

bool TestApplication::QueryClose()
{
    Record("app:QueryClose");
    return AllowClose && Application::QueryClose();
}

void DispatchPending()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // left for TakeQuit
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

int TakeQuit()
{
    MSG message;
    if (!PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return -1;
    return static_cast<int>(message.wParam);
}
