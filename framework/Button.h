#pragma once

#include "Control.h"

// A push button. Its clicks reach the parent's HandleChildNotify with the button's id.
class Button : public Control {
public:
    Button(WindowsObject* parent, const char* title, int x, int y, int width, int height, int id);

    const char* WindowClassName() override;

protected:
    ~Button() override = default;
};
