#include "Simulator.h"

#include "ControlCommands.h"
#include "ControlServer.h"
#include "PseudoTerminal.h"
#include "RtuSlave.h"
#include "SimState.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

// SIGINT and SIGTERM arrive as readable data on a descriptor of the poll loop.
int StopSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    return signalfd(-1, &signals, SFD_CLOEXEC);
}

// The poll time-out up to `due`; none (-1 ms) without a due time.
timespec TimeUntil(std::optional<Transmitter::Clock::time_point> due, Transmitter::Clock::time_point now)
{
    if (!due)
        return timespec{-1, 0};
    const auto wait = std::max(Transmitter::Clock::duration::zero(), *due - now);
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
    return timespec{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
}

}  // namespace

int Simulator::Run(std::ostream& out, std::ostream& err)
{
    // A reader of the announcement lines may go away; that must not end the sensor.
    signal(SIGPIPE, SIG_IGN);
    const int stopFd = StopSignals();
    PseudoTerminal pty;
    if (stopFd < 0 || !pty.Open()) {
        err << "zef-sim: cannot open a pseudo-terminal\n";
        return 1;
    }
    if (!Options.LinkPath.empty() && !pty.Link(Options.LinkPath)) {
        err << "zef-sim: cannot make the link " << Options.LinkPath << "\n";
        return 1;
    }
    SimState state(Options.Settings);
    state.Registers.SetIdent(Options.Ident);
    state.Timing = ReplyTiming{Options.Delay, Options.Paced};
    RtuSlave slave(pty.Fd(), state, [&pty] { return pty.LineBaudRate(); });
    ControlCommands commands(state, [&slave, &pty] {
        slave.Discard();
        pty.DiscardUnread();
    });
    ControlServer server([&commands](const std::string& line) { return commands.Execute(line); });
    if (!server.Listen(Options.ControlPort)) {
        err << "zef-sim: cannot listen on control port " << Options.ControlPort << "\n";
        return 1;
    }

    out << "pty " << pty.Path() << std::endl;
    out << "control 127.0.0.1:" << server.Port() << std::endl;
    out << "ready" << std::endl;

    while (!state.QuitRequested) {
        std::vector<pollfd> fds{
            {stopFd, POLLIN, 0},
            {pty.Fd(), short(slave.Output().WaitsForRoom() ? POLLIN | POLLOUT : POLLIN), 0},
        };
        server.AddPollFds(fds);
        const timespec timeout = TimeUntil(slave.Output().NextDue(), Transmitter::Clock::now());
        if (ppoll(fds.data(), fds.size(), timeout.tv_sec < 0 ? nullptr : &timeout, nullptr) < 0 && errno != EINTR) {
            err << "zef-sim: poll failed\n";
            return 1;
        }
        if (fds[0].revents & POLLIN)
            break;
        const auto now = Transmitter::Clock::now();
        if (fds[1].revents & POLLIN)
            slave.OnReadable(now);
        server.Service(fds);
        slave.Output().Send(Transmitter::Clock::now());
    }
    close(stopFd);
    return 0;
}
