#include "AddressComboBox.h"

#include <string>

AddressComboBox::AddressComboBox(WindowsObject* Parent, int X, int Y, int Width, int Height, int Id)
    : ComboBox(Parent, X, Y, Width, Height, Id, 0, false)
{
}

AddressComboBox::AddressComboBox(WindowsObject* Parent, int ResourceId) : ComboBox(Parent, ResourceId, 0) {}

void AddressComboBox::PrepareWindow()
{
    ComboBox::PrepareWindow();
    // Inserted by position: even a sorted list keeps the numeric order.
    for (int address = 1; address <= 247; ++address)
        InsertString(std::to_string(address).c_str(), -1);
}
