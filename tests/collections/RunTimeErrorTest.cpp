#include "ErrorReport.h"
#include "RunTimeError.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

namespace {

// The digits of an address as the report writes it: padded with `pad` to as many digits as a
// pointer has.
std::string Padded(const std::string& digits, char pad = '0') {
    return std::string(2 * sizeof(void*) - digits.size(), pad) + digits;
}

// Columns: error number, address, its significant digits, the padding digit before them.
struct FormatCase {
    int Number;
    std::uintptr_t Address;
    const char* Digits;
    char Pad;
};

std::ostream& operator<<(std::ostream& out, const FormatCase& c) {
    return out << "error " << c.Number << " at " << c.Digits;
}

class RunTimeErrorFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(RunTimeErrorFormat, WritesTheNumberAndTheAddressInHexadecimal) {
    const FormatCase& c = GetParam();
    char text[RunTimeErrorTextSize];
    FormatRunTimeError(text, c.Number, reinterpret_cast<const void*>(c.Address));
    EXPECT_EQ("Runtime error " + std::to_string(c.Number) + " at $" + Padded(c.Digits, c.Pad),
              std::string(text));
}

INSTANTIATE_TEST_SUITE_P(Table, RunTimeErrorFormat, ::testing::Values(
    FormatCase{213, 0x1234, "1234", '0'},
    FormatCase{214, 0xABCDEF, "ABCDEF", '0'},
    FormatCase{211, 0, "0", '0'},
    FormatCase{214, UINTPTR_MAX, "FF", 'F'},
    FormatCase{-2147483647 - 1, 0x7F, "7F", '0'}));  // the widest number still fits

TEST(RunTimeError, ReportsTheErrorAndEndsWithItsNumberAsExitCode) {
    const void* const address = reinterpret_cast<const void*>(std::uintptr_t{0x1234ABCD});
    EXPECT_EXIT((AnswerErrorBox(), RunTimeError(214, address)), ::testing::ExitedWithCode(214),
                ErrorReportPattern("Runtime error 214 at \\$" + Padded("1234ABCD")));
}

}  // namespace
