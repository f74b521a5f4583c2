#pragma once

#include "Fault.h"
#include "RtuRequest.h"
#include "SimState.h"
#include "Transmitter.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The MODBUS RTU slave over a file descriptor: picks requests out of the received bytes, serves
// those addressed to the sensor at the sensor's baud rate, and queues the replies, with the
// injected faults, delays and pacing, on its transmitter.
class RtuSlave {
public:
    using Clock = Transmitter::Clock;

    // `lineBaudRate` reports the rate the master has set on the line, none when it cannot be
    // seen (then every byte counts as received at the sensor's rate).
    RtuSlave(int fd, SimState& state, std::function<std::optional<uint32_t>()> lineBaudRate);

    // Reads what has arrived on the descriptor and serves every complete request in it.
    void OnReadable(Clock::time_point now);
    // Forgets the bytes of an incomplete request and every reply not yet sent.
    void Discard();
    Transmitter& Output() { return Out; }

private:
    bool HearsLine() const;
    void TakeRequests(Clock::time_point now);
    void Serve(const RtuRequest& request, Clock::time_point now);
    std::vector<uint8_t> Answer(const RtuRequest& request);
    std::vector<uint8_t> ReadReply(const RtuRequest& request, RegisterTable table);
    std::vector<uint8_t> WriteReply(const RtuRequest& request);
    static std::vector<uint8_t> ExceptionReply(const RtuRequest& request, uint8_t code);
    static void AppendCrc(std::vector<uint8_t>& frame);
    static void Damage(std::vector<uint8_t>& reply, const Fault& fault);

    int Fd;
    SimState& State;
    std::function<std::optional<uint32_t>()> LineBaudRate;
    std::vector<uint8_t> Received;
    Transmitter Out;
};
