#include "PseudoTerminal.h"

#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct Speed {
    speed_t Code;
    uint32_t Rate;
};

constexpr Speed Speeds[] = {
    {B300, 300},       {B600, 600},       {B1200, 1200},     {B2400, 2400},     {B4800, 4800},
    {B9600, 9600},     {B19200, 19200},   {B38400, 38400},   {B57600, 57600},   {B115200, 115200},
    {B230400, 230400}, {B460800, 460800}, {B921600, 921600},
};

bool IsLinkTo(const std::string& linkPath, const std::string& target)
{
    char buffer[PATH_MAX];
    const ssize_t n = readlink(linkPath.c_str(), buffer, sizeof buffer);
    return n > 0 && std::string(buffer, size_t(n)) == target;
}

}  // namespace

PseudoTerminal::~PseudoTerminal()
{
    if (!LinkPath.empty() && IsLinkTo(LinkPath, DevicePath))
        unlink(LinkPath.c_str());
    if (HeldDevice >= 0)
        close(HeldDevice);
    if (Master >= 0)
        close(Master);
}

bool PseudoTerminal::Open()
{
    Master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (Master < 0 || grantpt(Master) != 0 || unlockpt(Master) != 0)
        return false;
    const char* name = ptsname(Master);
    if (!name)
        return false;
    DevicePath = name;
    HeldDevice = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (HeldDevice < 0)
        return false;
    // Raw: no echo of the sensor's replies back to it, no line editing, no byte translation.
    termios mode{};
    if (tcgetattr(HeldDevice, &mode) != 0)
        return false;
    cfmakeraw(&mode);
    return tcsetattr(HeldDevice, TCSANOW, &mode) == 0;
}

bool PseudoTerminal::Link(const std::string& linkPath)
{
    struct stat info {};
    if (lstat(linkPath.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode) || unlink(linkPath.c_str()) != 0)
            return false;
    }
    if (symlink(DevicePath.c_str(), linkPath.c_str()) != 0)
        return false;
    LinkPath = linkPath;
    return true;
}

void PseudoTerminal::DiscardUnread()
{
    tcflush(HeldDevice, TCIFLUSH);
}

// Terminal settings made on the device side are read back through the master side.
std::optional<uint32_t> PseudoTerminal::LineBaudRate() const
{
    termios mode{};
    if (tcgetattr(Master, &mode) != 0)
        return std::nullopt;
    const speed_t code = cfgetospeed(&mode);
    for (const Speed& speed : Speeds) {
        if (speed.Code == code)
            return speed.Rate;
    }
    return 0;
}
