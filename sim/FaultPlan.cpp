#include "FaultPlan.h"

void FaultPlan::Set(const Fault& fault, std::optional<unsigned> count)
{
    Planned = fault;
    Remaining = count;
}

Fault FaultPlan::Next()
{
    if (!Remaining)
        return Planned;
    if (*Remaining == 0)
        return Fault{};
    --*Remaining;
    return Planned;
}
