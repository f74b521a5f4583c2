#pragma once

#include "StrCollection.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The serial ports that exist on the machine, read once by the constructor, as owned names
// sorted shorter first and then in byte order (COM2 before COM10), each name once.
// On Windows the names are the data of the values of HKEY_LOCAL_MACHINE
// "hardware\devicemap\serialcomm"; elsewhere they are the tty devices with hardware behind them.
class PortNameCollection : public StrCollection {
public:
    // Longer names cannot be opened by the tool and are not listed.
    static constexpr std::size_t MaxNameLength = 7;

    PortNameCollection();
#ifndef _WIN32
    // Reads the device tree below `root` instead of "/" (tests give a tree of their own).
    explicit PortNameCollection(const std::string& root);
#endif

    // Negative when key1 sorts first: the shorter name, or for equal lengths the byte order.
    std::int32_t Compare(void* key1, void* key2) override;

private:
    // Lists a copy of `data` up to its first zero byte or its `size` bytes, whichever comes
    // first. An empty name and one longer than MaxNameLength are skipped; a copy that is not
    // inserted because the name is listed already is released.
    void AddName(const char* data, std::size_t size);
};
