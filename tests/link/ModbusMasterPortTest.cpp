// What the master asks of its serial port where a real line cannot show it: the line settings
// and time-outs, the purges and the size of every read.
#include "ModbusMaster.h"
#include "RecordingSerialPort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

std::string Joined(const Calls& List) {
    std::string text;
    for (const std::string& call : List)
        text += call + "; ";
    return text;
}

class ModbusMasterPort : public ::testing::Test {
protected:
    void SetUp() override {
        RecordedPort() = PortRecord{};
        Master.Open("\\\\.\\COM3");
        RecordedPort().Calls.clear();
    }

    // Reads 4 input registers from 0 of slave 1; the port hands out Reply.
    bool ReadFour(const std::string& Reply) {
        RecordedPort().Incoming = FromHex(Reply);
        return Master.ReadInputRegisters(1, 0, 4, Words);
    }

    ModbusMaster Master;
    std::uint16_t Words[4] = {};
};

const std::string Request = "Write 01 04 00 00 00 04 F1 C9";
const std::string IdentReply = "01 04 08 5A 45 46 00 00 00 00 00 BB 2C";

// Columns: baud rate, parity code, read multiplier (ms per byte), read constant (ms).
struct LineCase {
    DWORD BaudRate;
    BYTE Parity;
    DWORD Multiplier;
    DWORD Constant;
};

void PrintTo(const LineCase& Case, std::ostream* Out) { *Out << Case.BaudRate << " baud"; }

class ModbusMasterLine : public ModbusMasterPort, public ::testing::WithParamInterface<LineCase> {};

TEST_P(ModbusMasterLine, SetsEightDataBitsOneStopBitAndTheTimeOutsOfTheRate) {
    const LineCase& c = GetParam();
    Master.SetLine(c.BaudRate, c.Parity);
    const std::string rate = std::to_string(c.BaudRate);
    const Calls expected = {
        "SetState 1 " + rate + " 8 " + std::to_string(c.Parity) + " 0",
        "SetTimeouts 0 " + std::to_string(c.Multiplier) + " " + std::to_string(c.Constant) + " 0 100"};
    EXPECT_EQ(Joined(expected), Joined(RecordedPort().Calls)) << rate << " baud";
}

INSTANTIATE_TEST_SUITE_P(BaudRates, ModbusMasterLine,
                         ::testing::Values(LineCase{1200, NOPARITY, 10, 350}, LineCase{2400, ODDPARITY, 5, 225},
                                           LineCase{4800, EVENPARITY, 3, 162}, LineCase{9600, MARKPARITY, 2, 131},
                                           LineCase{19200, EVENPARITY, 1, 115}, LineCase{38400, NOPARITY, 1, 107},
                                           LineCase{57600, ODDPARITY, 1, 105}, LineCase{115200, EVENPARITY, 1, 102}));

TEST_F(ModbusMasterPort, EmptiesTheInputQueueRightBeforeEachRequest) {
    EXPECT_TRUE(ReadFour(IdentReply));
    EXPECT_EQ(Joined({"Purge 8", Request, "Read 5 -> 5", "Read 8 -> 8"}), Joined(RecordedPort().Calls));
}

TEST_F(ModbusMasterPort, ReadsExactlyTheMissingBytesUntilTheFrameIsComplete) {
    RecordedPort().ChunkSize = 3;
    EXPECT_TRUE(ReadFour(IdentReply));
    EXPECT_EQ(Joined({"Purge 8", Request, "Read 5 -> 3", "Read 2 -> 2", "Read 8 -> 3", "Read 5 -> 3", "Read 2 -> 2"}),
              Joined(RecordedPort().Calls));
    EXPECT_EQ(0x5A45, Words[0]);
}

// How each kind of failed reply ends the transaction.
// Columns: what, the reply, the calls after the request, the exception code afterwards.
struct FailureCase {
    const char* What;
    const char* Reply;
    Calls After;
    int Exception;
};

void PrintTo(const FailureCase& Case, std::ostream* Out) { *Out << Case.What; }

class ModbusMasterFailure : public ModbusMasterPort, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ModbusMasterFailure, EndsAsItsKindRequires) {
    const FailureCase& c = GetParam();
    ReadFour("01 84 03 03 01");  // a valid exception code 3 before
    RecordedPort().Calls.clear();
    EXPECT_FALSE(ReadFour(c.Reply)) << c.What;
    Calls expected = {"Purge 8", Request};
    expected.insert(expected.end(), c.After.begin(), c.After.end());
    EXPECT_EQ(Joined(expected), Joined(RecordedPort().Calls)) << c.What;
    EXPECT_EQ(c.Exception, Master.GetLastException()) << c.What;
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ModbusMasterFailure,
    ::testing::Values(
        FailureCase{"exception reply: five bytes, no purge", "01 84 02 C2 C1", {"Read 5 -> 5"}, 2},
        FailureCase{"no reply: no purge", "", {"Read 5 -> 0"}, 0},
        FailureCase{"reply cut short: no purge", "01 04 08 5A 45 46", {"Read 5 -> 5", "Read 8 -> 1", "Read 7 -> 0"}, 0},
        FailureCase{"wrong CRC: both queues purged",
                    "01 04 08 5A 45 46 00 00 00 00 00 BB 2D",
                    {"Read 5 -> 5", "Read 8 -> 8", "Purge 12"},
                    0},
        FailureCase{"exception reply with wrong CRC", "01 84 02 C2 C0", {"Read 5 -> 5", "Purge 12"}, 0},
        FailureCase{"reply to function 3: both queues purged",
                    "01 03 08 5A 45 46 00 00 00 00 00 0A F6",
                    {"Read 5 -> 5", "Read 8 -> 8", "Purge 12"},
                    0}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return "Case" + std::to_string(info.index); });

// After a transaction that gave up on its reply, the next one first takes in what still arrives,
// until a read brings nothing, and only then clears the input queue and sends.
TEST_F(ModbusMasterPort, AwaitsAReplyGivenUpOnBeforeTheNextRequest) {
    EXPECT_FALSE(ReadFour("01 04 08 5A"));
    RecordedPort().Calls.clear();
    RecordedPort().Reply = FromHex(IdentReply);
    EXPECT_TRUE(ReadFour("45 46"));  // the rest of the reply given up on
    const Calls drained = {"Read 1 -> 1", "Read 1 -> 1", "Read 1 -> 0", "Purge 8", Request};
    const Calls& calls = RecordedPort().Calls;
    ASSERT_LE(drained.size(), calls.size());
    EXPECT_EQ(Joined(drained), Joined(Calls(calls.begin(), calls.begin() + drained.size())));
    EXPECT_EQ(0x5A45, Words[0]);
}

TEST_F(ModbusMasterPort, GivesUpAwaitingALineThatNeverFallsSilent) {
    EXPECT_FALSE(ReadFour(""));
    RecordedPort().Calls.clear();
    RecordedPort().Incoming = Bytes(4096, 0x55);
    EXPECT_FALSE(Master.ReadInputRegisters(1, 0, 4, Words));
    const Calls& calls = RecordedPort().Calls;
    const auto request = std::find(calls.begin(), calls.end(), Request);
    EXPECT_EQ(512, request - calls.begin() - 1) << "one-byte reads before the purge and the request";
}

TEST_F(ModbusMasterPort, ACountOutsideOneTo125TouchesNoPort) {
    std::uint16_t words[126];
    EXPECT_FALSE(Master.ReadHoldingRegisters(1, 0, 0, words));
    EXPECT_FALSE(Master.ReadInputRegisters(1, 0, 126, words));
    EXPECT_EQ("", Joined(RecordedPort().Calls));
}

}  // namespace
