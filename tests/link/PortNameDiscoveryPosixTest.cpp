#include "PortNameCollection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// How a tty of the fake tree shows its hardware.
enum class Device { None, Directory, Link, BrokenLink };

struct Tty {
    const char* Name;
    Device Kind;
    const char* Type;  // the content of its "type" file; null for none
};

// A device tree of its own below a temporary root, removed afterwards.
class FakeDeviceTree : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zef-ports-XXXXXX").string();
        ASSERT_NE(nullptr, mkdtemp(pattern.data()));
        Root = pattern;
    }
    void TearDown() override { fs::remove_all(Root); }

    void Add(const Tty& tty) {
        const fs::path dir = Root / "sys/class/tty" / tty.Name;
        fs::create_directories(dir);
        const fs::path hardware = Root / "sys/devices" / tty.Name;
        switch (tty.Kind) {
            case Device::None: break;
            case Device::Directory: fs::create_directories(dir / "device"); break;
            case Device::Link:
                fs::create_directories(hardware);
                fs::create_directory_symlink(hardware, dir / "device");
                break;
            case Device::BrokenLink: fs::create_directory_symlink(hardware, dir / "device"); break;
        }
        if (tty.Type) std::ofstream(dir / "type") << tty.Type << "\n";
    }

    static std::string NamesOf(const PortNameCollection& ports) {
        std::string names;
        for (std::int32_t index = 0; index < ports.Count; ++index) {
            if (!names.empty()) names += ' ';
            names += static_cast<const char*>(ports.Items[index]);
        }
        return names;
    }

    fs::path Root;
};

// Columns: what the case shows, the ttys of the tree, the names expected in order.
struct DiscoveryCase {
    const char* What;
    std::vector<Tty> Ttys;
    const char* ExpectedNames;
};

std::ostream& operator<<(std::ostream& out, const DiscoveryCase& c) {
    return out << c.What;
}

class PortNameDiscovery : public FakeDeviceTree,
                          public ::testing::WithParamInterface<DiscoveryCase> {};

TEST_P(PortNameDiscovery, ListsTheTtysWithHardware) {
    for (const Tty& tty : GetParam().Ttys) Add(tty);
    PortNameCollection ports(Root.string());
    EXPECT_EQ(GetParam().ExpectedNames, NamesOf(ports)) << GetParam().What;
}

INSTANTIATE_TEST_SUITE_P(Table, PortNameDiscovery, ::testing::Values(
    DiscoveryCase{"shorter names first",
                  {{"ttyS10", Device::Link, "4"}, {"ttyUSB0", Device::Link, nullptr},
                   {"ttyS2", Device::Link, "4"}},
                  "ttyS2 ttyS10 ttyUSB0"},
    DiscoveryCase{"only ttys with a device",
                  {{"tty0", Device::None, nullptr}, {"console", Device::None, nullptr},
                   {"ttyACM0", Device::Directory, nullptr},
                   {"ttyUSB1", Device::BrokenLink, nullptr}},
                  "ttyACM0"},
    DiscoveryCase{"a serial port without a UART is skipped",
                  {{"ttyS0", Device::Link, "4"}, {"ttyS1", Device::Link, "0"}},
                  "ttyS0"},
    DiscoveryCase{"seven characters at most",
                  {{"ttyUSB9", Device::Link, nullptr}, {"ttyUSB10", Device::Link, nullptr},
                   {"ttyACM12", Device::Link, nullptr}},
                  "ttyUSB9"},
    DiscoveryCase{"no ttys", {}, ""}));

TEST_F(FakeDeviceTree, WithoutTheTtyClassTheListIsEmpty) {
    PortNameCollection ports(Root.string());
    EXPECT_EQ(0, ports.Count);
    EXPECT_EQ(10, ports.Limit);
    EXPECT_EQ(5, ports.Delta);
}

TEST_F(FakeDeviceTree, ManyPortsGrowTheCollection) {
    std::vector<std::string> names;
    for (int n = 20; n >= 0; --n) names.push_back("ttyS" + std::to_string(n));
    for (const std::string& name : names) Add({name.c_str(), Device::Link, "4"});
    PortNameCollection ports(Root.string());
    EXPECT_EQ(21, ports.Count);
    EXPECT_STREQ("ttyS0", static_cast<const char*>(ports.Items[0]));
    EXPECT_STREQ("ttyS9", static_cast<const char*>(ports.Items[9]));
    EXPECT_STREQ("ttyS10", static_cast<const char*>(ports.Items[10]));
    EXPECT_STREQ("ttyS20", static_cast<const char*>(ports.Items[20]));
}

TEST(PortNameCollection, TheDefaultConstructorReadsTheSystemRoot) {
    PortNameCollection system;
    PortNameCollection fromRoot("/");
    ASSERT_EQ(fromRoot.Count, system.Count);
    for (std::int32_t index = 0; index < system.Count; ++index) {
        EXPECT_STREQ(static_cast<const char*>(fromRoot.Items[index]),
                     static_cast<const char*>(system.Items[index]));
    }
}

}  // namespace
