#pragma once

#include "RtuRequest.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// What the sensor received: every request addressed to it (whatever became of it) and, in
// order, every register write (function 6) among them, accepted or refused.
class RequestLog {
public:
    using Write = std::pair<uint16_t, uint16_t>;  // register, value

    void Record(const RtuRequest& request);
    void Clear();

    size_t Count() const { return Requests.size(); }
    size_t Count(uint8_t function) const;
    size_t Count(uint8_t function, uint16_t reg) const;
    std::vector<Write> Writes() const;

private:
    std::vector<RtuRequest> Requests;
};
