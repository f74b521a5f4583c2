#include "PtyPeer.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>
#include <string>

PtyPeer::PtyPeer() : Master(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC)) {
    if (Master < 0 || ::grantpt(Master) != 0 || ::unlockpt(Master) != 0)
        throw std::runtime_error("no pseudo-terminal");
    // ptsname gives "/dev/pts/N"; a port names it without "/dev/".
    Name = std::string(::ptsname(Master)).substr(5);
}

PtyPeer::~PtyPeer() {
    if (Answerer.joinable())
        Answerer.join();
    ::close(Master);
}

bool PtyPeer::Send(const Bytes& Data) {
    return ::write(Master, Data.data(), Data.size()) == static_cast<ssize_t>(Data.size());
}

Bytes PtyPeer::Receive(std::size_t Count, std::chrono::milliseconds Timeout) {
    const auto deadline = std::chrono::steady_clock::now() + Timeout;
    Bytes data;
    while (data.size() < Count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd peer{Master, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&peer, 1, static_cast<int>(left.count())) <= 0 || !(peer.revents & POLLIN))
            break;
        std::uint8_t buffer[256];
        const ssize_t n = ::read(Master, buffer, std::min(sizeof buffer, Count - data.size()));
        if (n <= 0)
            break;
        data.insert(data.end(), buffer, buffer + n);
    }
    return data;
}

termios PtyPeer::LineSettings() const {
    // On the master side these are the settings of the terminal's near end.
    termios line{};
    ::tcgetattr(Master, &line);
    return line;
}

void PtyPeer::SetLineSettings(const termios& Line) { ::tcsetattr(Master, TCSANOW, &Line); }

void PtyPeer::AnswerNext(const Bytes& Reply, std::chrono::milliseconds Delay, std::size_t RequestLength) {
    if (Answerer.joinable())
        Answerer.join();
    Answerer = std::thread([this, Reply, Delay, RequestLength] {
        LastRequest = Receive(RequestLength, std::chrono::seconds(5));
        if (LastRequest.size() < RequestLength)
            return;
        std::this_thread::sleep_for(Delay);
        Send(Reply);
    });
}

Bytes PtyPeer::Request() {
    if (Answerer.joinable())
        Answerer.join();
    return LastRequest;
}
