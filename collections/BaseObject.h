#pragma once

// The root of every object type of the system. Its only operation is the virtual destructor,
// so that an owner can destroy whatever it holds through a BaseObject pointer and the most
// derived destructor runs before the memory is released.
class BaseObject {
public:
    virtual ~BaseObject() = default;
};
