#include "SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>

// What a Win32 handle of a serial port stands for: the device and the time-outs of its driver.
struct PosixSerialDevice {
    int Fd;
    COMMTIMEOUTS Timeouts;
};

namespace {

using Clock = std::chrono::steady_clock;

// "\\.\NAME" names the device /dev/NAME (so "\\.\pts/3" is /dev/pts/3); other paths are used as given.
std::string DevicePath(const char* Path) {
    static const char Prefix[] = "\\\\.\\";
    const std::size_t prefixLength = sizeof Prefix - 1;
    if (std::strncmp(Path, Prefix, prefixLength) == 0)
        return std::string("/dev/") + (Path + prefixLength);
    return Path;
}

// The deadline of a transfer of Count bytes; none when both time-outs are 0, as with Win32.
struct Deadline {
    Deadline(DWORD Multiplier, DWORD Constant, DWORD Count)
        : Limited(Multiplier != 0 || Constant != 0),
          At(Clock::now() + std::chrono::milliseconds(std::uint64_t{Multiplier} * Count + Constant)) {}

    // Milliseconds left for poll(): -1 waits without limit, 0 means the time is up.
    int Remaining() const {
        if (!Limited)
            return -1;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(At - Clock::now()).count();
        return left > 0 ? static_cast<int>(left) : 0;
    }

    bool Limited;
    Clock::time_point At;
};

// Waits until the device is ready for Events; false when the time is up or the device failed.
bool WaitFor(int Fd, short Events, const Deadline& Limit) {
    for (;;) {
        pollfd device{Fd, Events, 0};
        const int ready = ::poll(&device, 1, Limit.Remaining());
        if (ready < 0 && errno == EINTR)
            continue;
        return ready > 0 && (device.revents & Events) != 0;
    }
}

speed_t SpeedCode(DWORD BaudRate) {
    switch (BaudRate) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B0;
    }
}

tcflag_t CharacterSize(BYTE ByteSize) {
    switch (ByteSize) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

// Mark and space parity are a parity bit that does not depend on the data (CMSPAR).
tcflag_t ParityFlags(BYTE Parity) {
    switch (Parity) {
    case ODDPARITY: return PARENB | PARODD;
    case EVENPARITY: return PARENB;
    case MARKPARITY: return PARENB | PARODD | CMSPAR;
    case SPACEPARITY: return PARENB | CMSPAR;
    default: return 0;
    }
}

// Raises the modem line when its DCB field says "enable" and drops it otherwise: the handshake
// and toggle settings are flow control, which this port does not do.
void SetModemLine(int Fd, int Line, DWORD Control, DWORD Enable) {
    ::ioctl(Fd, Control == Enable ? TIOCMBIS : TIOCMBIC, &Line);
}

}  // namespace

bool SerialPort::Open(const char* Path) {
    Close();
    const int fd = ::open(DevicePath(Path).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Exclusive like a Win32 port: TIOCEXCL keeps out other opens, flock also those of root.
    if (::ioctl(fd, TIOCEXCL) != 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    Handle = new PosixSerialDevice{fd, {}};
    return true;
}

void SerialPort::Close() {
    if (!IsOpen())
        return;
    // The exclusive mode stays with the terminal, not with this descriptor.
    ::ioctl(Handle->Fd, TIOCNXCL);
    ::close(Handle->Fd);
    delete Handle;
    Handle = INVALID_HANDLE_VALUE;
}

void SerialPort::SetState(DWORD Flags, DWORD BaudRate, BYTE ByteSize, BYTE Parity, BYTE StopBits) {
    if (!IsOpen())
        return;
    termios line{};
    const speed_t speed = SpeedCode(BaudRate);
    // A rate the driver does not know changes nothing, as a failed SetCommState.
    if (speed == B0 || ::tcgetattr(Handle->Fd, &line) != 0)
        return;
    ::cfmakeraw(&line);
    ::cfsetispeed(&line, speed);
    ::cfsetospeed(&line, speed);
    line.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS);
    line.c_cflag |= CREAD | CLOCAL | CharacterSize(ByteSize) | ParityFlags(Parity);
    if (StopBits != ONESTOPBIT)
        line.c_cflag |= CSTOPB;
    line.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    if (Flags & DcbFlag::Parity)
        line.c_iflag |= INPCK;
    ::tcsetattr(Handle->Fd, TCSANOW, &line);
    SetModemLine(Handle->Fd, TIOCM_DTR, (Flags >> DcbFlag::DtrControlShift) & DcbFlag::ControlMask,
                 DTR_CONTROL_ENABLE);
    SetModemLine(Handle->Fd, TIOCM_RTS, (Flags >> DcbFlag::RtsControlShift) & DcbFlag::ControlMask,
                 RTS_CONTROL_ENABLE);
}

void SerialPort::SetTimeouts(const COMMTIMEOUTS& Timeouts) {
    if (!IsOpen())
        return;
    Handle->Timeouts = Timeouts;
}

DWORD SerialPort::Read(void* Buffer, DWORD Count) {
    if (!IsOpen())
        return 0;
    const COMMTIMEOUTS& timeouts = Handle->Timeouts;
    const Deadline limit(timeouts.ReadTotalTimeoutMultiplier, timeouts.ReadTotalTimeoutConstant, Count);
    auto* bytes = static_cast<unsigned char*>(Buffer);
    DWORD received = 0;
    while (received < Count && WaitFor(Handle->Fd, POLLIN, limit)) {
        const ssize_t n = ::read(Handle->Fd, bytes + received, Count - received);
        if (n > 0)
            received += static_cast<DWORD>(n);
        else if (n == 0 || (errno != EAGAIN && errno != EINTR))
            break;
    }
    return received;
}

DWORD SerialPort::Write(const void* Buffer, DWORD Count) {
    if (!IsOpen())
        return 0;
    const COMMTIMEOUTS& timeouts = Handle->Timeouts;
    const Deadline limit(timeouts.WriteTotalTimeoutMultiplier, timeouts.WriteTotalTimeoutConstant, Count);
    const auto* bytes = static_cast<const unsigned char*>(Buffer);
    DWORD written = 0;
    while (written < Count && WaitFor(Handle->Fd, POLLOUT, limit)) {
        const ssize_t n = ::write(Handle->Fd, bytes + written, Count - written);
        if (n > 0)
            written += static_cast<DWORD>(n);
        else if (n == 0 || (errno != EAGAIN && errno != EINTR))
            break;
    }
    return written;
}

void SerialPort::Purge(DWORD Flags) {
    if (!IsOpen())
        return;
    const bool input = Flags & PURGE_RXCLEAR;
    const bool output = Flags & PURGE_TXCLEAR;
    if (input || output)
        ::tcflush(Handle->Fd, input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH);
}
