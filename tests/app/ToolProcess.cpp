#include "ToolProcess.h"

#include "UserInput.h"
#include "WindowProbe.h"

#include <string>
#include <vector>

namespace {

// The Windows path of the program, from the build tree's Unix path.
std::string ProgramPath()
{
    std::string path = std::string("Z:") + ZEF_CONFIG_EXE;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

struct WindowSearch {
    DWORD ProcessId;
    const char* Class;
    const char* Title;
    HWND Found;
};

BOOL CALLBACK MatchTopLevel(HWND Window, LPARAM Param)
{
    auto* search = reinterpret_cast<WindowSearch*>(Param);
    DWORD processId = 0;
    GetWindowThreadProcessId(Window, &processId);
    if (processId != search->ProcessId || !IsWindowVisible(Window))
        return TRUE;
    WindowProbe::Facts facts = WindowProbe::Read(Window);
    if (facts.Class != search->Class || (search->Title != nullptr && facts.Text != search->Title))
        return TRUE;
    search->Found = Window;
    return FALSE;
}

// Polling step while waiting for the tool.
constexpr DWORD PollMs = 25;

// The class of the system's dialog windows, message boxes included.
const char* const DialogClass = "#32770";
// The id of a message box's text.
constexpr int MessageBoxTextId = 0xFFFF;

}  // namespace

ToolProcess::ToolProcess() = default;

ToolProcess::~ToolProcess()
{
    if (Process.hProcess == nullptr)
        return;
    if (WaitForSingleObject(Process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(Process.hProcess, 99);
        WaitForSingleObject(Process.hProcess, 5000);
    }
    CloseHandle(Process.hThread);
    CloseHandle(Process.hProcess);
}

bool ToolProcess::Start()
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string path = ProgramPath();
    if (!CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &Process))
        return false;
    WaitForInputIdle(Process.hProcess, 10000);
    Main = WaitForWindow("VoxWindow", "ZEF config", 10000);
    if (Main == nullptr)
        return false;
    Settle();
    return true;
}

HWND ToolProcess::Control(int Number) const
{
    std::vector<HWND> children = WindowProbe::Children(Main);
    return Number >= 1 && Number <= static_cast<int>(children.size()) ? children[Number - 1] : nullptr;
}

HWND ToolProcess::FocusedWindow() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(Process.dwThreadId, &info);
    return info.hwndFocus;
}

HWND ToolProcess::WaitForWindow(const char* Class, const char* Title, DWORD TimeoutMs) const
{
    const DWORD start = GetTickCount();
    do {
        WindowSearch search{Process.dwProcessId, Class, Title, nullptr};
        EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
        if (search.Found != nullptr)
            return search.Found;
        Sleep(PollMs);
    } while (GetTickCount() - start < TimeoutMs);
    return nullptr;
}

bool ToolProcess::WaitUntilGone(HWND Window, DWORD TimeoutMs)
{
    const DWORD start = GetTickCount();
    while (IsWindow(Window) && IsWindowVisible(Window)) {
        if (GetTickCount() - start >= TimeoutMs)
            return false;
        Sleep(PollMs);
    }
    return true;
}

void ToolProcess::Settle() const
{
    // A sent message is handled when the tool next looks at its queue, before the input
    // waiting there; a second one is handled only after the tool has taken and handled that
    // input and come back to its queue.
    for (int round = 0; round < 2; ++round) {
        DWORD_PTR ignored;
        SendMessageTimeoutW(Main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
        Sleep(20);
    }
}

ToolProcess::MessageBoxSeen ToolProcess::WaitForMessageBox(DWORD TimeoutMs) const
{
    MessageBoxSeen box;
    box.Window = WaitForWindow(DialogClass, nullptr, TimeoutMs);
    if (box.Window == nullptr)
        return box;
    box.Caption = WindowProbe::Text(box.Window);
    box.Text = WindowProbe::Text(GetDlgItem(box.Window, MessageBoxTextId));
    return box;
}

bool ToolProcess::NoMessageBoxWithin(DWORD TimeoutMs) const
{
    return WaitForWindow(DialogClass, nullptr, TimeoutMs) == nullptr;
}

bool ToolProcess::Answer(const MessageBoxSeen& Box)
{
    if (Box.Window == nullptr)
        return false;
    SetForegroundWindow(Box.Window);
    UserInput::Key(VK_RETURN);
    return WaitUntilGone(Box.Window);
}

void ToolProcess::Activate() const
{
    SetForegroundWindow(Main);
    Settle();
}

long ToolProcess::WaitForExit(DWORD TimeoutMs)
{
    if (WaitForSingleObject(Process.hProcess, TimeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(Process.hProcess, &code);
    return static_cast<long>(code);
}
