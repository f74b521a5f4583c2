#include "ModbusMaster.h"

namespace {

constexpr std::uint8_t ReadHoldingFunction = 3;
constexpr std::uint8_t ReadInputFunction = 4;
constexpr std::uint8_t WriteSingleFunction = 6;
constexpr std::uint8_t ExceptionBit = 0x80;  // set in the function code of an exception reply

// Every frame ends in its CRC, low byte first.
constexpr std::uint16_t CrcLength = 2;

// A request of functions 3, 4 and 6; the normal reply of function 6 echoes it.
namespace Request {
constexpr std::size_t Slave = 0;      // slave address
constexpr std::size_t Function = 1;   // function code
constexpr std::size_t Address = 2;    // register address, high byte first
constexpr std::size_t Word = 4;       // number of registers (3, 4) or value (6), high byte first
constexpr std::uint16_t Length = 6;   // without the CRC
}  // namespace Request

// A reply, normal or exception.
namespace Reply {
constexpr std::size_t Function = 1;        // the request's function code; bit 7 set for an exception
constexpr std::size_t ByteCount = 2;       // normal reply to 3 and 4: two bytes per register
constexpr std::size_t ExceptionCode = 2;   // exception reply
constexpr std::size_t Data = 3;            // normal reply to 3 and 4: the registers, high byte first
constexpr std::uint16_t HeaderLength = 5;  // the first bytes of every reply; a whole exception reply
}  // namespace Reply

constexpr std::uint16_t WriteReplyLength = Request::Length + CrcLength;
constexpr std::uint16_t ReadReplyLength(std::uint16_t Count) { return Reply::Data + 2 * Count + CrcLength; }

static_assert(Request::Word + 2 == Request::Length, "a request is six bytes before its CRC");
static_assert(Request::Length + CrcLength == 8, "a request is eight bytes on the wire");
static_assert(Reply::ExceptionCode + 1 + CrcLength == Reply::HeaderLength, "an exception reply is five bytes");

// A character on the line is 11 bits (start, 8 data, parity or stop, stop).
constexpr DWORD BitsPerCharacterTimesMs = 11000;
// Slack for the slave's turnaround: 300 bit times plus 100 ms.
constexpr DWORD TurnaroundBitsTimesMs = 300000;
constexpr DWORD TurnaroundMs = 100;
constexpr DWORD WriteTimeoutMs = 100;
constexpr BYTE DataBits = 8;

}  // namespace

static_assert(ReadReplyLength(ModbusMaster::MaxReadCount) <= ModbusMaster::FrameSize, "the longest reply fits the frame");

ModbusMaster::ModbusMaster()
    : Frame{}, Port(std::make_unique<SerialPort>()), LastException(0), Crc(0), ReplyMayFollow(false) {}

ModbusMaster::~ModbusMaster() = default;

bool ModbusMaster::Open(const char* Path) { return Port->Open(Path); }

void ModbusMaster::Close() { Port->Close(); }

void ModbusMaster::SetLine(DWORD BaudRate, BYTE Parity) {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = 0;
    timeouts.ReadTotalTimeoutMultiplier = BitsPerCharacterTimesMs / BaudRate + 1;
    timeouts.ReadTotalTimeoutConstant = TurnaroundBitsTimesMs / BaudRate + TurnaroundMs;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = WriteTimeoutMs;
    // Binary mode only: no parity check on receive, no flow control, DTR and RTS off.
    Port->SetState(DcbFlag::Binary, BaudRate, DataBits, Parity, ONESTOPBIT);
    Port->SetTimeouts(timeouts);
}

bool ModbusMaster::ReadHoldingRegisters(std::uint8_t Slave, std::uint16_t Address, std::uint16_t Count,
                                        std::uint16_t* Dest) {
    return ReadRegisters(ReadHoldingFunction, Slave, Address, Count, Dest);
}

bool ModbusMaster::ReadInputRegisters(std::uint8_t Slave, std::uint16_t Address, std::uint16_t Count,
                                      std::uint16_t* Dest) {
    return ReadRegisters(ReadInputFunction, Slave, Address, Count, Dest);
}

bool ModbusMaster::WriteSingleRegister(std::uint8_t Slave, std::uint16_t Address, std::uint16_t Value) {
    BuildRequest(Slave, WriteSingleFunction, Address, Value);
    SendFrame(Request::Length);
    if (!ReceiveFrame(WriteReplyLength))
        return false;
    // The echo of another request (a stale reply) is as useless as a damaged one.
    if (Frame[Request::Function] != WriteSingleFunction || FrameWord(Request::Address) != Address)
        return RejectReply();
    return true;
}

std::uint16_t ModbusMaster::Crc16(const std::uint8_t* Data, std::size_t Length) {
    std::uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < Length; ++i) {
        crc ^= Data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

bool ModbusMaster::ReadRegisters(std::uint8_t Function, std::uint8_t Slave, std::uint16_t Address,
                                 std::uint16_t Count, std::uint16_t* Dest) {
    // A count the reply could not carry is refused before anything is sent.
    if (Count == 0 || Count > MaxReadCount) {
        LastException = 0;
        return false;
    }
    BuildRequest(Slave, Function, Address, Count);
    SendFrame(Request::Length);
    if (!ReceiveFrame(ReadReplyLength(Count)))
        return false;
    // A reply to another request (a stale one) is as useless as a damaged one.
    if (Frame[Reply::Function] != Function || Frame[Reply::ByteCount] != 2 * Count)
        return RejectReply();
    DecodeRegisters(Frame + Reply::Data, Dest, Count);
    return true;
}

void ModbusMaster::BuildRequest(std::uint8_t Slave, std::uint8_t Function, std::uint16_t Address,
                                std::uint16_t Word) {
    Frame[Request::Slave] = Slave;
    Frame[Request::Function] = Function;
    Frame[Request::Address] = static_cast<std::uint8_t>(Address >> 8);
    Frame[Request::Address + 1] = static_cast<std::uint8_t>(Address);
    Frame[Request::Word] = static_cast<std::uint8_t>(Word >> 8);
    Frame[Request::Word + 1] = static_cast<std::uint8_t>(Word);
}

void ModbusMaster::ComputeCrc(std::uint16_t Length) { Crc = Crc16(Frame, Length); }

void ModbusMaster::SendFrame(std::uint16_t Length) {
    ComputeCrc(Length);
    Frame[Length] = static_cast<std::uint8_t>(Crc);
    Frame[Length + 1] = static_cast<std::uint8_t>(Crc >> 8);
    // Whatever arrived since the last transaction (a late reply, surplus bytes) must not be
    // taken for the start of this reply.
    AwaitLateReply();
    Port->Purge(PURGE_RXCLEAR);
    Port->Write(Frame, Length + CrcLength);
}

// A reply that the last transaction gave up on may still be on its way; arriving during this
// transaction it could pass for this reply. So it is waited for, until the line has been silent
// for one read time-out, and discarded. A line that never falls silent is given up on after as
// many bytes as two frames hold.
void ModbusMaster::AwaitLateReply() {
    if (!ReplyMayFollow)
        return;
    ReplyMayFollow = false;
    std::uint8_t discarded;
    for (std::size_t n = 0; n < 2 * FrameSize && Port->Read(&discarded, 1) != 0; ++n) {
    }
}

bool ModbusMaster::ReceiveFrame(std::uint16_t ExpectedLength) {
    std::uint16_t received = ReceiveBytes(0, Reply::HeaderLength);
    const bool header = received == Reply::HeaderLength;
    const bool exception = header && (Frame[Reply::Function] & ExceptionBit) != 0;
    if (header && !exception)
        received = ReceiveBytes(received, ExpectedLength - Reply::HeaderLength);
    if (received < (exception ? Reply::HeaderLength : ExpectedLength)) {
        LastException = 0;
        ReplyMayFollow = true;
        return false;
    }
    // Over the whole frame, its CRC included, a correct CRC gives 0.
    ComputeCrc(received);
    if (Crc != 0)
        return RejectReply();
    if (exception) {
        LastException = Frame[Reply::ExceptionCode];
        return false;
    }
    return true;
}

// Reads until Missing more bytes stand behind the Received ones, or a read brings nothing.
std::uint16_t ModbusMaster::ReceiveBytes(std::uint16_t Received, std::uint16_t Missing) {
    while (Missing > 0) {
        const DWORD count = Port->Read(Frame + Received, Missing);
        if (count == 0)
            break;
        Received += static_cast<std::uint16_t>(count);
        Missing -= static_cast<std::uint16_t>(count);
    }
    return Received;
}

std::uint16_t ModbusMaster::FrameWord(std::size_t Offset) const {
    return static_cast<std::uint16_t>(Frame[Offset] << 8 | Frame[Offset + 1]);
}

// A damaged or foreign reply: whatever else is on its way is discarded with it.
bool ModbusMaster::RejectReply() {
    Port->Purge(PURGE_TXCLEAR | PURGE_RXCLEAR);
    LastException = 0;
    return false;
}

void ModbusMaster::DecodeRegisters(const std::uint8_t* Source, std::uint16_t* Dest, std::uint16_t Count) {
    for (std::uint16_t i = 0; i < Count; ++i)
        Dest[i] = static_cast<std::uint16_t>(Source[2 * i] << 8 | Source[2 * i + 1]);
}
