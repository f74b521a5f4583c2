#include "RequestLog.h"

#include <algorithm>

namespace {
constexpr uint8_t WriteSingleRegister = 6;
}

void RequestLog::Record(const RtuRequest& request)
{
    Requests.push_back(request);
}

void RequestLog::Clear()
{
    Requests.clear();
}

size_t RequestLog::Count(uint8_t function) const
{
    return std::count_if(Requests.begin(), Requests.end(),
                         [&](const RtuRequest& r) { return r.Function == function; });
}

size_t RequestLog::Count(uint8_t function, uint16_t reg) const
{
    return std::count_if(Requests.begin(), Requests.end(),
                         [&](const RtuRequest& r) { return r.Function == function && r.Register() == reg; });
}

std::vector<RequestLog::Write> RequestLog::Writes() const
{
    std::vector<Write> writes;
    for (const RtuRequest& r : Requests) {
        if (r.Function == WriteSingleRegister)
            writes.emplace_back(r.Register(), r.Argument());
    }
    return writes;
}
