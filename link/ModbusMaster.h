#pragma once

#include "BaseObject.h"
#include "SerialPort.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// The MODBUS RTU client: one request and one reply at a time over its own serial port, for
// functions 3 (Read Holding Registers), 4 (Read Input Registers) and 6 (Write Single Register).
// Failures come back as false; after one, GetLastException is the slave's exception code, or 0
// when no valid reply came. Nothing is retried. A reply is taken only when it answers the
// request: bytes left from earlier transactions are discarded before each request, and after a
// transaction that gave up on its reply, the next one waits for that reply to come or the line
// to fall silent before it sends.
class ModbusMaster : public BaseObject {
public:
    // A normal reply of 5 + 2 × Count bytes must fit the frame buffer; MODBUS's own limit.
    static constexpr std::uint16_t MaxReadCount = 125;
    static constexpr std::size_t FrameSize = 256;

    ModbusMaster();
    ~ModbusMaster() override;
    ModbusMaster(const ModbusMaster&) = delete;
    ModbusMaster& operator=(const ModbusMaster&) = delete;

    bool Open(const char* Path);
    void Close();
    // Line settings and time-outs for BaudRate (never 0); they take effect only on an open port.
    // Parity is a Win32 parity code.
    void SetLine(DWORD BaudRate, BYTE Parity);

    // Dest receives Count words (1 to MaxReadCount) only when a valid reply arrived.
    bool ReadHoldingRegisters(std::uint8_t Slave, std::uint16_t Address, std::uint16_t Count, std::uint16_t* Dest);
    bool ReadInputRegisters(std::uint8_t Slave, std::uint16_t Address, std::uint16_t Count, std::uint16_t* Dest);
    bool WriteSingleRegister(std::uint8_t Slave, std::uint16_t Address, std::uint16_t Value);
    int GetLastException() const { return LastException; }

    // CRC-16/MODBUS of Length bytes: reflected polynomial 0xA001, initial value 0xFFFF.
    static std::uint16_t Crc16(const std::uint8_t* Data, std::size_t Length);

private:
    bool ReadRegisters(std::uint8_t Function, std::uint8_t Slave, std::uint16_t Address, std::uint16_t Count,
                       std::uint16_t* Dest);
    void BuildRequest(std::uint8_t Slave, std::uint8_t Function, std::uint16_t Address, std::uint16_t Word);
    void ComputeCrc(std::uint16_t Length);
    void SendFrame(std::uint16_t Length);
    void AwaitLateReply();
    bool ReceiveFrame(std::uint16_t ExpectedLength);
    std::uint16_t ReceiveBytes(std::uint16_t Received, std::uint16_t Missing);
    std::uint16_t FrameWord(std::size_t Offset) const;
    bool RejectReply();
    static void DecodeRegisters(const std::uint8_t* Source, std::uint16_t* Dest, std::uint16_t Count);

    std::uint8_t Frame[FrameSize];  // the request while it is built and sent, then the reply
    std::unique_ptr<SerialPort> Port;
    int LastException;
    std::uint16_t Crc;  // of the most recent CRC computation
    bool ReplyMayFollow;  // the last transaction gave up on a reply that may still come
};
