#include "SimOptions.h"

#include <algorithm>
#include <charconv>
#include <optional>

const char* const SimOptions::Usage =
    "usage: zef-sim [--address N=1] [--baud B=19200] [--parity none|odd|even|mark (even)]\n"
    "               [--link PATH] [--control-port N=0] [--pace] [--delay MS=0] [--ident TEXT=ZEF]\n";

namespace {

constexpr const char* ParityNames[SlaveSettings::ParityCount] = {"none", "odd", "even", "mark"};

std::optional<unsigned long> Number(const std::string& text, unsigned long min, unsigned long max)
{
    unsigned long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < min || value > max)
        return std::nullopt;
    return value;
}

}  // namespace

bool SimOptions::Parse(int argc, const char* const* argv, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--pace") {
            Paced = true;
            continue;
        }
        if (i + 1 >= argc) {
            error = "unknown option or missing value: " + option;
            return false;
        }
        const std::string value = argv[++i];
        bool valid = true;
        if (option == "--address") {
            const auto address = Number(value, 1, SlaveSettings::MaxAddress);
            valid = address.has_value();
            Settings.Address = static_cast<uint8_t>(address.value_or(0));
        } else if (option == "--baud") {
            const auto rate = Number(value, 1, UINT32_MAX);
            valid = rate && SlaveSettings::BaudIndexOf(static_cast<uint32_t>(*rate), Settings.BaudIndex);
        } else if (option == "--parity") {
            const auto name = std::find(std::begin(ParityNames), std::end(ParityNames), value);
            valid = name != std::end(ParityNames);
            Settings.ParityIndex = static_cast<uint8_t>(name - std::begin(ParityNames));
        } else if (option == "--link") {
            LinkPath = value;
        } else if (option == "--control-port") {
            const auto port = Number(value, 0, 65535);
            valid = port.has_value();
            ControlPort = static_cast<uint16_t>(port.value_or(0));
        } else if (option == "--delay") {
            const auto ms = Number(value, 0, 600000);
            valid = ms.has_value();
            Delay = std::chrono::milliseconds(ms.value_or(0));
        } else if (option == "--ident") {
            valid = !value.empty() && value.size() <= Ident.size();
            Ident.fill(0);
            std::copy_n(value.begin(), std::min(value.size(), Ident.size()), Ident.begin());
        } else {
            error = "unknown option: " + option;
            return false;
        }
        if (!valid) {
            error = "bad value for " + option + ": " + value;
            return false;
        }
    }
    return true;
}
