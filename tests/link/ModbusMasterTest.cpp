#include "ModbusMaster.h"
#include "PtyPeer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <ostream>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(ModbusCrc, GivesTheCheckValueOfCrc16Modbus) {
    const char* text = "123456789";
    EXPECT_EQ(0x4B37, ModbusMaster::Crc16(reinterpret_cast<const std::uint8_t*>(text), std::strlen(text)));
}

// A master on one end of a pseudo-terminal at 19200 baud, even parity; the test plays the slave.
class ModbusMasterOnPty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Master.Open(Peer.DevicePath().c_str())) << Peer.DevicePath();
        Master.SetLine(19200, EVENPARITY);
    }

    // Reads 4 input registers from 0 of slave 1 while the peer answers with Reply.
    bool ReadFour(const std::string& Reply) {
        Peer.AnswerNext(FromHex(Reply));
        return Master.ReadInputRegisters(1, 0, 4, Words);
    }

    bool WriteRestart(const std::string& Reply) {
        Peer.AnswerNext(FromHex(Reply));
        return Master.WriteSingleRegister(1, 1040, 0x55AA);
    }

    PtyPeer Peer;
    ModbusMaster Master;
    std::uint16_t Words[4] = {0x1111, 0x2222, 0x3333, 0x4444};
};

const char* const IdentReply = "01 04 08 5A 45 46 00 00 00 00 00 BB 2C";  // "ZEF"
const char* const ExceptionReply = "01 84 02 C2 C1";

TEST_F(ModbusMasterOnPty, SendsTheWorkedFramesAndDecodesTheirReplies) {
    std::uint16_t settings[3] = {};
    Peer.AnswerNext(FromHex(IdentReply));
    EXPECT_TRUE(Master.ReadInputRegisters(1, 0, 4, Words));
    EXPECT_EQ("01 04 00 00 00 04 F1 C9", ToHex(Peer.Request()));
    EXPECT_EQ(0x5A45, Words[0]);
    EXPECT_EQ(0x4600, Words[1]);

    Peer.AnswerNext(FromHex("01 03 06 01 05 00 04 00 02 2C A4"));
    EXPECT_TRUE(Master.ReadHoldingRegisters(1, 512, 3, settings));
    EXPECT_EQ("01 03 02 00 00 03 04 73", ToHex(Peer.Request()));
    EXPECT_EQ(0x0105, settings[0]);
    EXPECT_EQ(0x0004, settings[1]);
    EXPECT_EQ(0x0002, settings[2]);

    EXPECT_TRUE(WriteRestart("01 06 04 10 55 AA 36 10"));
    EXPECT_EQ("01 06 04 10 55 AA 36 10", ToHex(Peer.Request()));
}

TEST_F(ModbusMasterOnPty, AnExceptionReplyGivesItsCodeAndASuccessKeepsIt) {
    EXPECT_FALSE(ReadFour(ExceptionReply));
    EXPECT_EQ(2, Master.GetLastException());
    EXPECT_EQ(0x1111, Words[0]) << "a failed read must leave the destination untouched";

    EXPECT_TRUE(ReadFour(IdentReply));
    EXPECT_EQ(2, Master.GetLastException()) << "a success keeps the earlier exception code";
}

TEST_F(ModbusMasterOnPty, NoReplyFailsAfterTheTimeOutWithoutAnExceptionCode) {
    ReadFour(ExceptionReply);
    Peer.AnswerNext({});  // takes the request, answers nothing
    const auto start = Clock::now();
    EXPECT_FALSE(Master.ReadInputRegisters(1, 0, 4, Words));
    // One read of 5 bytes: 5 × 1 + 115 ms at 19200 baud.
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_EQ(0, Master.GetLastException());
    EXPECT_EQ(0x1111, Words[0]);
}

TEST_F(ModbusMasterOnPty, ADamagedReplyFailsAndTheNextTransactionSucceeds) {
    ReadFour(ExceptionReply);
    // The last data byte of the ident reply changed, followed by surplus bytes.
    EXPECT_FALSE(ReadFour("01 04 08 5A 45 46 00 00 00 00 01 BB 2C 01 04 08"));
    EXPECT_EQ(0, Master.GetLastException());
    EXPECT_EQ(0x1111, Words[0]);
    EXPECT_TRUE(ReadFour(IdentReply)) << "nothing of the damaged reply may remain";
    EXPECT_EQ(0x5A45, Words[0]);
}

TEST_F(ModbusMasterOnPty, BytesThatArrivedBeforeTheRequestAreNotTakenForTheReply) {
    // A complete, valid reply of the same length that came late for an earlier request.
    ASSERT_TRUE(Peer.Send(FromHex("01 04 08 00 01 00 02 00 03 00 04 BC CE")));
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(ReadFour(IdentReply));
    EXPECT_EQ(0x5A45, Words[0]) << "the stale reply was taken";
}

// Replies of the right length and CRC that answer another request, and some that only differ
// where nothing is checked.
// Columns: what differs, the request (function 4 or 6), the reply, whether it is accepted.
struct ReplyCase {
    const char* What;
    bool Write;  // WriteSingleRegister(1, 1040, 0x55AA), else ReadInputRegisters(1, 0, 4)
    const char* Reply;
    bool Accepted;
};

void PrintTo(const ReplyCase& Case, std::ostream* Out) { *Out << Case.What; }

class ModbusMasterReply : public ModbusMasterOnPty, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(ModbusMasterReply, IsAcceptedOnlyWhenItAnswersTheRequest) {
    ReadFour(ExceptionReply);
    const ReplyCase& c = GetParam();
    const bool result = c.Write ? WriteRestart(c.Reply) : ReadFour(c.Reply);
    EXPECT_EQ(c.Accepted, result) << c.What;
    EXPECT_EQ(c.Accepted ? 2 : 0, Master.GetLastException()) << c.What;
    if (!c.Write) {
        EXPECT_EQ(c.Accepted ? 0x5A45 : 0x1111, Words[0]) << c.What;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModbusMasterReply,
    ::testing::Values(
        ReplyCase{"another slave address", false, "07 04 08 5A 45 46 00 00 00 00 00 A5 A4", true},
        ReplyCase{"function 3 instead of 4", false, "01 03 08 5A 45 46 00 00 00 00 00 0A F6", false},
        ReplyCase{"byte count 6 for 4 registers", false, "01 04 06 5A 45 46 00 00 00 00 00 F7 4C", false},
        ReplyCase{"another echoed value", true, "01 06 04 10 00 01 48 FF", true},
        ReplyCase{"another echoed register", true, "01 06 04 11 55 AA 67 D0", false},
        ReplyCase{"function 3 instead of 6", true, "01 03 04 10 55 AA FA 10", false}),
    [](const ::testing::TestParamInfo<ReplyCase>& info) { return "Case" + std::to_string(info.index); });

TEST_F(ModbusMasterOnPty, ACountTheReplyCannotCarrySendsNothing) {
    std::uint16_t words[126] = {};
    ReadFour(ExceptionReply);
    EXPECT_FALSE(Master.ReadInputRegisters(1, 0, 0, words));
    EXPECT_EQ(0, Master.GetLastException());
    ReadFour(ExceptionReply);
    EXPECT_FALSE(Master.ReadHoldingRegisters(1, 0, 126, words));
    EXPECT_EQ(0, Master.GetLastException());
    EXPECT_EQ("", ToHex(Peer.Receive(8, 200ms))) << "nothing may reach the line";
}

TEST_F(ModbusMasterOnPty, ReadsTheLargestCount) {
    Bytes reply = FromHex("01 03 FA");
    for (int i = 0; i < 125; ++i) {
        reply.push_back(0);
        reply.push_back(static_cast<std::uint8_t>(i));
    }
    const std::uint16_t crc = ModbusMaster::Crc16(reply.data(), reply.size());
    reply.push_back(static_cast<std::uint8_t>(crc));
    reply.push_back(static_cast<std::uint8_t>(crc >> 8));
    std::uint16_t words[125] = {};
    Peer.AnswerNext(reply);
    EXPECT_TRUE(Master.ReadHoldingRegisters(1, 0, 125, words));
    EXPECT_EQ("01 03 00 00 00 7D 85 EB", ToHex(Peer.Request()));
    EXPECT_EQ(124, words[124]);
}

TEST_F(ModbusMasterOnPty, AClosedPortFailsAtOnce) {
    ReadFour(ExceptionReply);
    Master.Close();
    const auto start = Clock::now();
    EXPECT_FALSE(Master.ReadInputRegisters(1, 0, 4, Words));
    EXPECT_FALSE(Master.WriteSingleRegister(1, 1040, 0x55AA));
    EXPECT_LT(Clock::now() - start, 200ms) << "two transactions must not wait their 120 ms time-outs";
    EXPECT_EQ(0, Master.GetLastException());
}

}  // namespace
