#pragma once

#include "Control.h"

// A framed group title ("Button" class, BS_GROUPBOX).
class GroupBox : public Control {
public:
    GroupBox(WindowsObject* parent, const char* title, int x, int y, int width, int height, int id);

    const char* WindowClassName() override;

protected:
    ~GroupBox() override = default;
};
