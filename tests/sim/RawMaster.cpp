#include "RawMaster.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <unistd.h>

RawMaster::RawMaster(const std::string& path, speed_t speed)
{
    Fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (Fd >= 0)
        SetSpeed(speed);
}

RawMaster::~RawMaster()
{
    if (Fd >= 0)
        close(Fd);
}

void RawMaster::SetSpeed(speed_t speed)
{
    termios mode{};
    tcgetattr(Fd, &mode);
    cfmakeraw(&mode);
    mode.c_cflag |= CLOCAL | CREAD | PARENB;  // 8E1, though a pty keeps no parity
    cfsetispeed(&mode, speed);
    cfsetospeed(&mode, speed);
    tcsetattr(Fd, TCSANOW, &mode);
}

void RawMaster::Send(const std::string& hex)
{
    SendRaw(WithCrc(hex));
}

void RawMaster::SendRaw(const std::string& hex)
{
    const std::vector<uint8_t> bytes = Bytes(hex);
    if (write(Fd, bytes.data(), bytes.size()) != ssize_t(bytes.size()))
        perror("RawMaster write");
}

std::string RawMaster::Receive(size_t count, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    std::vector<uint8_t> bytes;
    while (bytes.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        pollfd p{Fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&p, 1, int(left.count())) <= 0)
            break;
        uint8_t buffer[256];
        const ssize_t n = read(Fd, buffer, std::min(sizeof buffer, count - bytes.size()));
        if (n <= 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return Hex(bytes);
}

std::string RawMaster::Transact(const std::string& hex, size_t count)
{
    Send(hex);
    return Receive(count, std::chrono::seconds(2));
}

std::string RawMaster::WithCrc(const std::string& hex)
{
    std::vector<uint8_t> bytes = Bytes(hex);
    const uint16_t crc = Crc(bytes);
    bytes.push_back(static_cast<uint8_t>(crc));
    bytes.push_back(static_cast<uint8_t>(crc >> 8));
    return Hex(bytes);
}

std::vector<uint8_t> RawMaster::Bytes(const std::string& hex)
{
    std::vector<uint8_t> bytes;
    std::istringstream in(hex);
    for (unsigned byte; in >> std::hex >> byte;)
        bytes.push_back(static_cast<uint8_t>(byte));
    return bytes;
}

std::string RawMaster::Hex(const std::vector<uint8_t>& bytes)
{
    std::string text;
    char digits[4];
    for (uint8_t byte : bytes) {
        std::snprintf(digits, sizeof digits, text.empty() ? "%02X" : " %02X", byte);
        text += digits;
    }
    return text;
}

// Bitwise CRC-16/MODBUS, written out separately from the simulator's.
uint16_t RawMaster::Crc(const std::vector<uint8_t>& bytes)
{
    unsigned crc = 0xFFFF;
    for (uint8_t byte : bytes) {
        crc ^= byte;
        for (int i = 0; i < 8; ++i)
            crc = (crc >> 1) ^ ((crc & 1) ? 0xA001 : 0);
    }
    return static_cast<uint16_t>(crc);
}
