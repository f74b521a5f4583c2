#include "NumberText.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr std::size_t MaxTextLength = 15;
constexpr std::size_t SignificantDigits = 10;

// An unsigned integer in limbs of nine decimal digits, least significant first. Large enough
// for any single-precision magnitude scaled to an integer: at most 2^24 * 5^149 (112 digits).
class DecimalInteger {
public:
    explicit DecimalInteger(std::uint32_t value) { Limbs[0] = value % LimbBase; Limbs[1] = value / LimbBase; Count = Limbs[1] ? 2 : 1; }

    void Multiply(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (int i = 0; i < Count; ++i) {
            std::uint64_t product = std::uint64_t(Limbs[i]) * factor + carry;
            Limbs[i] = std::uint32_t(product % LimbBase);
            carry = product / LimbBase;
        }
        while (carry) {
            Limbs[Count++] = std::uint32_t(carry % LimbBase);
            carry /= LimbBase;
        }
    }

    void MultiplyByPowerOf(std::uint32_t base, std::uint32_t largestPower, int largestExponent, int exponent) {
        for (; exponent >= largestExponent; exponent -= largestExponent) Multiply(largestPower);
        std::uint32_t rest = 1;
        for (; exponent > 0; --exponent) rest *= base;
        Multiply(rest);
    }

    std::string Digits() const {
        std::string digits = std::to_string(Limbs[Count - 1]);
        for (int i = Count - 2; i >= 0; --i) {
            std::string limb = std::to_string(Limbs[i]);
            digits.append(9 - limb.size(), '0').append(limb);
        }
        return digits;
    }

private:
    static constexpr std::uint32_t LimbBase = 1000000000;
    std::uint32_t Limbs[16] = {};
    int Count = 0;
};

// A positive magnitude as 0.Digits * 10^Point; Digits has no leading or trailing zeros.
struct DecimalDigits {
    std::string Digits;
    int Point = 0;
};

// The exact decimal expansion of Significand * 2^Exponent (Significand > 0).
DecimalDigits ExactExpansion(std::uint32_t significand, int exponent) {
    DecimalInteger scaled(significand);
    int fractionDigits = 0;
    if (exponent >= 0) {
        scaled.MultiplyByPowerOf(2, 1u << 31, 31, exponent);
    } else {
        // m * 2^-k = m * 5^k / 10^k
        scaled.MultiplyByPowerOf(5, 1220703125u, 13, -exponent);
        fractionDigits = -exponent;
    }
    DecimalDigits result;
    result.Digits = scaled.Digits();
    result.Point = int(result.Digits.size()) - fractionDigits;
    result.Digits.erase(result.Digits.find_last_not_of('0') + 1);
    return result;
}

// Adds one unit in the last place of a digit string; "" counts as 0. True when a new leading
// digit appeared (999 -> 1000).
bool Increment(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') { ++digits[i]; return false; }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
    return true;
}

// At most ten significant digits, ties to even. A rounded string keeps all ten digits, trailing
// zeros included: the rule for a dropped 4 looks at the string's last digits.
void RoundToSignificantDigits(DecimalDigits& value) {
    std::string& digits = value.Digits;
    if (digits.size() <= SignificantDigits) return;
    char next = digits[SignificantDigits];
    bool exactTie = next == '5' && digits.size() == SignificantDigits + 1;
    bool lastOdd = (digits[SignificantDigits - 1] - '0') % 2 == 1;
    digits.resize(SignificantDigits);
    if (next > '5' || (next == '5' && (!exactTie || lastOdd))) {
        if (Increment(digits)) {
            digits.pop_back();
            ++value.Point;
        }
    }
}

// Whether dropping digits[first...] rounds the kept part up: a first dropped digit of 5 or more,
// or a 4 followed by nines up to a last digit but one of 8 or 9, at least three digits after it.
bool DroppedPartRoundsUp(const std::string& digits, std::size_t first) {
    if (digits[first] >= '5') return true;
    if (digits[first] != '4') return false;
    std::size_t last = digits.size() - 1;
    if (last - first < 3) return false;
    if (digits[last - 1] != '8' && digits[last - 1] != '9') return false;
    for (std::size_t i = first + 1; i < last - 1; ++i) {
        if (digits[i] != '9') return false;
    }
    return true;
}

// The magnitude in hundredths, as digits without leading zeros ("" for 0).
std::string Hundredths(const DecimalDigits& value) {
    int firstDropped = value.Point + 2;
    if (firstDropped < 0) return "";
    std::size_t kept = std::size_t(firstDropped);
    const std::string& digits = value.Digits;
    if (kept >= digits.size()) return digits + std::string(kept - digits.size(), '0');
    std::string hundredths = digits.substr(0, kept);
    if (DroppedPartRoundsUp(digits, kept)) Increment(hundredths);
    return hundredths;
}

std::string FixedPointText(std::uint32_t significand, int exponent) {
    std::string hundredths;
    if (significand != 0) {
        DecimalDigits value = ExactExpansion(significand, exponent);
        RoundToSignificantDigits(value);
        hundredths = Hundredths(value);
    }
    if (hundredths.size() < 3) hundredths.insert(0, 3 - hundredths.size(), '0');
    return hundredths.insert(hundredths.size() - 2, 1, '.');
}

// A whole word of exactly three letters, any letter case, at the end of the text.
bool IsWord(const char* text, const char* word) {
    for (int i = 0; i < 3; ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != word[i]) return false;
    }
    return text[3] == '\0';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char* SkipDigits(const char* text) {
    while (IsDigit(*text)) ++text;
    return text;
}

// Digits, optionally "." and digits (at least one digit in all), an optional exponent, the end.
bool IsDecimal(const char* text) {
    const char* p = SkipDigits(text);
    bool digits = p != text;
    if (*p == '.') {
        const char* fraction = p + 1;
        p = SkipDigits(fraction);
        digits = digits || p != fraction;
    }
    if (!digits) return false;
    if (*p == 'e' || *p == 'E') {
        ++p;
        if (*p == '+' || *p == '-') ++p;
        const char* exponent = p;
        p = SkipDigits(exponent);
        if (p == exponent) return false;
    }
    return *p == '\0';
}

}  // namespace

std::string IntegerText(std::int32_t value) { return std::to_string(value); }

std::string RealText(float value) {
    std::uint32_t bits;
    static_assert(sizeof bits == sizeof value, "single precision is 32 bits");
    std::memcpy(&bits, &value, sizeof bits);
    bool negative = bits >> 31;
    std::uint32_t biasedExponent = (bits >> 23) & 0xFF;
    std::uint32_t fraction = bits & 0x7FFFFF;
    if (biasedExponent == 0xFF) {
        if (fraction != 0) return "Nan";
        return negative ? "-Inf" : "+Inf";
    }
    std::string text = negative ? "-" : "";
    if (biasedExponent == 0) {
        text += FixedPointText(fraction, -149);  // subnormal
    } else {
        text += FixedPointText(fraction | 0x800000, int(biasedExponent) - 150);
    }
    if (text.size() > MaxTextLength) text.resize(MaxTextLength);
    return text;
}

std::string HexDigits(std::uint32_t value, int count) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text(std::size_t(count > 0 ? count : 0), '0');
    for (int i = count - 1; i >= 0; --i, value >>= 4) text[std::size_t(i)] = digits[value & 0xF];
    return text;
}

std::string VersionText(std::uint16_t value) {
    std::uint32_t major = value >> 8;
    std::uint32_t minor = value & 0xFF;
    return HexDigits(major, major <= 9 ? 1 : 2) + "." + HexDigits(minor, 2);
}

float ReadNumber(const char* text) {
    char entry[MaxTextLength + 1] = {};
    std::strncpy(entry, text, MaxTextLength);
    for (char& c : entry) {
        if (c == ',') c = '.';
    }
    const char* p = entry;
    while (*p == ' ') ++p;
    bool negative = *p == '-';
    if (*p == '+' || *p == '-') ++p;

    float magnitude;
    if (IsWord(p, "inf")) {
        magnitude = std::numeric_limits<float>::infinity();
    } else if (IsWord(p, "nan")) {
        magnitude = std::numeric_limits<float>::quiet_NaN();
    } else if (IsDecimal(p)) {
        // Extended precision first, then one rounding to single; beyond the single range the
        // IEEE conversion gives infinity.
        magnitude = static_cast<float>(std::strtold(p, nullptr));
    } else {
        return 0.0f;
    }
    return negative ? -magnitude : magnitude;
}
