#include "PortNameCollection.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// A tty with hardware behind it has a device; a serial-core port also tells its UART type,
// which is 0 when the port has no UART (the reserved ttyS ports of a PC).
bool HasHardware(const fs::path& tty) {
    std::error_code error;
    if (!fs::exists(tty / "device", error)) return false;
    std::ifstream typeFile(tty / "type");
    int type = -1;
    return !(typeFile >> type) || type != 0;
}

}  // namespace

PortNameCollection::PortNameCollection() : PortNameCollection("/") {}

PortNameCollection::PortNameCollection(const std::string& root) : StrCollection(10, 5) {
    std::error_code error;
    for (fs::directory_iterator entry(fs::path(root) / "sys/class/tty", error), end;
         !error && entry != end; entry.increment(error)) {
        if (!HasHardware(entry->path())) continue;
        const std::string name = entry->path().filename().string();
        AddName(name.c_str(), name.size());
    }
}
