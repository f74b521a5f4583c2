#pragma once

#include <cstdint>
#include <string>

// The texts in which the numeric fields show numbers to the operator, and the reading of a typed
// number. Portable: no window is involved, so the formats are tested natively as well.

// Decimal digits of a signed value, "-" in front when negative; no padding, sign or grouping.
std::string IntegerText(std::int32_t value);

// Fixed point with two decimals, at most 15 characters: "21.37", "-0.00", "+Inf", "-Inf", "Nan".
std::string RealText(float value);

// The `count` lowest hexadecimal digits of `value`, most significant first, upper case.
std::string HexDigits(std::uint32_t value, int count);

// Major (high byte) and minor (low byte) in hexadecimal: 0x0105 -> "1.05", 0x0A0B -> "0A.0B".
std::string VersionText(std::uint16_t value);

// The value of an entry's text (at most its first 15 characters are read). Accepts leading
// spaces, one sign, a decimal number with "." or "," as decimal point and an optional exponent,
// or the words Inf and Nan in any letter case, and nothing after. Anything else reads as 0.
float ReadNumber(const char* text);
