#include "NumberTextReference.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <regex>
#include <vector>

namespace {

// Unsigned big integer in 32-bit limbs, least significant first, no leading zero limbs.
class BigUnsigned {
public:
    BigUnsigned() = default;
    explicit BigUnsigned(std::uint64_t value) {
        for (; value; value >>= 32) Limbs.push_back(std::uint32_t(value));
    }

    bool IsZero() const { return Limbs.empty(); }

    int BitLength() const {
        if (Limbs.empty()) return 0;
        int bits = 32 * int(Limbs.size() - 1);
        for (std::uint32_t top = Limbs.back(); top; top >>= 1) ++bits;
        return bits;
    }

    void MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (std::uint32_t& limb : Limbs) {
            std::uint64_t v = std::uint64_t(limb) * factor + carry;
            limb = std::uint32_t(v);
            carry = v >> 32;
        }
        if (carry) Limbs.push_back(std::uint32_t(carry));
    }

    // Divides by a small divisor, returns the remainder.
    std::uint32_t DivideSmall(std::uint32_t divisor) {
        std::uint64_t rest = 0;
        for (std::size_t i = Limbs.size(); i-- > 0;) {
            std::uint64_t v = (rest << 32) | Limbs[i];
            Limbs[i] = std::uint32_t(v / divisor);
            rest = v % divisor;
        }
        Trim();
        return std::uint32_t(rest);
    }

    BigUnsigned ShiftedLeft(int bits) const {
        BigUnsigned r;
        r.Limbs.assign(std::size_t(bits / 32), 0);
        std::uint32_t carry = 0;
        int s = bits % 32;
        for (std::uint32_t limb : Limbs) {
            r.Limbs.push_back(s ? (limb << s) | carry : limb);
            carry = s ? limb >> (32 - s) : 0;
        }
        if (carry) r.Limbs.push_back(carry);
        r.Trim();
        return r;
    }

    // The low `bits` bits (bits > 0) and the part above them.
    void Split(int bits, BigUnsigned& high, BigUnsigned& low) const {
        high = BigUnsigned();
        low = BigUnsigned();
        for (int i = 0; i < BitLength(); ++i) {
            if (!Bit(i)) continue;
            if (i < bits) low.SetBit(i); else high.SetBit(i - bits);
        }
    }

    // Removes the bits from position k upward (a small value) and returns them.
    std::uint32_t TakeBitsFrom(int k) {
        std::size_t limb = std::size_t(k / 32);
        int shift = k % 32;
        std::uint64_t high = 0;
        for (std::size_t i = Limbs.size(); i-- > limb;) {
            high = (high << 32) | Limbs[i];
            if (i > limb) Limbs[i] = 0;
        }
        if (limb < Limbs.size()) Limbs[limb] &= shift ? (1u << shift) - 1 : 0;
        Trim();
        return std::uint32_t(high >> shift);
    }

    bool Bit(int i) const { return (Limbs[std::size_t(i / 32)] >> (i % 32)) & 1; }
    void SetBit(int i) {
        if (Limbs.size() <= std::size_t(i / 32)) Limbs.resize(std::size_t(i / 32) + 1, 0);
        Limbs[std::size_t(i / 32)] |= 1u << (i % 32);
    }

    friend int Compare(const BigUnsigned& a, const BigUnsigned& b) {
        if (a.Limbs.size() != b.Limbs.size()) return a.Limbs.size() < b.Limbs.size() ? -1 : 1;
        for (std::size_t i = a.Limbs.size(); i-- > 0;) {
            if (a.Limbs[i] != b.Limbs[i]) return a.Limbs[i] < b.Limbs[i] ? -1 : 1;
        }
        return 0;
    }

    void Subtract(const BigUnsigned& b) {  // requires *this >= b
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < Limbs.size(); ++i) {
            std::int64_t v = std::int64_t(Limbs[i]) - borrow - (i < b.Limbs.size() ? b.Limbs[i] : 0);
            borrow = v < 0;
            Limbs[i] = std::uint32_t(v + (borrow ? (std::int64_t(1) << 32) : 0));
        }
        Trim();
    }

private:
    void Trim() { while (!Limbs.empty() && Limbs.back() == 0) Limbs.pop_back(); }
    std::vector<std::uint32_t> Limbs;
};

// Quotient (which must fit in 64 bits) and remainder of a / b by binary long division.
std::uint64_t Divide(BigUnsigned a, const BigUnsigned& b, BigUnsigned& remainder) {
    std::uint64_t q = 0;
    for (int bit = 63; bit >= 0; --bit) {
        BigUnsigned shifted = b.ShiftedLeft(bit);
        if (Compare(a, shifted) >= 0) {
            a.Subtract(shifted);
            q |= std::uint64_t(1) << bit;
        }
    }
    remainder = a;
    return q;
}

std::string IntegerDigits(BigUnsigned value) {
    std::string digits;
    while (!value.IsZero()) digits += char('0' + value.DivideSmall(10));
    std::reverse(digits.begin(), digits.end());
    return digits.empty() ? "0" : digits;
}

// Fraction f / 2^k: digits until the rest is 0, by repeated multiplication by 10.
std::string FractionDigits(BigUnsigned fraction, int k) {
    std::string digits;
    while (!fraction.IsZero()) {
        fraction.MultiplyAdd(10, 0);
        digits += char('0' + fraction.TakeBitsFrom(k));
    }
    return digits;
}

std::uint64_t PowerOfTen(int n) {
    std::uint64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

bool RoundsUpAtFirstDropped(const std::string& dropped) {
    if (dropped[0] >= '5') return true;
    if (dropped[0] != '4' || dropped.size() < 4) return false;
    char lastButOne = dropped[dropped.size() - 2];
    if (lastButOne != '8' && lastButOne != '9') return false;
    return dropped.substr(1, dropped.size() - 3).find_first_not_of('9') == std::string::npos;
}

std::string MagnitudeText(float magnitude) {
    int exponent;
    float mantissa = std::frexp(magnitude, &exponent);          // magnitude = mantissa * 2^exponent
    std::uint32_t m = std::uint32_t(std::ldexp(mantissa, 24));  // exact: 24 bits
    int e = exponent - 24;
    while (m && !(m & 1)) { m >>= 1; ++e; }

    std::string integerPart, fractionPart;
    if (e >= 0) {
        integerPart = IntegerDigits(BigUnsigned(m).ShiftedLeft(e));
    } else {
        int k = -e;
        BigUnsigned whole, fraction;
        BigUnsigned(m).Split(k, whole, fraction);
        integerPart = IntegerDigits(whole);
        fractionPart = FractionDigits(fraction, k);
    }

    // All digits with the decimal point after integerPart; significant part from the first
    // nonzero digit to the last nonzero digit.
    std::string all = integerPart + fractionPart;
    std::size_t first = all.find_first_not_of('0');
    if (first == std::string::npos) return "0.00";
    std::size_t last = all.find_last_not_of('0');
    std::string significant = all.substr(first, last - first + 1);
    // exponent of the last significant digit: value = N * 10^lastExponent
    int lastExponent = int(integerPart.size()) - 1 - int(last);

    std::uint64_t n;
    int length;
    if (significant.size() <= 10) {
        n = std::stoull(significant);
        length = int(significant.size());
    } else {
        n = std::stoull(significant.substr(0, 10));
        std::string tail = significant.substr(10);
        lastExponent += int(tail.size());
        bool up = tail[0] > '5' || (tail[0] == '5' && (tail.find_first_not_of('0', 1) != std::string::npos || n % 2 == 1));
        if (up) ++n;
        if (n == PowerOfTen(10)) { n /= 10; ++lastExponent; }
        length = 10;
    }

    std::string hundredths;
    if (lastExponent >= -2) {
        hundredths = std::to_string(n) + std::string(std::size_t(lastExponent + 2), '0');
    } else {
        int drop = -2 - lastExponent;
        std::uint64_t kept = 0;
        if (drop <= length) {
            std::string digits = std::to_string(n);
            kept = drop < 20 ? n / PowerOfTen(drop) : 0;
            if (RoundsUpAtFirstDropped(digits.substr(std::size_t(length - drop)))) ++kept;
        }
        hundredths = std::to_string(kept);
    }
    while (hundredths.size() < 3) hundredths.insert(0, "0");
    return hundredths.substr(0, hundredths.size() - 2) + "." + hundredths.substr(hundredths.size() - 2);
}

// The exact value of digits * 10^exponent rounded to a 64-bit significand and then to single.
float RoundTwice(const std::string& digits, long exponent) {
    BigUnsigned numerator, denominator(1);
    for (char c : digits) numerator.MultiplyAdd(10, std::uint32_t(c - '0'));
    for (long i = 0; i < exponent; ++i) numerator.MultiplyAdd(10, 0);
    for (long i = 0; i > exponent; --i) denominator.MultiplyAdd(10, 0);

    // q = floor(numerator * 2^s / denominator) with 2^63 <= q < 2^64; value ~ q * 2^-s
    int s = 63 - (numerator.BitLength() - denominator.BitLength());
    std::uint64_t q;
    BigUnsigned rest;
    for (;; ++s) {
        BigUnsigned a = s >= 0 ? numerator.ShiftedLeft(s) : numerator;
        BigUnsigned b = s >= 0 ? denominator : denominator.ShiftedLeft(-s);
        q = Divide(a, b, rest);
        if (q >> 63) {
            int c = Compare(rest.ShiftedLeft(1), b);
            if (c > 0 || (c == 0 && (q & 1))) {
                if (++q == 0) { q = std::uint64_t(1) << 63; --s; }
            }
            break;
        }
    }
    // Extended value q * 2^-s; single keeps 24 bits, fewer below 2^-126 (none below 2^-149).
    int e = -s;  // value = q * 2^e, top bit at 63 + e
    int drop = std::max(40, -149 - e);
    if (drop > 64) return 0.0f;
    std::uint64_t kept = drop == 64 ? 0 : q >> drop;
    std::uint64_t half = std::uint64_t(1) << (drop - 1);
    std::uint64_t below = q & ((half << 1) - 1);
    if (below > half || (below == half && (kept & 1))) ++kept;
    return std::ldexp(float(kept), e + drop);
}

}  // namespace

std::string ReferenceRealText(float value) {
    if (std::isnan(value)) return "Nan";
    if (std::isinf(value)) return value < 0 ? "-Inf" : "+Inf";
    std::string text = (std::signbit(value) ? "-" : "") + MagnitudeText(std::fabs(value));
    return text.substr(0, 15);
}

float ReferenceReadNumber(const char* text) {
    std::string entry(text, strnlen(text, 15));
    std::replace(entry.begin(), entry.end(), ',', '.');
    static const std::regex grammar(
        "^ *([+-]?)(?:([0-9]*)\\.?([0-9]*)(?:[eE]([+-]?[0-9]+))?|([iI][nN][fF])|([nN][aA][nN]))$");
    std::smatch m;
    if (!std::regex_match(entry, m, grammar)) return 0.0f;
    float sign = m[1] == "-" ? -1.0f : 1.0f;
    if (m[5].matched) return sign * std::numeric_limits<float>::infinity();
    if (m[6].matched) return std::copysign(std::numeric_limits<float>::quiet_NaN(), sign);
    std::string integer = m[2], fraction = m[3];
    if (integer.empty() && fraction.empty()) return 0.0f;  // a point without digits
    std::string digits = integer + fraction;
    long exponent = -long(fraction.size());
    if (m[4].matched) {
        std::string e = m[4];
        bool negative = e[0] == '-';
        long magnitude = 0;
        for (char c : e) {
            if (c >= '0' && c <= '9') magnitude = std::min(magnitude * 10 + (c - '0'), 100000L);
        }
        exponent += negative ? -magnitude : magnitude;
    }
    std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return sign * 0.0f;
    digits = digits.substr(first);
    long magnitude10 = long(digits.size()) + exponent;  // value < 10^magnitude10
    if (magnitude10 > 50) return sign * std::numeric_limits<float>::infinity();
    if (magnitude10 < -50) return sign * 0.0f;
    return sign * RoundTwice(digits, exponent);
}
