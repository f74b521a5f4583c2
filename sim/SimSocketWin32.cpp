#include "SimSocket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace {

// Winsock is started once for the process and left running until it ends.
bool WinsockStarted()
{
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

}  // namespace

bool SimSocket::Connect(const std::string& host, uint16_t port)
{
    Close();
    if (!WinsockStarted())
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1)
        return false;
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return false;
    Handle = static_cast<std::intptr_t>(s);
    const DWORD timeoutMs = 10000;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof timeoutMs);
    return connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

bool SimSocket::Send(const std::string& data)
{
    size_t sent = 0;
    while (Handle != -1 && sent < data.size()) {
        const int n = send(static_cast<SOCKET>(Handle), data.data() + sent, int(data.size() - sent), 0);
        if (n <= 0)
            return false;
        sent += size_t(n);
    }
    return Handle != -1;
}

bool SimSocket::Receive(std::string& data)
{
    char buffer[1024];
    const int n = Handle != -1 ? recv(static_cast<SOCKET>(Handle), buffer, sizeof buffer, 0) : -1;
    if (n <= 0)
        return false;
    data.append(buffer, size_t(n));
    return true;
}

void SimSocket::Close()
{
    if (Handle != -1)
        closesocket(static_cast<SOCKET>(Handle));
    Handle = -1;
}
