#include "NumberText.h"
#include "NumberTextReference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sstream>
#include <string>

// Compares the product's real text and entry reading with the second implementations over
// generated values at fixed seeds. NUMBER_SAMPLE_SCALE (percent) shrinks the samples where the
// tests run slowly (under Wine).
#ifndef NUMBER_SAMPLE_SCALE
#define NUMBER_SAMPLE_SCALE 100
#endif

namespace {

int Scaled(int count) { return count / 100 * NUMBER_SAMPLE_SCALE; }

float FromBits(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::uint32_t Bits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Counts disagreements and keeps the first few for the failure message.
class Disagreements {
public:
    void Check(const std::string& what, const std::string& expected, const std::string& actual) {
        ++Compared;
        if (expected == actual) return;
        if (++Count <= 10) Examples << "\n  " << what << ": reference \"" << expected << "\", product \"" << actual << "\"";
    }
    int Count = 0;
    int Compared = 0;
    std::ostringstream Examples;
};

std::string Describe(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.9g (bits %08lx)", double(value), static_cast<unsigned long>(Bits(value)));
    return text;
}

void CheckRealText(Disagreements& d, float value) {
    d.Check(Describe(value), ReferenceRealText(value), RealText(value));
}

TEST(RealTextDifferential, RandomBitPatterns) {
    std::mt19937 random(20240611);
    Disagreements d;
    for (int i = 0; i < Scaled(500000); ++i) CheckRealText(d, FromBits(random()));
    EXPECT_EQ(0, d.Count) << "of " << d.Compared << " values" << d.Examples.str();
}

TEST(RealTextDifferential, RandomValuesOfShownMagnitudes) {
    // uniform over the measurement range, and log-uniform magnitudes from 1e-4 to 1e13
    std::mt19937 random(7);
    std::uniform_real_distribution<float> measurement(-400.0f, 400.0f);
    std::uniform_real_distribution<double> decade(-4.0, 13.0);
    Disagreements d;
    for (int i = 0; i < Scaled(200000); ++i) {
        CheckRealText(d, measurement(random));
        float magnitude = float(std::pow(10.0, decade(random)));
        CheckRealText(d, (random() & 1) ? -magnitude : magnitude);
    }
    EXPECT_EQ(0, d.Count) << "of " << d.Compared << " values" << d.Examples.str();
}

TEST(RealTextDifferential, EveryFloatNearTheHundredthsBoundaries) {
    // every float within 8 steps of each k.kk5 from 0.005 to 330 (and of their negatives)
    const int step = 100 / NUMBER_SAMPLE_SCALE;
    Disagreements d;
    for (int k = 0; k < 33000; k += step) {
        float boundary = float((k + 0.5) / 100.0);
        float value = boundary;
        for (int i = 0; i < 8; ++i) value = std::nextafter(value, 0.0f);
        for (int i = 0; i <= 16; ++i, value = std::nextafter(value, 1e30f)) {
            CheckRealText(d, value);
            if (i % 4 == 0) CheckRealText(d, -value);
        }
    }
    EXPECT_EQ(0, d.Count) << "of " << d.Compared << " values" << d.Examples.str();
}

TEST(RealTextDifferential, EveryFloatOfDenseRanges) {
    // every float of [1, 1.0625), of [0.0049, 0.0051] and of [327.6, 327.7]
    const std::uint32_t stride = 100 / NUMBER_SAMPLE_SCALE;
    const struct { float Low, High; } ranges[] = {{1.0f, 1.0625f}, {0.0049f, 0.0051f}, {327.6f, 327.7f}};
    Disagreements d;
    for (const auto& r : ranges) {
        for (std::uint32_t bits = Bits(r.Low); bits <= Bits(r.High); bits += stride) CheckRealText(d, FromBits(bits));
    }
    EXPECT_EQ(0, d.Count) << "of " << d.Compared << " values" << d.Examples.str();
}

// Texts from the pieces of the grammar with random slips, up to 18 characters.
class EntryGenerator {
public:
    explicit EntryGenerator(unsigned seed) : Random(seed) {}

    std::string Next() {
        std::string text;
        text.append(Pick(4) == 0 ? Pick(4) : 0, ' ');
        if (Pick(3) == 0) text += "+-"[Pick(2)];
        if (Pick(30) == 0) text += "+-"[Pick(2)];
        if (Pick(12) == 0) {
            text += Word();
        } else if (Pick(5) == 0) {
            text += Midpoint();
        } else {
            text += Digits(Pick(8));
            if (Pick(3) != 0) text += Pick(3) == 0 ? ',' : '.';
            text += Digits(Pick(8));
            if (Pick(3) == 0) {
                text += "eE"[Pick(2)];
                if (Pick(2) == 0) text += "+-"[Pick(2)];
                text += Digits(Pick(10) == 0 ? 1 + Pick(12) : Pick(4));
            }
        }
        if (Pick(8) == 0) text.insert(Pick(unsigned(text.size()) + 1), 1, " \tx.,+-eE0"[Pick(10)]);
        return text.substr(0, 18);
    }

private:
    unsigned Pick(unsigned n) { return Random() % n; }

    std::string Digits(unsigned count) {
        std::string digits;
        for (unsigned i = 0; i < count; ++i) digits += char('0' + Pick(10));
        return digits;
    }

    std::string Word() {
        std::string word = Pick(2) ? "inf" : "nan";
        for (char& c : word) if (Pick(2)) c = char(c - 'a' + 'A');
        if (Pick(6) == 0) word.pop_back();
        return word;
    }

    // A decimal near the midpoint between two neighbouring floats, in at most 15 characters.
    std::string Midpoint() {
        float low = FromBits(Random() % 0x7F000000u);
        double middle = (double(low) + double(std::nextafter(low, 1e30f))) / 2;
        char digits[40];
        std::snprintf(digits, sizeof digits, "%.*e", int(6 + Pick(4)), middle);
        std::string mantissa(digits, std::strchr(digits, 'e'));
        return mantissa + "e" + std::to_string(std::atoi(std::strchr(digits, 'e') + 1));
    }

    std::mt19937 Random;
};

std::string BitsText(float value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08lx", static_cast<unsigned long>(Bits(value)));
    return text;
}

TEST(ReadNumberDifferential, GeneratedEntries) {
    EntryGenerator entries(99);
    Disagreements d;
    int valid = 0;
    for (int i = 0; i < Scaled(150000); ++i) {
        std::string text = entries.Next();
        float expected = ReferenceReadNumber(text.c_str());
        if (Bits(expected) != 0) ++valid;
        d.Check("\"" + text + "\"", BitsText(expected), BitsText(ReadNumber(text.c_str())));
    }
    EXPECT_EQ(0, d.Count) << "of " << d.Compared << " texts" << d.Examples.str();
    EXPECT_LT(d.Compared / 3, valid) << "the generator should make mostly nonzero valid numbers";
}

}  // namespace
