#include "PtyPeer.h"
#include "SerialPort.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <ostream>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Raw 8-bit line at 19200 baud with read time-outs of ReadMultiplier ms per byte + ReadConstant ms.
void MakeRawLine(SerialPort& Port, DWORD ReadMultiplier, DWORD ReadConstant) {
    Port.SetState(DcbFlag::Binary, 19200, 8, NOPARITY, ONESTOPBIT);
    COMMTIMEOUTS timeouts{0, ReadMultiplier, ReadConstant, 0, 100};
    Port.SetTimeouts(timeouts);
}

TEST(SerialPortClosed, EveryOperationIsHarmless) {
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

TEST(SerialPortOpen, AMissingDeviceLeavesThePortClosed) {
    SerialPort port;
    std::uint8_t buffer[1];
    EXPECT_FALSE(port.Open("\\\\.\\zef-no-such-port"));
    EXPECT_EQ(0u, port.Read(buffer, 1)) << "the port must still be closed";
}

TEST(SerialPortOpen, TheWin32DevicePathNamesTheDeviceUnderDev) {
    PtyPeer peer;
    SerialPort port;
    ASSERT_TRUE(port.Open(peer.DevicePath().c_str())) << peer.DevicePath();
    MakeRawLine(port, 1, 100);
    const Bytes sent = FromHex("01 04 00 00 00 04 F1 C9");
    EXPECT_EQ(sent.size(), port.Write(sent.data(), static_cast<DWORD>(sent.size())));
    EXPECT_EQ(ToHex(sent), ToHex(peer.Receive(sent.size(), 2s)));
}

TEST(SerialPortOpen, IsExclusiveUntilTheHolderClosesOrIsDestroyed) {
    PtyPeer peer;
    const std::string path = peer.DevicePath();
    auto holder = std::make_unique<SerialPort>();
    SerialPort second;
    ASSERT_TRUE(holder->Open(path.c_str()));
    EXPECT_FALSE(second.Open(path.c_str())) << "a second open of a held port must fail";
    holder->Close();
    holder->Close();  // a second Close does nothing
    EXPECT_TRUE(second.Open(path.c_str())) << "the port must be free after Close";
    EXPECT_FALSE(holder->Open(path.c_str())) << "held by the second port now";
    second.Close();
    ASSERT_TRUE(holder->Open(path.c_str()));
    holder.reset();
    EXPECT_TRUE(second.Open(path.c_str())) << "destroying an open port must release it";
}

TEST(SerialPortOpen, OpeningAgainReleasesTheDeviceHeldBefore) {
    PtyPeer first;
    PtyPeer other;
    SerialPort port;
    SerialPort competitor;
    ASSERT_TRUE(port.Open(first.DevicePath().c_str()));
    ASSERT_TRUE(port.Open(other.DevicePath().c_str()));
    EXPECT_TRUE(competitor.Open(first.DevicePath().c_str())) << "the first device must not stay held";
}

// The line that SetState leaves, whatever the terminal had before: flow control of every kind,
// parity checking and two stop bits are switched on first. A pseudo-terminal keeps neither the
// parity enable bit nor a character size other than 8, so the parity shows in PARODD and CMSPAR.
// Columns: Win32 parity code, the termios bits PARODD and CMSPAR expected.
struct ParityCase {
    BYTE Parity;
    tcflag_t Expected;
};

void PrintTo(const ParityCase& Case, std::ostream* Out) { *Out << "parity code " << int(Case.Parity); }

class SerialPortState : public ::testing::TestWithParam<ParityCase> {};

TEST_P(SerialPortState, ReplacesTheWholeLineSetting) {
    PtyPeer peer;
    termios before = peer.LineSettings();
    before.c_cflag |= CRTSCTS | CSTOPB | PARODD | CMSPAR;
    before.c_iflag |= IXON | IXOFF | INPCK;
    peer.SetLineSettings(before);
    ASSERT_EQ(tcflag_t{IXON | IXOFF | INPCK}, peer.LineSettings().c_iflag & (IXON | IXOFF | INPCK));
    SerialPort port;
    ASSERT_TRUE(port.Open(peer.DevicePath().c_str()));

    port.SetState(DcbFlag::Binary, 9600, 8, GetParam().Parity, ONESTOPBIT);

    const termios line = peer.LineSettings();
    EXPECT_EQ(GetParam().Expected, line.c_cflag & (PARODD | CMSPAR));
    EXPECT_EQ(B9600, cfgetospeed(&line));
    EXPECT_EQ(0u, line.c_cflag & (CSTOPB | CRTSCTS)) << "one stop bit, no hardware flow control";
    EXPECT_EQ(0u, line.c_iflag & (IXON | IXOFF | INPCK)) << "no XON/XOFF, no parity check on receive";
    EXPECT_EQ(0u, line.c_lflag & (ICANON | ECHO)) << "raw bytes, no echo";
}

INSTANTIATE_TEST_SUITE_P(Parities, SerialPortState,
                         ::testing::Values(ParityCase{NOPARITY, 0}, ParityCase{ODDPARITY, PARODD},
                                           ParityCase{EVENPARITY, 0}, ParityCase{MARKPARITY, PARODD | CMSPAR}));

TEST(SerialPortState, TheParityFlagChecksParityOnReceive) {
    PtyPeer peer;
    SerialPort port;
    ASSERT_TRUE(port.Open(peer.DevicePath().c_str()));
    port.SetState(DcbFlag::Binary | DcbFlag::Parity, 19200, 8, EVENPARITY, ONESTOPBIT);
    EXPECT_EQ(tcflag_t{INPCK}, peer.LineSettings().c_iflag & INPCK);
}

TEST(SerialPortRead, ReturnsAsSoonAsTheBytesAskedForHaveArrived) {
    PtyPeer peer;
    SerialPort port;
    ASSERT_TRUE(port.Open(peer.DevicePath().c_str()));
    MakeRawLine(port, 100, 20000);
    ASSERT_TRUE(peer.Send(FromHex("01 84 02 C2 C1")));
    std::uint8_t buffer[5] = {};
    const auto start = Clock::now();
    EXPECT_EQ(5u, port.Read(buffer, 5));
    EXPECT_LT(Clock::now() - start, 10s) << "the read waited for its time-out of 20.5 s";
    EXPECT_EQ("01 84 02 C2 C1", ToHex(buffer, 5));
}

TEST(SerialPortRead, ReturnsWhatHasArrivedWhenTheTimeIsUp) {
    PtyPeer peer;
    SerialPort port;
    ASSERT_TRUE(port.Open(peer.DevicePath().c_str()));
    MakeRawLine(port, 10, 50);  // 5 bytes: 100 ms
    ASSERT_TRUE(peer.Send(FromHex("01 04")));
    std::uint8_t buffer[5] = {};
    const auto start = Clock::now();
    EXPECT_EQ(2u, port.Read(buffer, 5));
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, 95ms) << "gave up before its time-out";
    EXPECT_LT(waited, 5s);
    EXPECT_EQ("01 04", ToHex(buffer, 2));
}

TEST(SerialPortPurge, DiscardsWhatWaitsInTheInputQueue) {
    PtyPeer peer;
    SerialPort port;
    ASSERT_TRUE(port.Open(peer.DevicePath().c_str()));
    MakeRawLine(port, 1, 50);
    ASSERT_TRUE(peer.Send(FromHex("AA BB CC")));
    std::this_thread::sleep_for(50ms);  // the bytes are in the queue
    port.Purge(PURGE_TXCLEAR | PURGE_RXCLEAR);
    ASSERT_TRUE(peer.Send(FromHex("DD")));
    std::uint8_t buffer[4] = {};
    EXPECT_EQ(1u, port.Read(buffer, 4));
    EXPECT_EQ("DD", ToHex(buffer, 1)) << "only what arrived after the purge";
}

}  // namespace
