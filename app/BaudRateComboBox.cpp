#include "BaudRateComboBox.h"

#include "BaudRateTable.h"

#include <string>

BaudRateComboBox::BaudRateComboBox(WindowsObject* Parent, int X, int Y, int Width, int Height, int Id)
    : ComboBox(Parent, X, Y, Width, Height, Id, 0, false)
{
}

BaudRateComboBox::BaudRateComboBox(WindowsObject* Parent, int ResourceId) : ComboBox(Parent, ResourceId, 0) {}

void BaudRateComboBox::PrepareWindow()
{
    ComboBox::PrepareWindow();
    for (int index = 0; index < BaudRateTable::Count; ++index)
        InsertString(std::to_string(BaudRateTable::Rate(index)).c_str(), -1);
}
