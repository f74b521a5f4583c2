#pragma once

#include <string>

// Second implementations of the real text and of the entry reading, written from the rules by
// other means than the product code (binary digit extraction and 64-bit arithmetic for the text,
// a regular expression and exact big-integer rounding for the reading). The differential tests
// compare the two over many values.

std::string ReferenceRealText(float value);
float ReferenceReadNumber(const char* text);
