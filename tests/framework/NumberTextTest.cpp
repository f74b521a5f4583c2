#include "NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace {

std::uint32_t Bits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

const float Infinity = std::numeric_limits<float>::infinity();
const float NotANumber = std::numeric_limits<float>::quiet_NaN();

TEST(IntegerText, SignedDecimalWithoutPadding) {
    // value, text
    const struct { std::int32_t Value; const char* Text; } cases[] = {
        {0, "0"},
        {-1, "-1"},
        {123456, "123456"},
        {2147483647, "2147483647"},
        {std::numeric_limits<std::int32_t>::min(), "-2147483648"},
        {std::int32_t(0xFFFFFFFFu), "-1"},  // a serial number with the top bit set
    };
    for (const auto& c : cases) EXPECT_EQ(c.Text, IntegerText(c.Value)) << "value " << c.Value;
}

TEST(HexDigits, LowestDigitsUpperCase) {
    // value, count, text
    const struct { std::uint32_t Value; int Count; const char* Text; } cases[] = {
        {0x0, 1, "0"},
        {0xABC, 2, "BC"},
        {0x1F, 4, "001F"},
        {0xDEADBEEF, 8, "DEADBEEF"},
        {0xA, 1, "A"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.Text, HexDigits(c.Value, c.Count)) << std::hex << c.Value << " count " << c.Count;
}

TEST(VersionText, MajorOneOrTwoDigitsMinorTwo) {
    // value, text
    const struct { std::uint16_t Value; const char* Text; } cases[] = {
        {0x0105, "1.05"}, {0x0900, "9.00"}, {0x0A0B, "0A.0B"}, {0x1203, "12.03"},
        {0xFFFF, "FF.FF"}, {0x0000, "0.00"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.Text, VersionText(c.Value)) << std::hex << c.Value;
}

TEST(RealText, TwoDecimalsAfterTheRoundingRule) {
    // value, text
    const struct { float Value; const char* Text; } cases[] = {
        {21.37f, "21.37"},
        {-0.05f, "-0.05"},
        {0.0f, "0.00"},
        {-0.0f, "-0.00"},       // the sign bit alone makes the minus
        {327.67f, "327.67"},
        {-327.68f, "-327.68"},
        {-0.001f, "-0.00"},
        {1.005f, "1.01"},        // 1.0049999952: a 4 followed by nines up to a 9 rounds up
        {2.675f, "2.67"},        // 2.6749999523: last digit but one is 5, no rounding up
        {0.125f, "0.13"},        // exact, a dropped 5 rounds away from zero
        {0.375f, "0.38"},
        {9.999f, "10.00"},       // carry into a new digit
        {99.995f, "100.00"},     // 99.995002746
        {0.005f, "0.00"},        // 0.004999999888: a 4, but the nines stop before the 8
        {1e-45f, "0.00"},        // smallest subnormal
        {16777216.0f, "16777216.00"},
        {1e10f, "10000000000.00"},
        {-1e11f, "-99999997950.00"},  // 15 characters; ten significant digits
        {1e12f, "999999995900.00"},   // only ten significant digits survive
        {-1e12f, "-999999995900.0"},  // cut to 15 characters
        {std::numeric_limits<float>::max(), "340282346600000"},
        {Infinity, "+Inf"},
        {-Infinity, "-Inf"},
        {NotANumber, "Nan"},
        {-NotANumber, "Nan"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.Text, RealText(c.Value)) << "value " << c.Value << " (bits " << std::hex << Bits(c.Value) << ")";
}

TEST(ReadNumber, AcceptedEntries) {
    // text, value (compared bit for bit, so the sign of zero counts)
    const struct { const char* Text; float Value; } cases[] = {
        {"12.5", 12.5f},
        {"12,5", 12.5f},
        {"   -3", -3.0f},
        {"+0.25", 0.25f},
        {"1e2", 100.0f},
        {"1E+2", 100.0f},
        {"25e-2", 0.25f},
        {".5", 0.5f},
        {"5.", 5.0f},
        {"-0", -0.0f},
        {"0", 0.0f},
        {"21.37", 21.37f},
        {"-327,68", -327.68f},
        {"INF", Infinity},
        {"-inf", -Infinity},
        {"+iNf", Infinity},
        {"1e39", Infinity},              // beyond single precision: the infinity of its sign
        {"-1e39", -Infinity},
        {"1e99999999999", Infinity},
        {"1e-50", 0.0f},
        {"-1e-99999999999", -0.0f},
        {"3.4028235e38", std::numeric_limits<float>::max()},
        {"1.4e-45", 1e-45f},             // smallest subnormal
        {"1234567890123456", 123456789012345.0f},  // only the first 15 characters are read
        {"123456789012345x", 123456789012345.0f},
    };
    for (const auto& c : cases) EXPECT_EQ(Bits(c.Value), Bits(ReadNumber(c.Text))) << "text \"" << c.Text << "\": expected " << c.Value << ", got " << ReadNumber(c.Text);
}

TEST(ReadNumber, NanInAnyLetterCase) {
    for (const char* text : {"Nan", "NAN", "nan", "-nAN", "  +Nan"}) EXPECT_TRUE(std::isnan(ReadNumber(text))) << "text \"" << text << "\" gave " << ReadNumber(text);
}

TEST(ReadNumber, RefusedEntriesReadAsZero) {
    // every text here is invalid and yields +0
    const char* const texts[] = {
        "", " ", "abc", "1.5 ", "1 000", "1,234.5", "\t1", " \t1", "1\t", ".", "-", "+", "-.",
        "e5", "1e", "1e+", "1e-", "1e2.5", "+-1", "--1", "- 1", "0x10", "1..2", "1.2.3", "1e2e3",
        "infinity", "Infinity", "In", "Na", "nan1", "inf.", "1f", "12a", "+ 5",
        "1.5            x",      // within 15 characters it ends in spaces
        "              -7",      // the first 15 characters end with the sign
    };
    for (const char* text : texts) EXPECT_EQ(Bits(0.0f), Bits(ReadNumber(text))) << "text \"" << text << "\" gave " << ReadNumber(text);
}

TEST(ReadNumber, ShownBackAsTheRealText) {
    // text typed, text shown after reading it back
    const struct { const char* Typed; const char* Shown; } cases[] = {
        {"-0", "-0.00"}, {"12,5", "12.50"}, {"1.005", "1.01"}, {"INF", "+Inf"}, {"nan", "Nan"}, {"junk", "0.00"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.Shown, RealText(ReadNumber(c.Typed))) << "typed \"" << c.Typed << "\"";
}

}  // namespace
