#include "Transmitter.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

void Transmitter::Queue(std::vector<uint8_t> bytes, Clock::time_point start, Clock::duration interval)
{
    start = std::max(start, QueueEnd);
    QueueEnd = start + interval * bytes.size();
    Pending.push_back(Transmission{std::move(bytes), start, interval});
}

void Transmitter::Send(Clock::time_point now)
{
    Full = false;
    while (!Pending.empty()) {
        Transmission& t = Pending.front();
        const size_t due = t.DueCount(now);
        if (due > t.Sent) {
            const ssize_t n = write(Fd, t.Bytes.data() + t.Sent, due - t.Sent);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && errno != EAGAIN) {
                // The line is gone: nothing queued can reach anybody.
                Pending.clear();
                return;
            }
            t.Sent += n > 0 ? size_t(n) : 0;
            if (t.Sent < due) {
                Full = true;
                return;
            }
        }
        if (t.Sent < t.Bytes.size())
            return;
        Pending.pop_front();
    }
}

void Transmitter::Clear()
{
    Pending.clear();
    QueueEnd = Clock::time_point();
    Full = false;
}

std::optional<Transmitter::Clock::time_point> Transmitter::NextDue() const
{
    if (Pending.empty() || Full)
        return std::nullopt;
    const Transmission& t = Pending.front();
    return t.Interval == Clock::duration::zero() ? t.Start : t.NextDue();
}

size_t Transmitter::Transmission::DueCount(Clock::time_point now) const
{
    if (now < Start)
        return 0;
    if (Interval == Clock::duration::zero())
        return Bytes.size();
    return std::min(Bytes.size(), size_t((now - Start) / Interval));
}
