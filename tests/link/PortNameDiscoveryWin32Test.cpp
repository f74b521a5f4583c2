#include "PortNameCollection.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr const char* SerialKey = "hardware\\devicemap\\serialcomm";

struct RegistryValue {
    std::string Name;
    DWORD Type;
    std::string Data;  // the bytes as stored, with the terminator of a string when it has one
};

// A string value as a port driver writes it: the name with its terminator.
RegistryValue Port(const std::string& device, const std::string& name) {
    return {device, REG_SZ, name + std::string(1, '\0')};
}

bool SerialKeyExists() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SerialKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

std::vector<RegistryValue> ReadSerialKey() {
    std::vector<RegistryValue> values;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SerialKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return values;
    }
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameSize = sizeof name;
        BYTE data[4096];
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS) {
            break;
        }
        values.push_back({std::string(name, nameSize), type,
                          std::string(reinterpret_cast<const char*>(data), dataSize)});
    }
    RegCloseKey(key);
    return values;
}

// Replaces the key by one holding exactly `values`. Volatile, as the hardware keys are.
void WriteSerialKey(const std::vector<RegistryValue>& values) {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, SerialKey);
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, SerialKey, 0, nullptr,
                                             REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &key,
                                             nullptr));
    for (const RegistryValue& value : values) {
        EXPECT_EQ(ERROR_SUCCESS,
                  RegSetValueExA(key, value.Name.c_str(), 0, value.Type,
                                 reinterpret_cast<const BYTE*>(value.Data.data()),
                                 static_cast<DWORD>(value.Data.size())))
            << "value " << value.Name;
    }
    RegCloseKey(key);
}

// The values as text, "name type data|...", for comparing what a key holds.
std::string Describe(const std::vector<RegistryValue>& values) {
    std::string text;
    for (const RegistryValue& value : values) {
        text += value.Name + " " + std::to_string(value.Type) + " " + value.Data + "|";
    }
    return text;
}

std::string NamesOf(const PortNameCollection& ports) {
    std::string names;
    for (std::int32_t index = 0; index < ports.Count; ++index) {
        if (!names.empty()) names += ' ';
        names += static_cast<const char*>(ports.Items[index]);
    }
    return names;
}

// The key is the prefix's own, with Wine's ports in it: every test puts back what was there.
class SerialKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        KeyExisted = SerialKeyExists();
        Saved = ReadSerialKey();
    }
    void TearDown() override {
        if (KeyExisted) {
            WriteSerialKey(Saved);
        } else {
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, SerialKey);
        }
    }

    bool KeyExisted = false;
    std::vector<RegistryValue> Saved;
};

// Columns: what the case shows, the values of the key, the names expected in order.
struct DiscoveryCase {
    const char* What;
    std::vector<RegistryValue> Values;
    const char* ExpectedNames;
};

std::ostream& operator<<(std::ostream& out, const DiscoveryCase& c) {
    return out << c.What;
}

class PortNameDiscovery : public SerialKeyTest,
                          public ::testing::WithParamInterface<DiscoveryCase> {};

TEST_P(PortNameDiscovery, ListsThePortNamesOfTheSerialKey) {
    WriteSerialKey(GetParam().Values);
    PortNameCollection ports;
    EXPECT_EQ(GetParam().ExpectedNames, NamesOf(ports)) << GetParam().What;
}

const std::string LongDeviceName(64, 'D');  // does not fit a 64-character buffer with its end

INSTANTIATE_TEST_SUITE_P(Table, PortNameDiscovery, ::testing::Values(
    DiscoveryCase{"shorter names first",
                  {Port("\\Device\\Serial9", "COM10"), Port("\\Device\\Serial1", "COM2"),
                   Port("\\Device\\Serial0", "COM1")},
                  "COM1 COM2 COM10"},
    DiscoveryCase{"order of the values does not matter",
                  {Port("a", "COM2"), Port("b", "COM10"), Port("c", "COM1")},
                  "COM1 COM2 COM10"},
    DiscoveryCase{"one entry for a repeated name",
                  {Port("\\Device\\Serial0", "COM3"), Port("\\Device\\VCP0", "COM3")},
                  "COM3"},
    DiscoveryCase{"a key without values", {}, ""},
    DiscoveryCase{"seven characters are listed whole",
                  {Port("a", "COM1234"), Port("b", "COM1")},
                  "COM1 COM1234"},
    DiscoveryCase{"a longer name is skipped",
                  {Port("a", "COM12345"), Port("b", "COM4")},
                  "COM4"},
    DiscoveryCase{"empty data are skipped",
                  {Port("a", ""), {"b", REG_SZ, ""}, Port("c", "COM5")},
                  "COM5"},
    DiscoveryCase{"data without a terminator are read only as far as they go",
                  {{"a", REG_BINARY, "COM6"}, {"b", REG_BINARY, "COM12345"}},
                  "COM6"},
    DiscoveryCase{"data that end early keep only the name",
                  {{"a", REG_BINARY, std::string("COM7\0xyz", 8)}},
                  "COM7"},
    DiscoveryCase{"a value whose name does not fit is skipped",
                  {Port(LongDeviceName, "COM8"), Port("b", "COM9")},
                  "COM9"},
    DiscoveryCase{"more ports than the first capacity",
                  {Port("a", "COM12"), Port("b", "COM3"), Port("c", "COM11"), Port("d", "COM1"),
                   Port("e", "COM10"), Port("f", "COM5"), Port("g", "COM4"), Port("h", "COM9"),
                   Port("i", "COM2"), Port("j", "COM8"), Port("k", "COM7"), Port("l", "COM6")},
                  "COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 COM9 COM10 COM11 COM12"}));

TEST_F(SerialKeyTest, WithoutTheKeyTheListIsEmpty) {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, SerialKey);
    ASSERT_FALSE(SerialKeyExists());
    PortNameCollection ports;
    EXPECT_EQ(0, ports.Count);
    EXPECT_EQ(10, ports.Limit);
    EXPECT_EQ(5, ports.Delta);
}

TEST_F(SerialKeyTest, TheTestsPutTheKeyBack) {
    WriteSerialKey({Port("x", "COM42")});
    TearDown();
    EXPECT_EQ(KeyExisted, SerialKeyExists());
    EXPECT_EQ(Describe(Saved), Describe(ReadSerialKey()));
}

}  // namespace
