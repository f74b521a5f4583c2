#pragma once

#include <chrono>

// How the sensor answers in time: a pause between a request and its reply, and whether the
// reply bytes leave at the pace of the line's baud rate or all at once.
struct ReplyTiming {
    std::chrono::milliseconds Delay{0};
    bool Paced = false;
};
