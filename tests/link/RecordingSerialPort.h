#pragma once

#include "HexBytes.h"

#include <string>
#include <vector>

// A SerialPort that records what its owner asks of it and hands out scripted bytes, for what a
// real line cannot show: time-outs, purges and the sizes of the reads. It replaces the
// platform's SerialPort at link time.
struct PortRecord {
    // "SetState flags baud bytesize parity stopbits", "SetTimeouts interval multiplier constant
    // writemultiplier writeconstant", "Purge flags", "Write hex bytes", "Read asked -> got".
    std::vector<std::string> Calls;
    Bytes Incoming;            // what the reads hand out, in order
    Bytes Reply;               // joins Incoming when the next request is written
    std::size_t ChunkSize = 0;  // at most this many bytes per read; 0: as many as asked
};

// The one record, shared by every SerialPort of the test program; cleared by each test.
PortRecord& RecordedPort();
