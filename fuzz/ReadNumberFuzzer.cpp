// The reading of a typed entry: arbitrary bytes, of which the field holds at most 15 characters
// up to the first zero byte, held against the independent reference reading. Equal means the
// same bits, or both not-a-number.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzCheck.h"
#include "NumberText.h"
#include "ReferenceNumberText.h"

namespace {

std::uint32_t Bits(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// The bits of a value, any not-a-number as one pattern.
std::uint32_t Comparable(float value) { return std::isnan(value) ? 0x7FC00000u : Bits(value); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string entry(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
  float expected;
  reference::ParseNumber(entry.substr(0, 15), expected);
  const float actual = ReadNumber(entry.c_str());
  FUZZ_CHECK_EQ(Comparable(expected), Comparable(actual),
                "bits of the value read from \"" << entry << "\" (" << expected << " vs " << actual << ")");
  return 0;
}
