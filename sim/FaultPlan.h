#pragma once

#include "Fault.h"

#include <optional>

// Which fault hits the coming requests: one fault for the next `count` requests, or for every
// request until another plan is set.
class FaultPlan {
public:
    void Set(const Fault& fault, std::optional<unsigned> count);
    // The fault for the request that has just arrived; uses up one of a counted plan.
    Fault Next();

private:
    Fault Planned;
    std::optional<unsigned> Remaining;
};
