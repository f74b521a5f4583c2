#include "PortNameCollection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>

namespace {

// Columns: first name, second name, the sign of the result expected (-1, 0, 1).
struct CompareCase {
    const char* First;
    const char* Second;
    int ExpectedSign;
};

// Bytes above 127 as \xNN, so that the case reads the same in any code page.
void PrintEscaped(std::ostream& out, const char* text) {
    for (const char* p = text; *p; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte < 0x80) {
            out << *p;
        } else {
            out << "\\x" << "0123456789ABCDEF"[byte >> 4] << "0123456789ABCDEF"[byte & 0xF];
        }
    }
}

std::ostream& operator<<(std::ostream& out, const CompareCase& c) {
    PrintEscaped(out, c.First);
    out << " against ";
    PrintEscaped(out, c.Second);
    return out;
}

int Sign(std::int32_t value) {
    return (value > 0) - (value < 0);
}

class PortNameCompare : public ::testing::TestWithParam<CompareCase> {};

TEST_P(PortNameCompare, PutsShorterNamesFirstThenByteOrder) {
    const CompareCase& c = GetParam();
    PortNameCollection ports;
    std::string first = c.First, second = c.Second;
    EXPECT_EQ(c.ExpectedSign, Sign(ports.Compare(first.data(), second.data()))) << c;
}

INSTANTIATE_TEST_SUITE_P(Table, PortNameCompare, ::testing::Values(
    CompareCase{"COM2", "COM10", -1},
    CompareCase{"COM10", "COM2", 1},
    CompareCase{"COM9", "COM10", -1},
    CompareCase{"COM11", "COM100", -1},
    CompareCase{"ZZZZ", "AAAAA", -1},   // four characters before five, whatever the letters
    CompareCase{"COM1", "COM2", -1},
    CompareCase{"COMB", "COMa", -1},    // upper case before lower case
    CompareCase{"COM\xC8", "COMZ", 1},  // bytes are unsigned
    CompareCase{"COM3", "COM3", 0}));

TEST(PortNameCollection, InsertedNamesListCom2BeforeCom10) {
    PortNameCollection ports;
    ports.FreeAll();  // only the names of this test
    for (const char* name : {"COM10", "COM2", "COM100", "COM1", "COM11", "COM9"}) {
        ports.Insert(std::strcpy(new char[std::strlen(name) + 1], name));
    }
    std::string names;
    for (std::int32_t index = 0; index < ports.Count; ++index) {
        names += static_cast<const char*>(ports.Items[index]) + std::string(" ");
    }
    EXPECT_EQ("COM1 COM2 COM9 COM10 COM11 COM100 ", names);
}

}  // namespace
