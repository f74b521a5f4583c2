#pragma once

#include "ComboBox.h"

// A drop-down list that fills itself with "None", "Odd", "Even", "Mark": position = parity code as soon as its window exists.
class ParityComboBox : public ComboBox {
public:
    // A new child control of Parent, without a text limit.
    ParityComboBox(WindowsObject* Parent, int X, int Y, int Width, int Height, int Id);
    // Bound to the item ResourceId of a dialog.
    ParityComboBox(WindowsObject* Parent, int ResourceId);

protected:
    void PrepareWindow() override;
};
