#pragma once

#include "BaseObject.h"

#include <string>

// An item that writes "<Id>;" into a log when it is destroyed, so that a test sees which items a
// collection destroyed, and in which order.
class TrackedItem : public BaseObject {
public:
    TrackedItem(int id, std::string& log) : Id(id), Log(log) {}
    ~TrackedItem() override { Log += std::to_string(Id) + ";"; }

    const int Id;

private:
    std::string& Log;
};
