#include "ReferenceNumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace reference {
namespace {

// A magnitude as significant decimal digits and the number of digits before the decimal point.
struct Decimal {
  std::string Digits;  // no leading zero; empty for zero
  int Point = 1;       // digit i has the place value 10^(Point - 1 - i)
};

// Splits the text of printf's %.Ne into its digits and its exponent.
Decimal FromScientific(const char* text) {
  Decimal d;
  const char* p = text;
  for (; *p != 'e'; ++p) {
    if (*p != '.') d.Digits += *p;
  }
  d.Point = std::atoi(p + 1) + 1;
  return d;
}

// The string of at most 10 significant digits: the exact expansion when it is that short,
// else the expansion rounded to 10 digits, ties to even (printf rounds exactly, in the default
// rounding mode). Floats are exact in double, and 150 places hold any float's expansion.
Decimal TenDigits(float magnitude) {
  if (magnitude == 0) return Decimal{};
  char text[256];
  std::snprintf(text, sizeof text, "%.150e", static_cast<double>(magnitude));
  Decimal exact = FromScientific(text);
  exact.Digits.erase(exact.Digits.find_last_not_of('0') + 1);
  if (exact.Digits.size() <= 10) return exact;
  std::snprintf(text, sizeof text, "%.9e", static_cast<double>(magnitude));
  return FromScientific(text);
}

char DigitAt(const Decimal& d, int index) {
  return index >= 0 && index < static_cast<int>(d.Digits.size()) ? d.Digits[index] : '0';
}

// Whether the kept hundredths round up, given the first dropped digit at `first`.
bool RoundsUp(const Decimal& d, int first) {
  const char dropped = DigitAt(d, first);
  if (dropped >= '5') return true;
  if (dropped != '4') return false;
  const int last = static_cast<int>(d.Digits.size()) - 1;
  if (last - first < 3) return false;
  const int butOne = last - 1;
  if (d.Digits[butOne] != '8' && d.Digits[butOne] != '9') return false;
  for (int i = first + 1; i < butOne; ++i) {
    if (d.Digits[i] != '9') return false;
  }
  return true;
}

// Adds one to a string of decimal digits.
void Increment(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

}  // namespace

std::string RealText(float value) {
  if (std::isnan(value)) return "Nan";
  if (std::isinf(value)) return value < 0 ? "-Inf" : "+Inf";
  const Decimal d = TenDigits(std::fabs(value));
  // The hundredths as digits, from the highest integer place (at least the units) down.
  std::string hundredths;
  for (int place = std::max(d.Point - 1, 0); place >= -2; --place) {
    hundredths += DigitAt(d, d.Point - 1 - place);
  }
  if (RoundsUp(d, d.Point + 2)) Increment(hundredths);
  std::string whole = hundredths.substr(0, hundredths.size() - 2);
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
  std::string text = (std::signbit(value) ? "-" : "") + whole + "." + hundredths.substr(hundredths.size() - 2);
  return text.substr(0, 15);
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool EqualsWord(const std::string& text, const char* word) {
  if (text.size() != 3) return false;
  for (int i = 0; i < 3; ++i) {
    if ((text[i] | 0x20) != word[i]) return false;
  }
  return true;
}

// Skips digits from `i`; returns how many there were.
size_t SkipDigits(const std::string& text, size_t& i) {
  const size_t start = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i - start;
}

bool IsDecimal(const std::string& text) {
  size_t i = 0;
  size_t digits = SkipDigits(text, i);
  if (i < text.size() && text[i] == '.') {
    ++i;
    digits += SkipDigits(text, i);
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (SkipDigits(text, i) == 0) return false;
  }
  return i == text.size();
}

}  // namespace

bool ParseNumber(const std::string& entry, float& value) {
  value = 0;
  std::string text = entry;
  for (char& c : text) {
    if (c == ',') c = '.';
  }
  size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return false;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  const std::string body = text.substr(i);
  if (EqualsWord(body, "inf")) {
    value = negative ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
    return true;
  }
  if (EqualsWord(body, "nan")) {
    value = std::numeric_limits<float>::quiet_NaN();
    return true;
  }
  if (!IsDecimal(body)) return false;
  // strtold rounds correctly to the 64-bit significand; the cast then rounds to single.
  const long double wide = std::strtold(body.c_str(), nullptr);
  value = static_cast<float>(negative ? -wide : wide);
  return true;
}

}  // namespace reference
