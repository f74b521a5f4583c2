#pragma once

#include "SimState.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

// The simulator's control language: one command line in, one reply line out, "ok …" or
// "err <reason>". Commands:
//   get input|holding REG              -> ok VALUE (0..65535)
//   set input|holding REG VALUE        VALUE 0..65535, or -32768..-1 for the same bit pattern
//   ident TEXT                         1..8 bytes (the rest of the line) into input registers 0-3
//   identhex HEX                       exactly 16 hex digits: the 8 identification bytes
//   fault KIND [ARG] [count K]         none | noreply | corrupt | exception CODE | late MS |
//                                      surplus N; for the next K requests or until changed
//   delay MS                           pause before every reply
//   pace on|off                        reply bytes at the pace of the line's baud rate
//   requests [FUNC [REG]]              -> ok N, requests received (of a function, start register)
//   writes                             -> ok REG=VALUE ... every function-6 request, in order
//   restarts                           -> ok N, restart commands carried out
//   clear                              forgets requests, writes and restarts
//   flush                              drops replies not yet sent and sent bytes not yet read
//   quit                               stops the simulator
class ControlCommands {
public:
    // `flushLine` carries out the command flush.
    ControlCommands(SimState& state, std::function<void()> flushLine);

    std::string Execute(const std::string& line);

private:
    using Words = std::vector<std::string>;
    using Handler = std::string (ControlCommands::*)(const Words& words, const std::string& line);

    std::string Get(const Words& words, const std::string& line);
    std::string Set(const Words& words, const std::string& line);
    std::string Ident(const Words& words, const std::string& line);
    std::string IdentHex(const Words& words, const std::string& line);
    std::string SetFault(const Words& words, const std::string& line);
    std::string Delay(const Words& words, const std::string& line);
    std::string Pace(const Words& words, const std::string& line);
    std::string Requests(const Words& words, const std::string& line);
    std::string Writes(const Words& words, const std::string& line);
    std::string Restarts(const Words& words, const std::string& line);
    std::string Clear(const Words& words, const std::string& line);
    std::string Flush(const Words& words, const std::string& line);
    std::string Quit(const Words& words, const std::string& line);

    SimState& State;
    std::function<void()> FlushLine;
    std::map<std::string, Handler> Handlers;
};
