// The master's reply path against arbitrary line input: a sequence of transactions, each reply
// arriving in fuzzer-chosen pieces with time-outs between them. Every outcome is held against
// an independent model of what the master may accept, and the requests against their layout.
#include <array>
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "ModbusMaster.h"
#include "ScriptedLine.h"

namespace {

constexpr std::uint16_t Sentinel = 0xA55A;
constexpr std::uint16_t MaxCount = 125;

struct Transaction {
  std::uint8_t Function;  // 3, 4 or 6
  std::uint8_t Slave;
  std::uint16_t Address;
  std::uint16_t Word;     // register count (3, 4) or value (6)
  bool IsRead() const { return Function != 6; }
};

struct Outcome {
  bool Ok;
  int LastException;
  bool MustPurge;  // a damaged reply empties the input queue
};

std::uint16_t Crc(const std::vector<std::uint8_t>& bytes, std::size_t length) {
  std::uint16_t crc = 0xFFFF;
  for (std::size_t i = 0; i < length; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
  }
  return crc;
}

std::uint16_t Word(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

std::size_t ReplyLength(const Transaction& t) { return t.IsRead() ? 5 + 2 * t.Word : 8; }

// What the master must make of the delivered bytes. A reply counts only when it is complete,
// its CRC checks, and it answers this request (function code, and the byte count of a read or
// the register of a write); a valid exception reply yields its code.
Outcome Expected(const Transaction& t, const std::vector<std::uint8_t>& reply, int previousException) {
  if (t.IsRead() && (t.Word == 0 || t.Word > MaxCount)) return {false, 0, false};
  if (reply.size() < 5) return {false, 0, false};
  if (reply[1] & 0x80) {
    if (Crc(reply, 5) != 0) return {false, 0, true};
    return {false, reply[2], false};
  }
  if (reply.size() < ReplyLength(t)) return {false, 0, false};
  if (Crc(reply, reply.size()) != 0) return {false, 0, true};
  const bool answersRequest = reply[1] == t.Function && (t.IsRead() ? reply[2] == 2 * t.Word : Word(reply, 2) == t.Address);
  if (!answersRequest) return {false, 0, false};
  return {true, previousException, false};
}

Transaction NextTransaction(FuzzedDataProvider& script) {
  Transaction t{};
  static constexpr std::uint8_t Functions[] = {3, 4, 6};
  t.Function = script.PickValueInArray(Functions);
  t.Slave = script.ConsumeIntegral<std::uint8_t>();
  t.Address = script.ConsumeIntegral<std::uint16_t>();
  // Mostly the sensor's small reads, now and then any count, also the invalid ones.
  t.Word = t.IsRead() ? (script.ConsumeBool() ? script.ConsumeIntegralInRange<std::uint16_t>(1, 4)
                                              : script.ConsumeIntegralInRange<std::uint16_t>(0, MaxCount + 2))
                      : script.ConsumeIntegral<std::uint16_t>();
  return t;
}

void AppendCrc(std::vector<std::uint8_t>& frame) {
  const std::uint16_t crc = Crc(frame, frame.size());
  frame.push_back(static_cast<std::uint8_t>(crc));
  frame.push_back(static_cast<std::uint8_t>(crc >> 8));
}

// The reply that the line brings after the request: none (only raw bytes), or a frame with a
// correct CRC, which the fuzzer could hardly find by itself: arbitrary, shaped like a normal
// reply to this request, or an exception reply.
std::vector<std::uint8_t> PlannedReply(FuzzedDataProvider& script, const Transaction& t) {
  std::vector<std::uint8_t> frame;
  switch (script.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return frame;
    case 1:
      frame = script.ConsumeBytes<std::uint8_t>(script.ConsumeIntegralInRange<std::size_t>(0, 260));
      break;
    case 2: {
      frame = {t.Slave, t.Function};
      if (t.IsRead()) {
        frame.push_back(static_cast<std::uint8_t>(2 * t.Word));
      } else {
        frame.push_back(static_cast<std::uint8_t>(t.Address >> 8));
        frame.push_back(static_cast<std::uint8_t>(t.Address));
      }
      const std::size_t rest = ReplyLength(t) - 2 - frame.size();
      const std::vector<std::uint8_t> data = script.ConsumeBytes<std::uint8_t>(rest);
      frame.insert(frame.end(), data.begin(), data.end());
      break;
    }
    default:
      frame = {t.Slave, static_cast<std::uint8_t>(t.Function | 0x80), script.ConsumeIntegral<std::uint8_t>()};
      break;
  }
  AppendCrc(frame);
  return frame;
}

std::vector<std::uint8_t> Request(const Transaction& t) {
  std::vector<std::uint8_t> frame{t.Slave, t.Function, static_cast<std::uint8_t>(t.Address >> 8),
                                  static_cast<std::uint8_t>(t.Address), static_cast<std::uint8_t>(t.Word >> 8),
                                  static_cast<std::uint8_t>(t.Word)};
  AppendCrc(frame);
  return frame;
}

bool Run(ModbusMaster& master, const Transaction& t, std::array<std::uint16_t, MaxCount + 2>& dest) {
  switch (t.Function) {
    case 3: return master.ReadHoldingRegisters(t.Slave, t.Address, t.Word, dest.data());
    case 4: return master.ReadInputRegisters(t.Slave, t.Address, t.Word, dest.data());
    default: return master.WriteSingleRegister(t.Slave, t.Address, t.Word);
  }
}

void CheckTransaction(const Transaction& t, bool ok, int lastException, const Outcome& expected,
                      const ScriptedLine& line, const std::array<std::uint16_t, MaxCount + 2>& dest) {
  const bool valid = !t.IsRead() || (t.Word >= 1 && t.Word <= MaxCount);
  FUZZ_CHECK_EQ(valid ? 8u : 0u, line.Sent().size(), "request bytes sent");
  if (valid) FUZZ_CHECK_EQ(true, line.Sent() == Request(t), "request layout and CRC");
  FUZZ_CHECK_EQ(true, line.Reach() <= (valid ? ReplyLength(t) : 0), "reads stay within the reply");
  FUZZ_CHECK_EQ(expected.Ok, ok, "transaction result");
  FUZZ_CHECK_EQ(expected.LastException, lastException, "last exception code");
  if (expected.MustPurge) FUZZ_CHECK_EQ(true, line.InputPurgedAfterReply(), "input purged after a damaged reply");
  for (std::size_t i = 0; i < dest.size(); ++i) {
    const bool written = ok && t.IsRead() && i < t.Word;
    const std::uint16_t want = written ? Word(line.Delivered(), 3 + 2 * i) : Sentinel;
    FUZZ_CHECK_EQ(want, dest[i], "destination word " << i);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider script(data, size);
  ScriptedLine line(script);
  ModbusMaster master;
  master.Open("\\\\.\\COM1");
  master.SetLine(19200, 2);
  int lastException = 0;
  while (script.remaining_bytes() > 0) {
    const Transaction t = NextTransaction(script);
    std::array<std::uint16_t, MaxCount + 2> dest;
    dest.fill(Sentinel);
    line.BeginTransaction();
    line.PlanReply(PlannedReply(script, t));
    const bool ok = Run(master, t, dest);
    const Outcome expected = Expected(t, line.Delivered(), lastException);
    CheckTransaction(t, ok, master.GetLastException(), expected, line, dest);
    lastException = expected.LastException;
  }
  return 0;
}
