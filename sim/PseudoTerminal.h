#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The sensor's end of a pseudo-terminal pair. The master opens the terminal device (Path) as
// its serial port; the sensor reads and writes the other side (Fd). The sensor keeps the
// terminal device open itself, in raw mode, so the pair never hangs up between two masters.
class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool Open();
    // Makes `linkPath` a symbolic link to the terminal device, replacing an older symbolic link
    // there (never any other file). The link is removed with the terminal.
    bool Link(const std::string& linkPath);

    // Drops what the sensor sent and no master has read yet.
    void DiscardUnread();

    int Fd() const { return Master; }
    const std::string& Path() const { return DevicePath; }
    // The baud rate the master has set on its line, 0 for a rate outside the usual ones. A pty
    // keeps the rate but not the parity, which it always reports as none.
    std::optional<uint32_t> LineBaudRate() const;

private:
    int Master = -1;
    int HeldDevice = -1;
    std::string DevicePath;
    std::string LinkPath;
};
