#include "ParityComboBox.h"

ParityComboBox::ParityComboBox(WindowsObject* Parent, int X, int Y, int Width, int Height, int Id)
    : ComboBox(Parent, X, Y, Width, Height, Id, 0, false)
{
}

ParityComboBox::ParityComboBox(WindowsObject* Parent, int ResourceId) : ComboBox(Parent, ResourceId, 0) {}

void ParityComboBox::PrepareWindow()
{
    ComboBox::PrepareWindow();
    // The positions are the Win32 parity codes; space parity is not offered.
    static const char* const names[] = {"None", "Odd", "Even", "Mark"};
    for (const char* name : names)
        InsertString(name, -1);
}
