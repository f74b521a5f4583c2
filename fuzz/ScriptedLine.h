#pragma once
// The far end of a serial line, played by the fuzzer: the bytes of a reply arrive in pieces of
// the fuzzer's choosing, and a piece of no bytes is a read that timed out. A planned reply
// arrives after the next request; behind it, and behind bytes left from before, come raw bytes
// of the fuzzer's. It records what the master does to the line, for the checks after each
// transaction.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <vector>

class ScriptedLine {
 public:
  explicit ScriptedLine(FuzzedDataProvider& script);
  ~ScriptedLine();
  ScriptedLine(const ScriptedLine&) = delete;
  ScriptedLine& operator=(const ScriptedLine&) = delete;

  // The line that the serial port test double works on.
  static ScriptedLine& Current();

  // The serial port's transfers on this line.
  std::uint32_t Read(void* buffer, std::uint32_t count);
  std::uint32_t Write(const void* buffer, std::uint32_t count);
  void Purge(std::uint32_t flags);

  // Bytes that arrive once the next request has been written.
  void PlanReply(const std::vector<std::uint8_t>& reply) { Planned = reply; }
  // Forgets the record of the previous transaction.
  void BeginTransaction();
  const std::vector<std::uint8_t>& Sent() const { return SentBytes; }
  // The bytes read since the request was written.
  const std::vector<std::uint8_t>& Delivered() const { return DeliveredBytes; }
  // Whether the input queue was purged after the last byte of the reply had been delivered.
  bool InputPurgedAfterReply() const { return InputPurged; }
  // How far into the reply the reads reached: the most of delivered plus asked bytes.
  std::size_t Reach() const { return ReachedBytes; }

 private:
  FuzzedDataProvider& Script;
  std::vector<std::uint8_t> Planned;
  std::vector<std::uint8_t> Pending;  // the driver's input queue
  std::vector<std::uint8_t> SentBytes;
  std::vector<std::uint8_t> DeliveredBytes;
  bool InputPurged = false;
  std::size_t ReachedBytes = 0;

  static ScriptedLine* Active;
};
