#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct pollfd;

// The control port: TCP on 127.0.0.1, any number of clients, each sending command lines and
// getting one reply line per command. Runs inside the caller's poll loop.
class ControlServer {
public:
    using Handler = std::function<std::string(const std::string& line)>;

    explicit ControlServer(Handler handler) : Execute(std::move(handler)) {}
    ~ControlServer();
    ControlServer(const ControlServer&) = delete;
    ControlServer& operator=(const ControlServer&) = delete;

    // Listens on 127.0.0.1:port; port 0 takes any free port.
    bool Listen(uint16_t port);
    uint16_t Port() const { return BoundPort; }

    // Appends the descriptors to watch; Service then handles what poll reported for them.
    void AddPollFds(std::vector<pollfd>& fds) const;
    void Service(const std::vector<pollfd>& fds);

private:
    struct Client {
        int Fd;
        std::string Input;
        std::string Output;
    };

    void Accept();
    // False when the client has gone.
    bool ReadFrom(Client& client);
    bool WriteTo(Client& client);

    Handler Execute;
    int ListenFd = -1;
    uint16_t BoundPort = 0;
    std::vector<Client> Clients;
};
