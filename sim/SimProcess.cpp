#include "SimProcess.h"

#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int StartTimeoutMs = 10000;

}  // namespace

SimProcess::SimProcess(const std::string& executable, const std::vector<std::string>& arguments)
{
    int out[2];
    if (pipe(out) != 0)
        return;
    std::vector<std::string> words{executable};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    if (posix_spawn(&Pid, executable.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        Pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (Pid > 0)
        ReadAnnouncement(out[0]);
    close(out[0]);
}

SimProcess::~SimProcess()
{
    if (Pid <= 0)
        return;
    kill(Pid, SIGTERM);
    waitpid(Pid, nullptr, 0);
}

bool SimProcess::Exited(std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (Pid > 0) {
        if (waitpid(Pid, nullptr, WNOHANG) == Pid)
            Pid = -1;
        else if (std::chrono::steady_clock::now() >= end)
            return false;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// Lines "pty PATH", "control ADDRESS", then "ready".
void SimProcess::ReadAnnouncement(int fd)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(StartTimeoutMs);
    std::string text;
    for (;;) {
        for (size_t eol; (eol = text.find('\n')) != std::string::npos; text.erase(0, eol + 1)) {
            const std::string line = text.substr(0, eol);
            if (line.rfind("pty ", 0) == 0)
                Pty = line.substr(4);
            else if (line.rfind("control ", 0) == 0)
                Control = line.substr(8);
            else if (line == "ready")
                IsReady = !Pty.empty() && !Control.empty();
            if (IsReady)
                return;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        char buffer[256];
        if (left.count() <= 0 || poll(&p, 1, int(left.count())) <= 0)
            return;
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return;
        text.append(buffer, size_t(n));
    }
}
