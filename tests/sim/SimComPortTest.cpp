// The simulated sensor reached as the tool reaches a sensor: through a COM port of the Wine
// prefix, with the Win32 communications functions. The CTest fixture has started zef-sim and
// named the port (ZEF_SIM_COM) and the file with its control address (ZEF_SIM_CONTROL_FILE).
#include "SimClient.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class SimComPort : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* com = std::getenv("ZEF_SIM_COM");
        const char* control = std::getenv("ZEF_SIM_CONTROL_FILE");
        ASSERT_TRUE(com && control) << "run through CTest, which sets ZEF_SIM_COM and ZEF_SIM_CONTROL_FILE";
        Com = com;
        ASSERT_TRUE(Control.ConnectControlFile(control)) << control;
        ASSERT_TRUE(Control.Clear() && Control.Fault("none")) << Control.LastReply();
        Port = CreateFileA(("\\\\.\\" + Com).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, Port) << "CreateFileA " << Com << " failed, error " << GetLastError();
    }

    void TearDown() override
    {
        if (Port != INVALID_HANDLE_VALUE)
            CloseHandle(Port);
    }

    // 8 data bits, the parity, one stop bit, and the tool's read time-outs for the rate.
    // SetCommState's result is not checked, as the tool does not check it: on a pty Wine sets
    // the rate first and then fails (error 87) whenever the parity bit was the only change
    // left, because the pty driver refuses parity and the kernel reports a request in which
    // nothing could be changed as invalid.
    void SetLine(DWORD baudRate, BYTE parity)
    {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        GetCommState(Port, &dcb);
        dcb.BaudRate = baudRate;
        dcb.fBinary = TRUE;
        dcb.fParity = FALSE;
        dcb.fOutxCtsFlow = dcb.fOutxDsrFlow = dcb.fOutX = dcb.fInX = FALSE;
        dcb.fDtrControl = DTR_CONTROL_DISABLE;
        dcb.fRtsControl = RTS_CONTROL_DISABLE;
        dcb.ByteSize = 8;
        dcb.Parity = parity;
        dcb.StopBits = ONESTOPBIT;
        SetCommState(Port, &dcb);
        COMMTIMEOUTS timeouts{0, 11000 / baudRate + 1, 300000 / baudRate + 100, 0, 100};
        EXPECT_TRUE(SetCommTimeouts(Port, &timeouts)) << "SetCommTimeouts error " << GetLastError();
    }

    // Writes the request and reads until `count` bytes came or a read returned nothing; the
    // bytes as hex text.
    std::string Transact(const std::string& request, DWORD count)
    {
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(Port, request.data(), DWORD(request.size()), &written, nullptr));
        EXPECT_EQ(request.size(), written);
        std::string reply;
        char buffer[64];
        for (DWORD n = 0; reply.size() < count; reply.append(buffer, n)) {
            if (!ReadFile(Port, buffer, DWORD(count - reply.size()), &n, nullptr) || n == 0)
                break;
        }
        std::string hex;
        for (unsigned char byte : reply) {
            char digits[4];
            std::snprintf(digits, sizeof digits, hex.empty() ? "%02X" : " %02X", byte);
            hex += digits;
        }
        return hex;
    }

    std::string Com;
    SimClient Control;
    HANDLE Port = INVALID_HANDLE_VALUE;
};

const std::string ReadIdentification("\x01\x04\x00\x00\x00\x04\xF1\xC9", 8);

TEST_F(SimComPort, AnswersAtTheToolsDefaultLine)
{
    SetLine(19200, EVENPARITY);
    EXPECT_EQ("01 04 08 5A 45 46 00 00 00 00 00 BB 2C", Transact(ReadIdentification, 13));
    EXPECT_EQ(1u, Control.Requests(4, 0)) << "requests seen by the sensor";
}

// The rate set with SetCommState reaches the pty, so the sensor hears only its own rate.
TEST_F(SimComPort, HearsOnlyItsOwnBaudRate)
{
    SetLine(9600, EVENPARITY);
    EXPECT_EQ("", Transact(ReadIdentification, 13)) << "at 9600 Bd";
    EXPECT_EQ(0u, Control.Requests());
    SetLine(19200, NOPARITY);
    EXPECT_EQ("01 04 08 5A 45 46 00 00 00 00 00 BB 2C", Transact(ReadIdentification, 13)) << "at 19200 Bd";
}

// The tool lists the ports named in this key.
TEST_F(SimComPort, IsListedAmongTheSerialPorts)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key));
    bool listed = false;
    char name[256];
    char data[256];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name;
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataSize)
            != ERROR_SUCCESS)
            break;
        listed = listed || (type == REG_SZ && Com == data);
    }
    RegCloseKey(key);
    EXPECT_TRUE(listed) << Com << " not in HKLM\\HARDWARE\\DEVICEMAP\\SERIALCOMM";
}

}  // namespace
