#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <termios.h>
#include <vector>

// The smallest MODBUS master for testing the simulated sensor: it opens the terminal raw,
// sets a baud rate, sends bytes and collects what comes back. Bytes are written and compared
// as hex text ("01 04 00 00"), so a failed check shows the frames.
class RawMaster {
public:
    explicit RawMaster(const std::string& path, speed_t speed = B19200);
    ~RawMaster();
    RawMaster(const RawMaster&) = delete;
    RawMaster& operator=(const RawMaster&) = delete;

    bool IsOpen() const { return Fd >= 0; }
    void SetSpeed(speed_t speed);

    // Sends the bytes with the CRC appended, low byte first.
    void Send(const std::string& hex);
    void SendRaw(const std::string& hex);
    // What arrives until `count` bytes are in or `timeout` has passed, as hex text.
    std::string Receive(size_t count, std::chrono::milliseconds timeout);
    // Sends a request and waits up to two seconds for a reply of `count` bytes.
    std::string Transact(const std::string& hex, size_t count);

    // Hex text of a frame with its CRC appended.
    static std::string WithCrc(const std::string& hex);

private:
    static std::vector<uint8_t> Bytes(const std::string& hex);
    static std::string Hex(const std::vector<uint8_t>& bytes);
    static uint16_t Crc(const std::vector<uint8_t>& bytes);

    int Fd = -1;
};
