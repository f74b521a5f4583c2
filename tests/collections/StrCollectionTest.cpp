#include "StrCollection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>

namespace {

// A heap copy of text, as a StrCollection takes it.
char* NewString(const char* text) {
    return std::strcpy(new char[std::strlen(text) + 1], text);
}

std::string NamesInOrder(const StrCollection& strings) {
    std::string names;
    for (std::int32_t index = 0; index < strings.Count; ++index) {
        if (!names.empty()) names += ' ';
        names += static_cast<const char*>(strings.Items[index]);
    }
    return names;
}

// Columns: first string, second string, the result expected.
struct CompareCase {
    const char* First;
    const char* Second;
    std::int32_t Expected;
};

// Bytes above 127 as \xNN, so that the case reads the same in any code page.
void PrintQuoted(std::ostream& out, const char* text) {
    out << '"';
    for (const char* p = text; *p; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte < 0x80) {
            out << *p;
        } else {
            out << "\\x" << "0123456789ABCDEF"[byte >> 4] << "0123456789ABCDEF"[byte & 0xF];
        }
    }
    out << '"';
}

std::ostream& operator<<(std::ostream& out, const CompareCase& c) {
    PrintQuoted(out, c.First);
    out << " against ";
    PrintQuoted(out, c.Second);
    return out;
}

class StrCollectionCompare : public ::testing::TestWithParam<CompareCase> {};

TEST_P(StrCollectionCompare, GivesTheDifferenceOfTheFirstDifferingBytes) {
    const CompareCase& c = GetParam();
    StrCollection strings(0, 1);
    std::string first = c.First, second = c.Second;
    EXPECT_EQ(c.Expected, strings.Compare(first.data(), second.data())) << c;
}

INSTANTIATE_TEST_SUITE_P(Table, StrCollectionCompare, ::testing::Values(
    CompareCase{"COM2", "COM2", 0},
    CompareCase{"", "", 0},
    CompareCase{"COM10", "COM2", '1' - '2'},
    CompareCase{"COM2", "COM10", '2' - '1'},
    CompareCase{"COM1", "COM10", -'0'},   // the shorter meets the other's next byte
    CompareCase{"COM10", "COM1", '0'},
    CompareCase{"", "A", -'A'},
    CompareCase{"a", "B", 'a' - 'B'},     // upper case before lower case
    CompareCase{"\xC8", "Z", 0xC8 - 'Z'},  // bytes are unsigned: "Č" after "Z"
    CompareCase{"A\xFF", "A\x01", 0xFF - 0x01}));

TEST(StrCollection, SortsInByteOrderSoCom10ComesBeforeCom2) {
    StrCollection strings(10, 5);
    for (const char* name : {"COM2", "COM10", "COM1", "COM9"}) strings.Insert(NewString(name));
    EXPECT_EQ("COM1 COM10 COM2 COM9", NamesInOrder(strings));
}

TEST(StrCollection, RefusesAStringThatIsPresentAndLeavesItToTheCaller) {
    StrCollection strings(10, 5);
    strings.Insert(NewString("COM1"));
    char* const repeated = NewString("COM1");
    strings.Insert(repeated);
    EXPECT_EQ("COM1", NamesInOrder(strings));
    EXPECT_STREQ("COM1", repeated) << "the refused string is still the caller's, untouched";
    delete[] repeated;
}

// Records which strings FreeItem is given, then releases them as the base does.
class LoggingStrings : public StrCollection {
public:
    LoggingStrings() : StrCollection(4, 4) {}
    void FreeItem(void* item) override {
        Log += item ? static_cast<const char*>(item) : "(null)";
        Log += ';';
        StrCollection::FreeItem(item);
    }
    std::string Log;
};

TEST(StrCollection, FreeAllReleasesEveryStringThroughFreeItem) {
    LoggingStrings strings;
    for (const char* name : {"B", "A", "C"}) strings.Insert(NewString(name));
    strings.FreeAll();
    EXPECT_EQ("A;B;C;", strings.Log);
    EXPECT_EQ(0, strings.Count);
    strings.FreeItem(nullptr);
    EXPECT_EQ("A;B;C;(null);", strings.Log) << "a null string is allowed";
}

}  // namespace
