// The simulated sensor from the outside: a zef-sim process, a raw master on its terminal and
// the control port.
#include "RawMaster.h"
#include "SimClient.h"
#include "SimProcess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

constexpr auto Silence = 300ms;  // long enough to be sure that no reply is coming

class SimSensor : public ::testing::Test {
protected:
    void Start(const std::vector<std::string>& arguments = {}, speed_t speed = B19200)
    {
        Sim = std::make_unique<SimProcess>(ZEF_SIM_EXECUTABLE, arguments);
        ASSERT_TRUE(Sim->Ready()) << "zef-sim did not report ready";
        ASSERT_TRUE(Control.Connect(Sim->ControlAddress())) << Sim->ControlAddress();
        Master = std::make_unique<RawMaster>(Sim->PtyPath(), speed);
        ASSERT_TRUE(Master->IsOpen()) << Sim->PtyPath();
    }

    // Sends a request and returns the reply with `length` bytes (CRC included).
    std::string Transact(const std::string& request, size_t length) { return Master->Transact(request, length); }
    std::string NoReplyTo(const std::string& request)
    {
        Master->Send(request);
        return Master->Receive(1, Silence);
    }
    static std::string Reply(const std::string& hex) { return RawMaster::WithCrc(hex); }
    // True once the sensor has taken `count` requests (within a generous time).
    bool WaitForRequests(unsigned count)
    {
        for (int i = 0; i < 500 && Control.Requests() < count; ++i)
            std::this_thread::sleep_for(10ms);
        return Control.Requests() >= count;
    }

    std::unique_ptr<SimProcess> Sim;
    SimClient Control;
    std::unique_ptr<RawMaster> Master;
};

// The description's worked frames, sent literally, get the sensor's default answers.
TEST_F(SimSensor, AnswersTheWorkedFramesWithItsDefaults)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    Master->SendRaw("01 04 00 00 00 04 F1 C9");
    EXPECT_EQ(Reply("01 04 08 5A 45 46 00 00 00 00 00"), Master->Receive(13, 2s)) << "identification ZEF";
    Master->SendRaw("01 03 02 00 00 03 04 73");
    EXPECT_EQ(Reply("01 03 06 00 01 00 04 00 02"), Master->Receive(11, 2s)) << "address 1, 19200 Bd, even";
    Master->SendRaw("01 04 00 07 00 01 80 0B");
    EXPECT_EQ("01 84 02 C2 C1", Master->Receive(5, 2s)) << "register 7 does not exist";
}

// Columns: request without CRC, expected reply without CRC. Rows run in order on one sensor,
// so later reads see earlier writes.
TEST_F(SimSensor, ReadsAndWritesTheRegisterMap)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(Control.Command("identhex 5A45460000000031") == "ok");
    const struct {
        const char* Request;
        const char* Reply;
    } rows[] = {
        {"01 04 00 00 00 04", "01 04 08 5A 45 46 00 00 00 00 31"},
        {"01 04 00 04 00 03", "01 04 06 01 05 00 01 E2 40"},  // firmware 1.05, serial 123456
        {"01 03 01 00 00 04", "01 03 08 00 00 00 00 00 00 00 00"},
        {"01 06 01 00 FF 9C", "01 06 01 00 FF 9C"},  // temperature correction -1.00
        {"01 06 01 03 03 E8", "01 06 01 03 03 E8"},  // dew point correction 10.00
        {"01 03 01 00 00 04", "01 03 08 FF 9C 00 00 00 00 03 E8"},
        {"01 06 02 00 00 05", "01 06 02 00 00 05"},  // stored address 5
        {"01 06 02 01 00 07", "01 06 02 01 00 07"},  // stored 115200 Bd
        {"01 06 02 02 00 00", "01 06 02 02 00 00"},  // stored parity none
        {"01 03 02 00 00 03", "01 03 06 00 05 00 07 00 00"},
        {"01 03 02 01 00 01", "01 03 02 00 07"},
    };
    for (const auto& row : rows) {
        const std::string reply = Reply(row.Reply);
        EXPECT_EQ(reply, Transact(row.Request, (reply.size() + 1) / 3)) << "request " << row.Request;
    }
}

// Columns: request without CRC, exception code expected.
TEST_F(SimSensor, RefusesWhatTheMapDoesNotHave)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const struct {
        const char* Request;
        int Code;
    } rows[] = {
        {"01 01 00 00 00 01", 1},  // read coils
        {"01 05 00 00 FF 00", 1},  // write coil
        {"01 10 01 00 00 01", 1},  // an 8-byte frame of write multiple registers
        {"01 04 00 07 00 01", 2},  // gap between serial number and measurements
        {"01 04 00 06 00 02", 2},  // starts inside, runs into the gap
        {"01 04 00 10 00 05", 2},  // past the measurements
        {"01 04 01 00 00 01", 2},  // corrections are holding registers
        {"01 03 00 00 00 01", 2},  // identification is an input register
        {"01 03 04 10 00 01", 2},  // the restart register cannot be read
        {"01 03 01 04 00 01", 2},
        {"01 03 02 03 00 01", 2},
        {"01 04 FF FF 00 02", 2},  // past the end of the address space
        {"01 04 00 00 00 00", 3},  // no registers
        {"01 04 00 00 00 7E", 3},  // 126 registers
        {"01 06 00 04 00 01", 2},  // input registers cannot be written
        {"01 06 01 04 00 00", 2},
        {"01 06 04 11 55 AA", 2},
    };
    for (const auto& row : rows) {
        char function[3];
        std::snprintf(function, sizeof function, "%02X", 0x80 | std::stoi(std::string(row.Request).substr(3, 2), nullptr, 16));
        char code[3];
        std::snprintf(code, sizeof code, "%02X", row.Code);
        EXPECT_EQ(Reply(std::string("01 ") + function + " " + code), Transact(row.Request, 5))
            << "request " << row.Request;
    }
}

// Columns: holding register, value written, exception expected (0: accepted and stored).
TEST_F(SimSensor, TakesOnlyPlausibleValues)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const struct {
        uint16_t Register;
        int Value;
        int Exception;
    } rows[] = {
        {256, 1000, 0},  {256, -1000, 0}, {256, 1001, 3},  {256, -1001, 3},  // temperature ±10.00
        {257, 2000, 0},  {257, -2000, 0}, {257, 2001, 3},  {257, -32768, 3}, // relative humidity ±20.00
        {258, 500, 0},   {258, -500, 0},  {258, 501, 3},                     // absolute humidity ±5.00
        {259, -1000, 0}, {259, 1001, 3},                                     // dew point ±10.00
        {512, 1, 0},     {512, 247, 0},   {512, 0, 3},     {512, 248, 3},    {512, 0x0105, 3},
        {513, 0, 0},     {513, 7, 0},     {513, 8, 3},
        {514, 3, 0},     {514, 4, 3},
        {1040, 0x1234, 3},
    };
    for (const auto& row : rows) {
        const uint16_t before = Control.Get(RegisterTable::Holding, row.Register);
        char request[32];
        std::snprintf(request, sizeof request, "01 06 %02X %02X %02X %02X", row.Register >> 8, row.Register & 0xFF,
                      (row.Value >> 8) & 0xFF, row.Value & 0xFF);
        char refusal[16];
        std::snprintf(refusal, sizeof refusal, "01 86 %02X", row.Exception);
        const std::string expected = row.Exception ? Reply(refusal) : Reply(request);
        EXPECT_EQ(expected, Transact(request, row.Exception ? 5 : 8)) << "write " << row.Value << " to " << row.Register;
        EXPECT_EQ(row.Exception ? before : uint16_t(row.Value), Control.Get(RegisterTable::Holding, row.Register))
            << "register " << row.Register << " after writing " << row.Value;
    }
}

TEST_F(SimSensor, MeasurementsIncludeTheCorrections)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(Control.Set(RegisterTable::Input, 16, 2137));
    ASSERT_TRUE(Control.Set(RegisterTable::Input, 19, -50));
    EXPECT_EQ(Reply("01 04 02 08 59"), Transact("01 04 00 10 00 01", 7)) << "fixed temperature 21.37";
    EXPECT_EQ(Reply("01 06 01 00 00 64"), Transact("01 06 01 00 00 64", 8)) << "temperature correction +1.00";
    EXPECT_EQ(Reply("01 06 01 03 FF 38"), Transact("01 06 01 03 FF 38", 8)) << "dew point correction -2.00";
    EXPECT_EQ(Reply("01 04 02 08 BD"), Transact("01 04 00 10 00 01", 7)) << "21.37 + 1.00";
    EXPECT_EQ(uint16_t(-250), Control.Get(RegisterTable::Input, 19)) << "-0.50 - 2.00";
}

// Left alone, the four quantities stay within an indoor climate and move slowly.
TEST_F(SimSensor, MeasurementsDriftSlowlyAndPlausibly)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    // Columns: temperature, relative humidity, absolute humidity, dew point, in hundredths.
    const int low[] = {1500, 3000, 300, -500};
    const int high[] = {3000, 6000, 2000, 2000};
    const auto read = [this] {
        std::vector<int> values;
        for (uint16_t reg = 16; reg < 20; ++reg)
            values.push_back(int16_t(Control.Get(RegisterTable::Input, reg)));
        return values;
    };
    const std::vector<int> first = read();
    std::this_thread::sleep_for(1100ms);
    const std::vector<int> second = read();
    for (int q = 0; q < 4; ++q) {
        EXPECT_LE(low[q], first[q]) << "quantity " << q;
        EXPECT_GE(high[q], first[q]) << "quantity " << q;
        EXPECT_GE(30, std::abs(second[q] - first[q])) << "quantity " << q << " moved from " << first[q] << " to "
                                                      << second[q] << " in a second";
    }
    EXPECT_GT(first[0], first[3]) << "the dew point lies below the temperature";
}

TEST_F(SimSensor, AnswersOnlyItsOwnAddress)
{
    ASSERT_NO_FATAL_FAILURE(Start({"--address", "17"}));
    EXPECT_EQ("", NoReplyTo("01 04 00 04 00 01")) << "address 1";
    EXPECT_EQ("", NoReplyTo("00 06 01 00 00 01")) << "broadcast";
    EXPECT_EQ(Reply("11 04 02 01 05"), Transact("11 04 00 04 00 01", 7)) << "address 17";
    EXPECT_EQ(1u, Control.Requests()) << "only requests to its own address count";
    EXPECT_EQ(0, Control.Get(RegisterTable::Holding, 256)) << "the broadcast write was not carried out";
}

// A pty shows the rate the master set, so a master at another rate is not heard.
TEST_F(SimSensor, AnswersOnlyAtItsOwnBaudRate)
{
    ASSERT_NO_FATAL_FAILURE(Start({"--baud", "115200"}, B9600));
    EXPECT_EQ("", NoReplyTo("01 04 00 04 00 01")) << "master at 9600 Bd";
    Master->SetSpeed(B19200);
    EXPECT_EQ("", NoReplyTo("01 04 00 04 00 01")) << "master at 19200 Bd";
    Master->SetSpeed(B115200);
    EXPECT_EQ(Reply("01 04 02 01 05"), Transact("01 04 00 04 00 01", 7)) << "master at 115200 Bd";
    EXPECT_EQ(1u, Control.Requests());
}

// Requests are found by their CRC among whatever else arrives; a damaged one is ignored.
TEST_F(SimSensor, FindsRequestsAmongNoiseAndIgnoresDamagedOnes)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string request = RawMaster::WithCrc("01 04 00 04 00 01");
    std::string damaged = request;
    damaged[10] = damaged[10] == '0' ? '1' : '0';
    Master->SendRaw("FF 00 13 01 04");
    Master->SendRaw(damaged);
    EXPECT_EQ("", Master->Receive(1, Silence)) << "noise and a request with a damaged byte: " << damaged;
    Master->SendRaw(request.substr(0, 11));
    std::this_thread::sleep_for(50ms);
    Master->SendRaw(request.substr(11));
    EXPECT_EQ(Reply("01 04 02 01 05"), Master->Receive(7, 2s)) << "a request that came in two pieces";
    EXPECT_EQ("", Master->Receive(1, Silence)) << "exactly one reply";
    EXPECT_EQ(1u, Control.Requests());
}

// Columns: fault command, what the master receives for a firmware read (empty: nothing).
TEST_F(SimSensor, InjectsFaultsOnDemand)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string firmware = Reply("01 04 02 01 05");
    const struct {
        const char* Fault;
        std::string Reply;
    } rows[] = {
        {"noreply", ""},
        {"exception 4", Reply("01 84 04")},
        {"surplus 3", firmware + " 00 00 00"},
        {"none", firmware},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(Control.Fault(row.Fault)) << Control.LastReply();
        Master->Send("01 04 00 04 00 01");
        EXPECT_EQ(row.Reply, Master->Receive(64, Silence)) << "fault " << row.Fault;
    }

    ASSERT_TRUE(Control.Fault("corrupt"));
    const std::string corrupt = Transact("01 04 00 04 00 01", 7);
    ASSERT_EQ(firmware.size(), corrupt.size()) << "a full reply: " << corrupt;
    int differing = 0;
    for (size_t i = 0; i < firmware.size(); i += 3)
        differing += firmware.compare(i, 2, corrupt, i, 2) != 0;
    EXPECT_EQ(1, differing) << "expected one damaged byte in " << corrupt;
}

TEST_F(SimSensor, LateReplyComesAfterTheMasterGaveUp)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(Control.Fault("late 400 count 1"));
    Master->Send("01 04 00 04 00 01");
    EXPECT_EQ("", Master->Receive(7, 200ms)) << "not yet";
    EXPECT_EQ(Reply("01 04 02 01 05"), Master->Receive(7, 2s)) << "late";
    EXPECT_EQ(Reply("01 04 02 01 05"), Transact("01 04 00 04 00 01", 7)) << "on time again after one request";
}

// A reply still waiting for its time, or sent while nobody read, can be dropped between tests.
TEST_F(SimSensor, FlushDropsRepliesNotYetRead)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(Control.Fault("late 300 count 1"));
    Master->Send("01 04 00 04 00 01");
    ASSERT_TRUE(WaitForRequests(1));
    ASSERT_TRUE(Control.Flush());
    EXPECT_EQ("", Master->Receive(1, 500ms)) << "a late reply after flush";

    Master->Send("01 04 00 04 00 01");
    ASSERT_TRUE(WaitForRequests(2)) << "the reply goes out with the request's arrival";
    ASSERT_TRUE(Control.Flush());
    EXPECT_EQ("", Master->Receive(1, Silence)) << "a reply sent but not read before flush";
    EXPECT_EQ(Reply("01 04 02 01 05"), Transact("01 04 00 04 00 01", 7)) << "after flush";
}

// A counted fault hits only the next requests; a refused or unanswered write is not carried out,
// a damaged reply does not undo the write behind it.
TEST_F(SimSensor, CountedFaultsAndTheirEffectOnWrites)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(Control.Fault("noreply count 2"));
    EXPECT_EQ("", NoReplyTo("01 06 01 00 00 0A"));
    EXPECT_EQ("", NoReplyTo("01 04 00 04 00 01"));
    EXPECT_EQ(Reply("01 04 02 01 05"), Transact("01 04 00 04 00 01", 7)) << "third request";
    EXPECT_EQ(0, Control.Get(RegisterTable::Holding, 256)) << "unanswered write";

    ASSERT_TRUE(Control.Fault("exception 6 count 1"));
    EXPECT_EQ(Reply("01 86 06"), Transact("01 06 01 00 00 0B", 5));
    EXPECT_EQ(0, Control.Get(RegisterTable::Holding, 256)) << "refused write";

    ASSERT_TRUE(Control.Fault("corrupt count 1"));
    const std::string damaged = Transact("01 06 01 00 00 0C", 8);
    EXPECT_EQ(Reply("01 06 01 00 00 0C").size(), damaged.size()) << "a full reply: " << damaged;
    EXPECT_NE(Reply("01 06 01 00 00 0C"), damaged);
    EXPECT_EQ(12, Control.Get(RegisterTable::Holding, 256)) << "write with a damaged reply";
}

// At 1200 Bd with parity a character takes 11/1200 s: 13 paced bytes take about 119 ms.
TEST_F(SimSensor, PacesReplyBytesAtTheLineRateAndDelaysReplies)
{
    ASSERT_NO_FATAL_FAILURE(Start({"--baud", "1200", "--delay", "250"}, B1200));
    ASSERT_TRUE(Control.Pace(true));
    Master->Send("01 04 00 00 00 04");
    const auto sent = std::chrono::steady_clock::now();
    EXPECT_EQ("", Master->Receive(1, 200ms)) << "before the delay of 250 ms";
    EXPECT_EQ(Reply("01 04 08 5A 45 46 00 00 00 00 00").substr(0, 2), Master->Receive(1, 2s));
    const auto first = std::chrono::steady_clock::now();
    EXPECT_EQ(12u * 3 - 1, Master->Receive(12, 2s).size());
    const auto last = std::chrono::steady_clock::now();
    EXPECT_LE(250ms, first - sent) << "delay";
    EXPECT_LE(95ms, last - first) << "12 more characters at 1200 Bd take 110 ms";

    ASSERT_TRUE(Control.Pace(false));
    ASSERT_TRUE(Control.Delay(0));
    EXPECT_EQ(Reply("01 04 08 5A 45 46 00 00 00 00 00"), Transact("01 04 00 00 00 04", 13)) << "unpaced";
}

// Stored settings change nothing until the restart command; then the sensor answers only with
// them.
TEST_F(SimSensor, RestartAppliesTheStoredSettings)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(Reply("01 06 02 00 00 2A"), Transact("01 06 02 00 00 2A", 8)) << "store address 42";
    EXPECT_EQ(Reply("01 06 02 01 00 03"), Transact("01 06 02 01 00 03", 8)) << "store 9600 Bd";
    EXPECT_EQ(Reply("01 04 02 01 05"), Transact("01 04 00 04 00 01", 7)) << "still address 1 at 19200 Bd";
    EXPECT_EQ(0u, Control.Restarts());

    Master->SendRaw("01 06 04 10 55 AA 36 11");
    EXPECT_EQ("", Master->Receive(1, Silence)) << "a restart frame with a wrong CRC";
    Master->SendRaw("01 06 04 10 55 AA 36 10");
    EXPECT_EQ("01 06 04 10 55 AA 36 10", Master->Receive(8, 2s)) << "the restart is answered at the old settings";
    EXPECT_EQ(1u, Control.Restarts());

    EXPECT_EQ("", NoReplyTo("01 04 00 04 00 01")) << "old address, old rate";
    EXPECT_EQ("", NoReplyTo("2A 04 00 04 00 01")) << "new address, old rate";
    Master->SetSpeed(B9600);
    EXPECT_EQ("", NoReplyTo("01 04 00 04 00 01")) << "old address, new rate";
    EXPECT_EQ(Reply("2A 04 02 01 05"), Transact("2A 04 00 04 00 01", 7)) << "new address, new rate";
}

TEST_F(SimSensor, CountsRequestsAndLogsWrites)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    Transact("01 04 00 00 00 04", 13);
    Transact("01 04 00 10 00 04", 13);
    Transact("01 03 01 00 00 04", 13);
    Transact("01 06 01 01 00 64", 8);
    Transact("01 06 01 01 27 10", 5);  // refused, still logged
    Transact("01 06 02 02 00 01", 8);
    EXPECT_EQ(6u, Control.Requests());
    EXPECT_EQ(2u, Control.Requests(4));
    EXPECT_EQ(1u, Control.Requests(4, 16));
    EXPECT_EQ(0u, Control.Requests(4, 17));
    EXPECT_EQ(3u, Control.Requests(6));
    EXPECT_EQ("ok 257=100 257=10000 514=1", Control.Command("writes"));
    const std::vector<std::pair<uint16_t, uint16_t>> writes{{257, 100}, {257, 10000}, {514, 1}};
    EXPECT_EQ(writes, Control.Writes());
    ASSERT_TRUE(Control.Clear());
    EXPECT_EQ(0u, Control.Requests());
    EXPECT_EQ("ok", Control.Command("writes"));
}

// Columns: command, expected reply.
TEST_F(SimSensor, ControlCommandsAndTheirErrors)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const struct {
        const char* Command;
        const char* Reply;
    } rows[] = {
        {"ident ACME 1", "ok"},
        {"get input 0", "ok 16707"},  // "AC"
        {"get input 2", "ok 8241"},   // " 1"
        {"get input 3", "ok 0"},
        {"identhex 0102030405060708", "ok"},
        {"get input 3", "ok 1800"},
        {"set input 5 65535", "ok"},
        {"set holding 257 -1", "ok"},
        {"get holding 257", "ok 65535"},
        {"get input 5", "ok 65535"},
        {"get input 8", "err no such register"},
        {"set holding 1040 1", "err no such register"},
        {"set holding 256 65536", "err usage: set input|holding REG VALUE"},
        {"get output 1", "err usage: get input|holding REG"},
        {"ident", "err usage: ident TEXT (1 to 8 bytes)"},
        {"ident NINE CHAR", "err usage: ident TEXT (1 to 8 bytes)"},
        {"identhex 01020304", "err usage: identhex HEX (16 hex digits)"},
        {"identhex 010203040506070G", "err usage: identhex HEX (16 hex digits)"},
        {"fault late", "err usage: fault none|noreply|corrupt|exception CODE|late MS|surplus N [count K]"},
        {"fault noreply count", "err usage: fault none|noreply|corrupt|exception CODE|late MS|surplus N [count K]"},
        {"fault exception 256", "err usage: fault none|noreply|corrupt|exception CODE|late MS|surplus N [count K]"},
        {"pace maybe", "err usage: pace on|off"},
        {"delay -1", "err usage: delay MS"},
        {"requests x", "err usage: requests [FUNC [REG]]"},
        {"flush now", "err usage: flush"},
        {"frobnicate", "err unknown command frobnicate"},
        {"", "err empty command"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.Reply, Control.Command(row.Command)) << "command '" << row.Command << "'";
    EXPECT_EQ(Reply("01 04 0E 01 02 03 04 05 06 07 08 01 05 FF FF E2 40"), Transact("01 04 00 00 00 07", 19))
        << "identification and serial number as set";
}

TEST_F(SimSensor, QuitEndsTheProgram)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ("ok", Control.Command("quit"));
    EXPECT_TRUE(Sim->Exited(5s)) << "zef-sim still running after quit";
}

}  // namespace
