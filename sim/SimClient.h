#pragma once

#include "RegisterTable.h"
#include "SimSocket.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Test-side access to a running simulator through its control port (see ControlCommands.h for
// the language). Command sends any line; the other operations wrap one command each.
class SimClient {
public:
    // "127.0.0.1:PORT", as the simulator prints it and the Wine fixture stores it.
    bool Connect(const std::string& hostPort);
    // Connects to the address stored in a file (the fixture's sim-COMn.control).
    bool ConnectControlFile(const std::string& path);

    // The reply line without its line end; empty when the connection failed.
    std::string Command(const std::string& line);
    // The reply to the last command.
    const std::string& LastReply() const { return Reply; }

    // A register as the master would read it; 0 when refused (LastReply tells why).
    uint16_t Get(RegisterTable table, uint16_t reg);
    // `value` -32768..65535; negative values give the two's-complement pattern.
    bool Set(RegisterTable table, uint16_t reg, int value);
    bool Ident(const std::string& text);
    // `fault` as after the word fault: "noreply", "late 300 count 1", "exception 3" …
    bool Fault(const std::string& fault);
    bool Delay(unsigned ms);
    bool Pace(bool on);
    unsigned Requests();
    unsigned Requests(uint8_t function);
    unsigned Requests(uint8_t function, uint16_t reg);
    // Every function-6 request received, in order: register, value.
    std::vector<std::pair<uint16_t, uint16_t>> Writes();
    unsigned Restarts();
    bool Clear();
    bool Flush();
    bool Quit();

private:
    bool Ok(const std::string& line);
    unsigned Count(const std::string& line);

    SimSocket Socket;
    std::string Received;
    std::string Reply;
};
