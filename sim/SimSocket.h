#pragma once

#include <cstdint>
#include <string>

// A TCP connection to the simulator's control port, for test programs on Linux and on Windows.
// The only platform-specific part of the client: SimSocketPosix.cpp and SimSocketWin32.cpp.
class SimSocket {
public:
    SimSocket() = default;
    ~SimSocket() { Close(); }
    SimSocket(const SimSocket&) = delete;
    SimSocket& operator=(const SimSocket&) = delete;

    // Connects to an IPv4 address; every later receive gives up after ten seconds.
    bool Connect(const std::string& host, uint16_t port);
    bool Send(const std::string& data);
    // Appends what arrives to `data`; false when the connection ended, failed or timed out.
    bool Receive(std::string& data);
    void Close();

private:
    std::intptr_t Handle = -1;
};
