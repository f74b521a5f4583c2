#pragma once
// An independent second implementation of the operator-visible number texts, written straight
// from their rules, for the fuzz targets to hold the product's implementation against.
#include <string>

namespace reference {

// The two-decimal text of a single-precision value, cut to 15 characters.
std::string RealText(float value);

// Parses an entry the way the number field reads it (decimal comma accepted, invalid text 0).
// Returns false for invalid text; `value` is then 0.
bool ParseNumber(const std::string& text, float& value);

}  // namespace reference
