#pragma once

#include "Window.h"

#include <string>
#include <vector>

// A top-level framework window for the control tests. It notes which child ids reached its
// HandleChildNotify (with the notification code) and which command ids reached HandleCommand.
class TestParent : public Window {
public:
    struct Notification {
        unsigned Id;
        unsigned Code;
    };

    TestParent() : Window(nullptr, "controls") {}

    std::vector<Notification> ChildNotifications;
    std::vector<unsigned> Commands;

    void HandleChildNotify(MessageRecord& record, unsigned id) override
    {
        ChildNotifications.push_back({id, HIWORD(record.WParam)});
        Window::HandleChildNotify(record, id);
    }

    void HandleCommand(MessageRecord& record, unsigned id) override
    {
        Commands.push_back(id);
        Window::HandleCommand(record, id);
    }

protected:
    ~TestParent() override = default;
};

// The text of any window.
inline std::string WindowText(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}
