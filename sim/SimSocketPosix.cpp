#include "SimSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

bool SimSocket::Connect(const std::string& host, uint16_t port)
{
    Close();
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1)
        return false;
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    Handle = fd;
    const timeval timeout{10, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    return connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

bool SimSocket::Send(const std::string& data)
{
    size_t sent = 0;
    while (Handle >= 0 && sent < data.size()) {
        const ssize_t n = send(int(Handle), data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += size_t(n);
    }
    return Handle >= 0;
}

bool SimSocket::Receive(std::string& data)
{
    char buffer[1024];
    const ssize_t n = Handle >= 0 ? recv(int(Handle), buffer, sizeof buffer, 0) : -1;
    if (n <= 0)
        return false;
    data.append(buffer, size_t(n));
    return true;
}

void SimSocket::Close()
{
    if (Handle >= 0)
        close(int(Handle));
    Handle = -1;
}
