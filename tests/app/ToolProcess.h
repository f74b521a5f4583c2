#pragma once

#include <windows.h>

#include <string>

// One run of the real zef-config.exe: started as the operator starts it, its windows found
// by class and title, ended by closing its window. A run that is still alive when the
// object goes is terminated, so that a failed test leaves nothing behind.
class ToolProcess {
public:
    // A message box of the tool: what the operator reads before answering it.
    struct MessageBoxSeen {
        HWND Window = nullptr;
        std::string Caption;
        std::string Text;
    };

    ToolProcess();
    ~ToolProcess();
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    // Starts the program and waits until its main window is shown and ready for input.
    bool Start();
    HWND MainWindow() const { return Main; }
    // The control of the main window with this place in the creation order (1 for the first).
    HWND Control(int Number) const;
    // The window of the tool's thread that has the keyboard focus.
    HWND FocusedWindow() const;
    // The first visible top-level window of the tool with this class and title (any title
    // when null), waiting for it up to TimeoutMs; null when none came.
    HWND WaitForWindow(const char* Class, const char* Title, DWORD TimeoutMs = 5000) const;
    // Waits up to TimeoutMs for the window to be gone.
    static bool WaitUntilGone(HWND Window, DWORD TimeoutMs = 5000);
    // Waits until the tool has handled every message sent before (it is idle again).
    void Settle() const;
    // The next message box of the tool, or an empty record when none comes within TimeoutMs.
    MessageBoxSeen WaitForMessageBox(DWORD TimeoutMs = 5000) const;
    // True when no message box of the tool shows up within TimeoutMs.
    bool NoMessageBoxWithin(DWORD TimeoutMs) const;
    // Answers a message box with Enter, as the operator does, and waits until it is gone.
    static bool Answer(const MessageBoxSeen& Box);
    // Brings the main window to the front, so that keys go to it.
    void Activate() const;
    // Waits up to TimeoutMs for the process to end; its exit code, or -1 while it still runs.
    long WaitForExit(DWORD TimeoutMs = 10000);

private:
    PROCESS_INFORMATION Process{};
    HWND Main = nullptr;
};
