#pragma once

#include "SlaveSettings.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <string>

// The command line of zef-sim:
//   [--address N] [--baud B] [--parity none|odd|even|mark] [--link PATH] [--control-port N]
//   [--pace] [--delay MS] [--ident TEXT]
// Defaults: address 1, 19200 Bd, even parity, any free control port, "ZEF".
struct SimOptions {
    static const char* const Usage;

    SlaveSettings Settings;
    std::string LinkPath;
    uint16_t ControlPort = 0;
    bool Paced = false;
    std::chrono::milliseconds Delay{0};
    std::array<uint8_t, 8> Ident{'Z', 'E', 'F'};

    // False with the reason in `error` for an unknown option or a value out of range.
    bool Parse(int argc, const char* const* argv, std::string& error);
};
