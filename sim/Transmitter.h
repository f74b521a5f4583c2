#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

// The sending side of the line: replies wait for their time, leave in the order they were
// queued, and, when paced, one byte per character time of the line.
class Transmitter {
public:
    using Clock = std::chrono::steady_clock;

    explicit Transmitter(int fd) : Fd(fd) {}

    // Queues `bytes` behind what is already queued. The transmission starts at `start` or when
    // the one before has ended, whichever is later. With a zero `interval` all bytes leave at
    // the start; otherwise byte k leaves at start + (k + 1) × interval, when its last bit is out.
    void Queue(std::vector<uint8_t> bytes, Clock::time_point start, Clock::duration interval);
    // Writes every byte that is due at `now`.
    void Send(Clock::time_point now);
    // Forgets every byte not yet written.
    void Clear();
    // When the next byte is due; none when nothing is queued or the descriptor is full.
    std::optional<Clock::time_point> NextDue() const;
    // The descriptor took fewer bytes than offered: wait until it can take more.
    bool WaitsForRoom() const { return Full; }

private:
    struct Transmission {
        std::vector<uint8_t> Bytes;
        Clock::time_point Start;
        Clock::duration Interval;
        size_t Sent = 0;

        size_t DueCount(Clock::time_point now) const;
        Clock::time_point NextDue() const { return Start + Interval * (Sent + 1); }
    };

    int Fd;
    std::deque<Transmission> Pending;
    Clock::time_point QueueEnd;
    bool Full = false;
};
