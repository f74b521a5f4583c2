#include "RtuSlave.h"

#include "Crc16.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

constexpr uint8_t ReadHoldingRegisters = 3;
constexpr uint8_t ReadInputRegisters = 4;
constexpr uint8_t WriteSingleRegister = 6;
constexpr uint8_t ExceptionFlag = 0x80;

}  // namespace

RtuSlave::RtuSlave(int fd, SimState& state, std::function<std::optional<uint32_t>()> lineBaudRate)
    : Fd(fd), State(state), LineBaudRate(std::move(lineBaudRate)), Out(fd)
{
}

void RtuSlave::OnReadable(Clock::time_point now)
{
    uint8_t chunk[512];
    for (;;) {
        const ssize_t n = read(Fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        // Characters sent at another rate arrive as noise and break any frame under way.
        if (!HearsLine()) {
            Received.clear();
            continue;
        }
        Received.insert(Received.end(), chunk, chunk + n);
    }
    TakeRequests(now);
}

void RtuSlave::Discard()
{
    Received.clear();
    Out.Clear();
}

bool RtuSlave::HearsLine() const
{
    const std::optional<uint32_t> rate = LineBaudRate();
    return !rate || *rate == State.Registers.Active().BaudRate();
}

// Every request is 8 bytes with a CRC that checks to 0. Where the CRC does not check, the first
// byte cannot start a request: it is dropped and the search goes on one byte further, so a
// damaged or truncated request is ignored and the next one is still found.
void RtuSlave::TakeRequests(Clock::time_point now)
{
    size_t start = 0;
    while (Received.size() - start >= sizeof(RtuRequest)) {
        if (Crc16::Compute(Received.data() + start, sizeof(RtuRequest)) != 0) {
            ++start;
            continue;
        }
        RtuRequest request;
        std::memcpy(&request, Received.data() + start, sizeof request);
        start += sizeof request;
        Serve(request, now);
    }
    Received.erase(Received.begin(), Received.begin() + start);
}

void RtuSlave::Serve(const RtuRequest& request, Clock::time_point now)
{
    const SlaveSettings line = State.Registers.Active();
    if (request.Address != line.Address)
        return;
    State.Log.Record(request);
    const Fault fault = State.Faults.Next();
    if (fault.Type == Fault::Kind::NoReply)
        return;

    std::vector<uint8_t> reply = fault.Type == Fault::Kind::Exception
                                     ? ExceptionReply(request, static_cast<uint8_t>(fault.Argument))
                                     : Answer(request);
    Damage(reply, fault);

    const auto delay = fault.Type == Fault::Kind::Late ? std::chrono::milliseconds(fault.Argument)
                                                       : State.Timing.Delay;
    // The reply leaves at the rate the sensor ran with when the request came, even if the
    // request restarted it with other settings.
    const auto interval = State.Timing.Paced
                              ? std::chrono::duration_cast<Clock::duration>(
                                    std::chrono::duration<double>(double(line.BitsPerCharacter()) / line.BaudRate()))
                              : Clock::duration::zero();
    Out.Queue(std::move(reply), now + delay, interval);
}

std::vector<uint8_t> RtuSlave::Answer(const RtuRequest& request)
{
    switch (request.Function) {
    case ReadHoldingRegisters:
        return ReadReply(request, RegisterTable::Holding);
    case ReadInputRegisters:
        return ReadReply(request, RegisterTable::Input);
    case WriteSingleRegister:
        return WriteReply(request);
    default:
        return ExceptionReply(request, SensorRegisters::IllegalFunction);
    }
}

// Address, function, byte count, the values high byte first, CRC.
std::vector<uint8_t> RtuSlave::ReadReply(const RtuRequest& request, RegisterTable table)
{
    std::vector<uint16_t> values;
    const uint8_t code = State.Registers.Read(table, request.Register(), request.Argument(), values);
    if (code != 0)
        return ExceptionReply(request, code);
    std::vector<uint8_t> reply{request.Address, request.Function, static_cast<uint8_t>(values.size() * 2)};
    for (uint16_t value : values) {
        reply.push_back(static_cast<uint8_t>(value >> 8));
        reply.push_back(static_cast<uint8_t>(value));
    }
    AppendCrc(reply);
    return reply;
}

// A write is answered with the echo of its request.
std::vector<uint8_t> RtuSlave::WriteReply(const RtuRequest& request)
{
    const uint8_t code = State.Registers.Write(request.Register(), request.Argument());
    if (code != 0)
        return ExceptionReply(request, code);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&request);
    return std::vector<uint8_t>(bytes, bytes + sizeof request);
}

// Address, function with bit 7 set, exception code, CRC.
std::vector<uint8_t> RtuSlave::ExceptionReply(const RtuRequest& request, uint8_t code)
{
    std::vector<uint8_t> reply{request.Address, static_cast<uint8_t>(request.Function | ExceptionFlag), code};
    AppendCrc(reply);
    return reply;
}

void RtuSlave::AppendCrc(std::vector<uint8_t>& frame)
{
    const uint16_t crc = Crc16::Compute(frame.data(), frame.size());
    frame.push_back(static_cast<uint8_t>(crc));
    frame.push_back(static_cast<uint8_t>(crc >> 8));
}

void RtuSlave::Damage(std::vector<uint8_t>& reply, const Fault& fault)
{
    if (fault.Type == Fault::Kind::Corrupt)
        reply[reply.size() / 2] ^= 0xFF;  // any single damaged byte breaks the CRC
    else if (fault.Type == Fault::Kind::Surplus)
        reply.insert(reply.end(), fault.Argument, 0x00);
}
