#pragma once

#include "ComboBox.h"

// A drop-down list that fills itself with the rates of BaudRateTable: position = baud index as soon as its window exists.
class BaudRateComboBox : public ComboBox {
public:
    // A new child control of Parent, without a text limit.
    BaudRateComboBox(WindowsObject* Parent, int X, int Y, int Width, int Height, int Id);
    // Bound to the item ResourceId of a dialog.
    BaudRateComboBox(WindowsObject* Parent, int ResourceId);

protected:
    void PrepareWindow() override;
};
