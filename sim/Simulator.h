#pragma once

#include "SimOptions.h"

#include <ostream>

// The simulated sensor as a program: a pseudo-terminal served by the RTU slave, the control
// port, and one poll loop over both until SIGINT, SIGTERM or the control command quit.
class Simulator {
public:
    explicit Simulator(const SimOptions& options) : Options(options) {}

    // Prints "pty PATH", "control 127.0.0.1:PORT" and "ready", each on its own flushed line, then
    // serves. Returns the process exit code.
    int Run(std::ostream& out, std::ostream& err);

private:
    SimOptions Options;
};
