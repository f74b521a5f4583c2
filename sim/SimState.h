#pragma once

#include "FaultPlan.h"
#include "ReplyTiming.h"
#include "RequestLog.h"
#include "SensorRegisters.h"

// Everything the serial side and the control side of the simulator share.
struct SimState {
    explicit SimState(const SlaveSettings& settings) : Registers(settings) {}

    SensorRegisters Registers;
    RequestLog Log;
    FaultPlan Faults;
    ReplyTiming Timing;
    bool QuitRequested = false;
};
