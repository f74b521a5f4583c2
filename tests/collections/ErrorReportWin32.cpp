#include "ErrorReport.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <thread>

namespace {

constexpr int WatchMilliseconds = 30000;
constexpr int PollMilliseconds = 20;
// The exit code when no box appears: the death test then fails on the code and the text.
constexpr UINT NoBoxExitCode = 99;

std::string WindowText(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// A message box is a dialog (class "#32770") of this process.
BOOL CALLBACK FindOwnDialog(HWND window, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (process != GetCurrentProcessId() || std::string(className) != "#32770") return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The message text is the box's static control that is not its icon.
BOOL CALLBACK FindMessageText(HWND child, LPARAM text) {
    char className[16] = "";
    GetClassNameA(child, className, sizeof className);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (lstrcmpiA(className, "Static") != 0 || (style & SS_TYPEMASK) == SS_ICON) return TRUE;
    *reinterpret_cast<std::string*>(text) = WindowText(child);
    return FALSE;
}

void Watch() {
    for (int waited = 0; waited < WatchMilliseconds; waited += PollMilliseconds) {
        HWND box = nullptr;
        EnumWindows(FindOwnDialog, reinterpret_cast<LPARAM>(&box));
        if (box != nullptr && IsWindowVisible(box)) {
            std::string text;
            EnumChildWindows(box, FindMessageText, reinterpret_cast<LPARAM>(&text));
            std::fprintf(stderr, "box caption \"%s\" text \"%s\"\n", WindowText(box).c_str(),
                         text.c_str());
            std::fflush(stderr);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return;
        }
        Sleep(PollMilliseconds);
    }
    std::fprintf(stderr, "no message box appeared\n");
    std::fflush(stderr);
    ExitProcess(NoBoxExitCode);
}

}  // namespace

void AnswerErrorBox() {
    std::thread(Watch).detach();
}

std::string ErrorReportPattern(const std::string& textPattern) {
    return "box caption \"Error\" text \"" + textPattern + "\"";
}
