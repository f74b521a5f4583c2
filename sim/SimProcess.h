#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

// A zef-sim process for native tests: started with the given arguments, ready once it has
// reported its terminal and control port, stopped (SIGTERM) when this object goes.
class SimProcess {
public:
    // Starts the program and waits up to ten seconds for its "ready" line.
    SimProcess(const std::string& executable, const std::vector<std::string>& arguments);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool Ready() const { return IsReady; }
    const std::string& PtyPath() const { return Pty; }
    const std::string& ControlAddress() const { return Control; }
    // True once the process has ended by itself within `timeout`.
    bool Exited(std::chrono::milliseconds timeout);

private:
    void ReadAnnouncement(int fd);

    pid_t Pid = -1;
    bool IsReady = false;
    std::string Pty;
    std::string Control;
};
