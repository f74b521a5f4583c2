#include "ScriptedLine.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "Win32Types.h"

ScriptedLine* ScriptedLine::Active = nullptr;

ScriptedLine::ScriptedLine(FuzzedDataProvider& script) : Script(script) { Active = this; }

ScriptedLine::~ScriptedLine() { Active = nullptr; }

ScriptedLine& ScriptedLine::Current() {
  if (Active == nullptr) std::abort();
  return *Active;
}

std::uint32_t ScriptedLine::Read(void* buffer, std::uint32_t count) {
  ReachedBytes = std::max<std::size_t>(ReachedBytes, DeliveredBytes.size() + count);
  const auto piece = Script.ConsumeIntegralInRange<std::uint32_t>(0, count);
  const std::size_t queued = std::min<std::size_t>(piece, Pending.size());
  std::vector<std::uint8_t> bytes(Pending.begin(), Pending.begin() + queued);
  Pending.erase(Pending.begin(), Pending.begin() + queued);
  const std::vector<std::uint8_t> raw = Script.ConsumeBytes<std::uint8_t>(piece - queued);
  bytes.insert(bytes.end(), raw.begin(), raw.end());
  if (!bytes.empty()) std::memcpy(buffer, bytes.data(), bytes.size());
  DeliveredBytes.insert(DeliveredBytes.end(), bytes.begin(), bytes.end());
  if (!bytes.empty()) InputPurged = false;
  return static_cast<std::uint32_t>(bytes.size());
}

std::uint32_t ScriptedLine::Write(const void* buffer, std::uint32_t count) {
  const auto* bytes = static_cast<const std::uint8_t*>(buffer);
  SentBytes.insert(SentBytes.end(), bytes, bytes + count);
  // The reply is what comes after the request; what the master read before is not part of it.
  DeliveredBytes.clear();
  InputPurged = false;
  ReachedBytes = 0;
  Pending.insert(Pending.end(), Planned.begin(), Planned.end());
  Planned.clear();
  return count;
}

void ScriptedLine::Purge(std::uint32_t flags) {
  if (flags & PURGE_RXCLEAR) {
    Pending.clear();
    InputPurged = true;
  }
}

void ScriptedLine::BeginTransaction() {
  SentBytes.clear();
  DeliveredBytes.clear();
  InputPurged = false;
  ReachedBytes = 0;
}
