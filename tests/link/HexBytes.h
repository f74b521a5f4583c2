#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Frames in tests are written as they travel, e.g. "01 04 00 00 00 04 F1 C9", so that a
// failed comparison shows the bytes.
using Bytes = std::vector<std::uint8_t>;

inline Bytes FromHex(const std::string& Text) {
    Bytes bytes;
    for (std::size_t i = 0; i + 1 < Text.size(); i += 3)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(Text.substr(i, 2), nullptr, 16)));
    return bytes;
}

inline std::string ToHex(const std::uint8_t* Data, std::size_t Length) {
    std::string text;
    char byte[4];
    for (std::size_t i = 0; i < Length; ++i) {
        std::snprintf(byte, sizeof byte, i == 0 ? "%02X" : " %02X", Data[i]);
        text += byte;
    }
    return text;
}

inline std::string ToHex(const Bytes& Data) { return ToHex(Data.data(), Data.size()); }
