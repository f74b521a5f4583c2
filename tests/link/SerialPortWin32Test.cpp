// The Win32 serial port on the COM port that the test fixture maps to the simulated sensor.
#include "HexBytes.h"
#include "SerialPort.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// "\\.\COMn" of the fixture's port.
std::string SimPortPath() {
    const char* name = std::getenv("ZEF_SIM_COM");
    return name ? std::string("\\\\.\\") + name : std::string();
}

class SerialPortOnCom : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(Path.empty()) << "ZEF_SIM_COM is not set: run through CTest"; }

    const std::string Path = SimPortPath();
};

TEST(SerialPortWin32Closed, EveryOperationIsHarmless) {
    SerialPort port;
    std::uint8_t buffer[4] = {1, 2, 3, 4};
    COMMTIMEOUTS timeouts{0, 1, 100, 0, 100};
    port.Close();
    port.SetState(DcbFlag::Binary, 19200, 8, EVENPARITY, ONESTOPBIT);
    port.SetTimeouts(timeouts);
    port.Purge(PURGE_TXCLEAR | PURGE_RXCLEAR);
    EXPECT_EQ(0u, port.Read(buffer, sizeof buffer));
    EXPECT_EQ(0u, port.Write(buffer, sizeof buffer));
    EXPECT_EQ(1, buffer[0]) << "a read on a closed port must not touch the buffer";
}

TEST(SerialPortWin32Open, AMissingPortLeavesThePortClosed) {
    SerialPort port;
    std::uint8_t buffer[1];
    EXPECT_FALSE(port.Open("\\\\.\\COM231"));
    EXPECT_EQ(0u, port.Read(buffer, 1)) << "the port must still be closed";
}

// Wine does not refuse a second open of a COM port; exclusive opening is tested on the POSIX port.
TEST_F(SerialPortOnCom, StaysClosedAfterClosingTwice) {
    SerialPort port;
    ASSERT_TRUE(port.Open(Path.c_str())) << Path;
    port.Close();
    port.Close();
    const Bytes request = FromHex("01 04 00 00 00 04 F1 C9");
    std::uint8_t reply[5] = {};
    EXPECT_EQ(0u, port.Write(request.data(), static_cast<DWORD>(request.size())));
    EXPECT_EQ(0u, port.Read(reply, sizeof reply));
}

// The driver's DCB after SetState with flag word 1, after flow control of every kind had been
// switched on. On a pseudo-terminal under Wine neither parity, nor a character size other than 8,
// nor parity checking, nor the modem lines show, so they are not compared here.
TEST_F(SerialPortOnCom, SetStateReplacesTheWholeFlagWord) {
    HANDLE handle = CreateFileA(Path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, handle) << Path;
    DCB before{};
    before.DCBlength = sizeof before;
    ASSERT_TRUE(GetCommState(handle, &before));
    before.fOutxCtsFlow = TRUE;
    before.fOutX = TRUE;
    before.fInX = TRUE;
    before.BaudRate = 9600;
    before.StopBits = TWOSTOPBITS;
    SetCommState(handle, &before);
    DCB check{};
    check.DCBlength = sizeof check;
    GetCommState(handle, &check);
    CloseHandle(handle);
    ASSERT_TRUE(check.fOutxCtsFlow && check.fOutX && check.fInX) << "flow control could not be switched on first";

    {
        SerialPort port;
        ASSERT_TRUE(port.Open(Path.c_str()));
        port.SetState(DcbFlag::Binary, 19200, 8, EVENPARITY, ONESTOPBIT);
    }

    handle = CreateFileA(Path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, handle);
    DCB after{};
    after.DCBlength = sizeof after;
    ASSERT_TRUE(GetCommState(handle, &after));
    CloseHandle(handle);
    EXPECT_EQ(19200u, after.BaudRate);
    EXPECT_EQ(ONESTOPBIT, after.StopBits);
    EXPECT_EQ(0u, after.fOutxCtsFlow) << "CTS flow control";
    EXPECT_EQ(0u, after.fOutX) << "XON/XOFF on output";
    EXPECT_EQ(0u, after.fInX) << "XON/XOFF on input";
}

// A raw transaction with the simulated sensor (address 1, identification "ZEF").
TEST_F(SerialPortOnCom, ExchangesBytesWithinItsTimeOuts) {
    SerialPort port;
    ASSERT_TRUE(port.Open(Path.c_str()));
    port.SetState(DcbFlag::Binary, 19200, 8, EVENPARITY, ONESTOPBIT);
    COMMTIMEOUTS timeouts{0, 1, 115, 0, 100};
    port.SetTimeouts(timeouts);
    port.Purge(PURGE_TXCLEAR | PURGE_RXCLEAR);

    const Bytes request = FromHex("01 04 00 00 00 04 F1 C9");
    EXPECT_EQ(request.size(), port.Write(request.data(), static_cast<DWORD>(request.size())));
    std::uint8_t reply[13] = {};
    DWORD received = 0;
    for (DWORD n = 1; received < sizeof reply && n != 0; received += n)
        n = port.Read(reply + received, sizeof reply - received);
    EXPECT_EQ("01 04 08 5A 45 46 00 00 00 00 00 BB 2C", ToHex(reply, received));

    const auto start = Clock::now();
    EXPECT_EQ(0u, port.Read(reply, 5)) << "nothing more was sent";
    EXPECT_LT(Clock::now() - start, 3s) << "the read time-out is 120 ms";
}

}  // namespace
