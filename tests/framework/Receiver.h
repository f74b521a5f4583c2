#pragma once

#include "Recording.h"

#include <vector>

// A window object without a window that notes the records it receives and can store a result.
class Receiver : public RecordingWindow {
public:
    Receiver() : RecordingWindow(nullptr, "receiver")
    {
        Intercept = [this](MessageRecord& record) {
            Seen.push_back(record);
            if (Answer)
                record.Result = *Answer;
            return true;
        };
    }
    std::vector<MessageRecord> Seen;
    const LRESULT* Answer = nullptr;
};
