#pragma once

#include "HexBytes.h"

#include <termios.h>

#include <chrono>
#include <string>
#include <thread>

// The far end of a pseudo-terminal whose near end a SerialPort opens as "\\.\pts/N": it sees
// the bytes that the port sends, sends bytes to it, shows its line settings and can answer one
// request on a thread of its own while the port's owner waits for the reply.
class PtyPeer {
public:
    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    // "pts/N", and the device path "\\.\pts/N" that a SerialPort opens.
    std::string PortName() const { return Name; }
    std::string DevicePath() const { return "\\\\.\\" + Name; }

    // True when all of Data went out.
    bool Send(const Bytes& Data);
    // What arrived within Timeout, at most Count bytes.
    Bytes Receive(std::size_t Count, std::chrono::milliseconds Timeout);
    termios LineSettings() const;
    void SetLineSettings(const termios& Line);

    // On its own thread: waits for a request of RequestLength bytes, then, after Delay, sends Reply.
    void AnswerNext(const Bytes& Reply, std::chrono::milliseconds Delay = std::chrono::milliseconds(0),
                    std::size_t RequestLength = 8);
    // The request that the last AnswerNext received (waits for its thread).
    Bytes Request();

private:
    int Master;
    std::string Name;
    std::thread Answerer;
    Bytes LastRequest;
};
