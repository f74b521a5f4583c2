#pragma once

#include "ComboBox.h"

// A drop-down list that fills itself with the addresses "1" ... "247": position = address - 1 as soon as its window exists.
class AddressComboBox : public ComboBox {
public:
    // A new child control of Parent, without a text limit.
    AddressComboBox(WindowsObject* Parent, int X, int Y, int Width, int Height, int Id);
    // Bound to the item ResourceId of a dialog.
    AddressComboBox(WindowsObject* Parent, int ResourceId);

protected:
    void PrepareWindow() override;
};
