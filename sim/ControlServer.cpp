#include "ControlServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A client that sends this much without a line end is not speaking the control language.
constexpr size_t MaxLineLength = 4096;

const pollfd* Find(const std::vector<pollfd>& fds, int fd)
{
    for (const pollfd& p : fds) {
        if (p.fd == fd)
            return &p;
    }
    return nullptr;
}

}  // namespace

ControlServer::~ControlServer()
{
    for (const Client& client : Clients)
        close(client.Fd);
    if (ListenFd >= 0)
        close(ListenFd);
}

bool ControlServer::Listen(uint16_t port)
{
    ListenFd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (ListenFd < 0)
        return false;
    const int yes = 1;
    setsockopt(ListenFd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    socklen_t length = sizeof address;
    if (bind(ListenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(ListenFd, 16) != 0
        || getsockname(ListenFd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return false;
    BoundPort = ntohs(address.sin_port);
    return true;
}

void ControlServer::AddPollFds(std::vector<pollfd>& fds) const
{
    fds.push_back(pollfd{ListenFd, POLLIN, 0});
    for (const Client& client : Clients)
        fds.push_back(pollfd{client.Fd, short(client.Output.empty() ? POLLIN : POLLIN | POLLOUT), 0});
}

void ControlServer::Service(const std::vector<pollfd>& fds)
{
    for (size_t i = 0; i < Clients.size();) {
        const pollfd* p = Find(fds, Clients[i].Fd);
        bool alive = true;
        if (p && (p->revents & (POLLIN | POLLHUP | POLLERR)))
            alive = ReadFrom(Clients[i]);
        if (alive && WriteTo(Clients[i])) {
            ++i;
            continue;
        }
        close(Clients[i].Fd);
        Clients.erase(Clients.begin() + i);
    }
    const pollfd* listening = Find(fds, ListenFd);
    if (listening && (listening->revents & POLLIN))
        Accept();
}

void ControlServer::Accept()
{
    for (;;) {
        const int fd = accept4(ListenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        Clients.push_back(Client{fd, {}, {}});
    }
}

// Each complete line is one command; its reply is queued at once, so replies keep the order of
// the commands.
bool ControlServer::ReadFrom(Client& client)
{
    char buffer[1024];
    const ssize_t n = read(client.Fd, buffer, sizeof buffer);
    if (n < 0)
        return errno == EAGAIN || errno == EINTR;
    if (n == 0)
        return false;
    client.Input.append(buffer, size_t(n));
    for (size_t end; (end = client.Input.find('\n')) != std::string::npos;) {
        std::string line = client.Input.substr(0, end);
        client.Input.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        client.Output += Execute(line) + "\n";
    }
    return client.Input.size() <= MaxLineLength;
}

bool ControlServer::WriteTo(Client& client)
{
    while (!client.Output.empty()) {
        const ssize_t n = send(client.Fd, client.Output.data(), client.Output.size(), MSG_NOSIGNAL);
        if (n < 0)
            return errno == EAGAIN || errno == EINTR;
        client.Output.erase(0, size_t(n));
    }
    return true;
}
