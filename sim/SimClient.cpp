#include "SimClient.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string TableName(RegisterTable table)
{
    return table == RegisterTable::Input ? "input" : "holding";
}

// The text after "ok ", or nothing when the reply is not an "ok" with a value.
bool OkValue(const std::string& reply, std::string& value)
{
    if (reply.compare(0, 3, "ok ") != 0)
        return false;
    value = reply.substr(3);
    return true;
}

}  // namespace

bool SimClient::Connect(const std::string& hostPort)
{
    const size_t colon = hostPort.rfind(':');
    if (colon == std::string::npos)
        return false;
    const long port = std::strtol(hostPort.c_str() + colon + 1, nullptr, 10);
    Received.clear();
    return port > 0 && port < 65536 && Socket.Connect(hostPort.substr(0, colon), static_cast<uint16_t>(port));
}

bool SimClient::ConnectControlFile(const std::string& path)
{
    std::ifstream file(path);
    std::string hostPort;
    return std::getline(file, hostPort) && Connect(hostPort);
}

std::string SimClient::Command(const std::string& line)
{
    Reply.clear();
    if (!Socket.Send(line + "\n"))
        return Reply;
    size_t end;
    while ((end = Received.find('\n')) == std::string::npos) {
        if (!Socket.Receive(Received))
            return Reply;
    }
    Reply = Received.substr(0, end);
    Received.erase(0, end + 1);
    return Reply;
}

uint16_t SimClient::Get(RegisterTable table, uint16_t reg)
{
    std::string value;
    if (!OkValue(Command("get " + TableName(table) + " " + std::to_string(reg)), value))
        return 0;
    return static_cast<uint16_t>(std::strtoul(value.c_str(), nullptr, 10));
}

bool SimClient::Set(RegisterTable table, uint16_t reg, int value)
{
    return Ok("set " + TableName(table) + " " + std::to_string(reg) + " " + std::to_string(value));
}

bool SimClient::Ident(const std::string& text)
{
    return Ok("ident " + text);
}

bool SimClient::Fault(const std::string& fault)
{
    return Ok("fault " + fault);
}

bool SimClient::Delay(unsigned ms)
{
    return Ok("delay " + std::to_string(ms));
}

bool SimClient::Pace(bool on)
{
    return Ok(on ? "pace on" : "pace off");
}

unsigned SimClient::Requests()
{
    return Count("requests");
}

unsigned SimClient::Requests(uint8_t function)
{
    return Count("requests " + std::to_string(function));
}

unsigned SimClient::Requests(uint8_t function, uint16_t reg)
{
    return Count("requests " + std::to_string(function) + " " + std::to_string(reg));
}

std::vector<std::pair<uint16_t, uint16_t>> SimClient::Writes()
{
    std::vector<std::pair<uint16_t, uint16_t>> writes;
    const std::string reply = Command("writes");
    if (reply.compare(0, 2, "ok") != 0)
        return writes;
    std::istringstream words(reply.substr(2));
    for (std::string word; words >> word;) {
        const size_t equals = word.find('=');
        writes.emplace_back(static_cast<uint16_t>(std::strtoul(word.c_str(), nullptr, 10)),
                            static_cast<uint16_t>(std::strtoul(word.c_str() + equals + 1, nullptr, 10)));
    }
    return writes;
}

unsigned SimClient::Restarts()
{
    return Count("restarts");
}

bool SimClient::Clear()
{
    return Ok("clear");
}

bool SimClient::Flush()
{
    return Ok("flush");
}

bool SimClient::Quit()
{
    return Ok("quit");
}

bool SimClient::Ok(const std::string& line)
{
    return Command(line) == "ok";
}

unsigned SimClient::Count(const std::string& line)
{
    std::string value;
    if (!OkValue(Command(line), value))
        return 0;
    return static_cast<unsigned>(std::strtoul(value.c_str(), nullptr, 10));
}
