#pragma once

#include "Edit.h"

// A right-aligned single-line edit, without text limit and without horizontal scrolling, in
// which the operator types a decimal number; read back as a single-precision value and shown
// as a real with two decimals (NumberText.h).
class NumberEdit : public Edit {
public:
    NumberEdit(WindowsObject* parent, const char* title, int x, int y, int width, int height, int id);

    // The value of the first 15 characters of the text; 0 for a text that is not a number.
    float GetValue();
    void SetValue(float value);

protected:
    ~NumberEdit() override = default;
};
