// The two-decimal text of every single-precision value the fuzzer picks, held against the
// independent reference: the sign of zero, rounding at the edge of a hundredth, the cut at 15
// characters, infinities and not-a-number.
#include <cstdint>
#include <cstring>

#include "FuzzCheck.h"
#include "NumberText.h"
#include "ReferenceNumberText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  float value;
  if (size != sizeof value) return -1;  // not kept in the corpus
  std::memcpy(&value, data, sizeof value);
  FUZZ_CHECK_EQ(reference::RealText(value), RealText(value), "text of the value with bits 0x" << std::hex << *reinterpret_cast<const std::uint32_t*>(data));
  return 0;
}
