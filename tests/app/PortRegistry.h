#pragma once

#include <string>

// The machine's list of serial ports (HKLM hardware\devicemap\serialcomm), which the tool
// reads at its start. Tests put the simulated sensor's port into it and take it out again.
class PortRegistry {
public:
    // Lists Port under the value name Device; true on success.
    static bool Add(const std::string& Device, const std::string& Port);
    static void Remove(const std::string& Device);
};
