#include "ControlCommands.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <optional>
#include <sstream>

namespace {

const std::string Ok = "ok";

std::string Error(const std::string& reason)
{
    return "err " + reason;
}

std::vector<std::string> Split(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// A whole word as a decimal number within [min, max].
std::optional<long> Number(const std::string& word, long min, long max)
{
    long value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value < min || value > max)
        return std::nullopt;
    return value;
}

std::optional<RegisterTable> Table(const std::string& word)
{
    if (word == "input")
        return RegisterTable::Input;
    if (word == "holding")
        return RegisterTable::Holding;
    return std::nullopt;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

struct FaultName {
    const char* Name;
    Fault::Kind Kind;
    bool TakesArgument;
    long MaxArgument;
};

constexpr FaultName FaultNames[] = {
    {"none", Fault::Kind::None, false, 0},
    {"noreply", Fault::Kind::NoReply, false, 0},
    {"corrupt", Fault::Kind::Corrupt, false, 0},
    {"exception", Fault::Kind::Exception, true, 255},
    {"late", Fault::Kind::Late, true, 600000},
    {"surplus", Fault::Kind::Surplus, true, 4096},
};

}  // namespace

ControlCommands::ControlCommands(SimState& state, std::function<void()> flushLine)
    : State(state),
      FlushLine(std::move(flushLine)),
      Handlers{
          {"get", &ControlCommands::Get},
          {"set", &ControlCommands::Set},
          {"ident", &ControlCommands::Ident},
          {"identhex", &ControlCommands::IdentHex},
          {"fault", &ControlCommands::SetFault},
          {"delay", &ControlCommands::Delay},
          {"pace", &ControlCommands::Pace},
          {"requests", &ControlCommands::Requests},
          {"writes", &ControlCommands::Writes},
          {"restarts", &ControlCommands::Restarts},
          {"clear", &ControlCommands::Clear},
          {"flush", &ControlCommands::Flush},
          {"quit", &ControlCommands::Quit},
      }
{
}

std::string ControlCommands::Execute(const std::string& line)
{
    const Words words = Split(line);
    if (words.empty())
        return Error("empty command");
    const auto handler = Handlers.find(words[0]);
    if (handler == Handlers.end())
        return Error("unknown command " + words[0]);
    return (this->*handler->second)(words, line);
}

std::string ControlCommands::Get(const Words& words, const std::string&)
{
    const auto table = words.size() == 3 ? Table(words[1]) : std::nullopt;
    const auto reg = words.size() == 3 ? Number(words[2], 0, 0xFFFF) : std::nullopt;
    if (!table || !reg)
        return Error("usage: get input|holding REG");
    uint16_t value = 0;
    if (!State.Registers.Get(*table, static_cast<uint16_t>(*reg), value))
        return Error("no such register");
    return Ok + " " + std::to_string(value);
}

std::string ControlCommands::Set(const Words& words, const std::string&)
{
    const auto table = words.size() == 4 ? Table(words[1]) : std::nullopt;
    const auto reg = words.size() == 4 ? Number(words[2], 0, 0xFFFF) : std::nullopt;
    const auto value = words.size() == 4 ? Number(words[3], -32768, 0xFFFF) : std::nullopt;
    if (!table || !reg || !value)
        return Error("usage: set input|holding REG VALUE");
    if (!State.Registers.Set(*table, static_cast<uint16_t>(*reg), static_cast<uint16_t>(*value)))
        return Error("no such register");
    return Ok;
}

// The text is everything after the first space, so it may hold spaces itself.
std::string ControlCommands::Ident(const Words&, const std::string& line)
{
    const size_t space = line.find(' ');
    const std::string text = space == std::string::npos ? std::string() : line.substr(space + 1);
    if (text.empty() || text.size() > 8)
        return Error("usage: ident TEXT (1 to 8 bytes)");
    std::array<uint8_t, 8> bytes{};
    std::copy(text.begin(), text.end(), bytes.begin());
    State.Registers.SetIdent(bytes);
    return Ok;
}

std::string ControlCommands::IdentHex(const Words& words, const std::string&)
{
    const std::string usage = "usage: identhex HEX (16 hex digits)";
    std::array<uint8_t, 8> bytes{};
    if (words.size() != 2 || words[1].size() != 2 * bytes.size())
        return Error(usage);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const int high = HexDigit(words[1][2 * i]);
        const int low = HexDigit(words[1][2 * i + 1]);
        if (high < 0 || low < 0)
            return Error(usage);
        bytes[i] = static_cast<uint8_t>(high << 4 | low);
    }
    State.Registers.SetIdent(bytes);
    return Ok;
}

std::string ControlCommands::SetFault(const Words& words, const std::string&)
{
    const std::string usage = "usage: fault none|noreply|corrupt|exception CODE|late MS|surplus N [count K]";
    const FaultName* name = nullptr;
    for (const FaultName& candidate : FaultNames) {
        if (words.size() >= 2 && words[1] == candidate.Name)
            name = &candidate;
    }
    if (!name)
        return Error(usage);
    size_t next = 2;
    Fault fault{name->Kind, 0};
    if (name->TakesArgument) {
        const auto argument = words.size() > next ? Number(words[next], 0, name->MaxArgument) : std::nullopt;
        if (!argument)
            return Error(usage);
        fault.Argument = static_cast<unsigned>(*argument);
        ++next;
    }
    std::optional<unsigned> count;
    if (words.size() == next + 2 && words[next] == "count") {
        const auto k = Number(words[next + 1], 0, 1000000);
        if (!k)
            return Error(usage);
        count = static_cast<unsigned>(*k);
        next += 2;
    }
    if (words.size() != next)
        return Error(usage);
    State.Faults.Set(fault, count);
    return Ok;
}

std::string ControlCommands::Delay(const Words& words, const std::string&)
{
    const auto ms = words.size() == 2 ? Number(words[1], 0, 600000) : std::nullopt;
    if (!ms)
        return Error("usage: delay MS");
    State.Timing.Delay = std::chrono::milliseconds(*ms);
    return Ok;
}

std::string ControlCommands::Pace(const Words& words, const std::string&)
{
    if (words.size() != 2 || (words[1] != "on" && words[1] != "off"))
        return Error("usage: pace on|off");
    State.Timing.Paced = words[1] == "on";
    return Ok;
}

std::string ControlCommands::Requests(const Words& words, const std::string&)
{
    const auto function = words.size() >= 2 ? Number(words[1], 0, 255) : std::nullopt;
    const auto reg = words.size() >= 3 ? Number(words[2], 0, 0xFFFF) : std::nullopt;
    if (words.size() > 3 || (words.size() >= 2 && !function) || (words.size() == 3 && !reg))
        return Error("usage: requests [FUNC [REG]]");
    size_t count = State.Log.Count();
    if (reg)
        count = State.Log.Count(static_cast<uint8_t>(*function), static_cast<uint16_t>(*reg));
    else if (function)
        count = State.Log.Count(static_cast<uint8_t>(*function));
    return Ok + " " + std::to_string(count);
}

std::string ControlCommands::Writes(const Words& words, const std::string&)
{
    if (words.size() != 1)
        return Error("usage: writes");
    std::string reply = Ok;
    for (const auto& [reg, value] : State.Log.Writes())
        reply += " " + std::to_string(reg) + "=" + std::to_string(value);
    return reply;
}

std::string ControlCommands::Restarts(const Words& words, const std::string&)
{
    if (words.size() != 1)
        return Error("usage: restarts");
    return Ok + " " + std::to_string(State.Registers.Restarts());
}

std::string ControlCommands::Clear(const Words& words, const std::string&)
{
    if (words.size() != 1)
        return Error("usage: clear");
    State.Log.Clear();
    State.Registers.ClearRestarts();
    return Ok;
}

std::string ControlCommands::Flush(const Words& words, const std::string&)
{
    if (words.size() != 1)
        return Error("usage: flush");
    FlushLine();
    return Ok;
}

std::string ControlCommands::Quit(const Words& words, const std::string&)
{
    if (words.size() != 1)
        return Error("usage: quit");
    State.QuitRequested = true;
    return Ok;
}
