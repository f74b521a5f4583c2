#include "PortComboBox.h"

#include "PortNameCollection.h"

PortComboBox::PortComboBox(WindowsObject* Parent, int X, int Y, int Width, int Height, int Id)
    : ComboBox(Parent, X, Y, Width, Height, Id, 0, false), Ports(new PortNameCollection())
{
}

PortComboBox::~PortComboBox()
{
    delete Ports;
}

void PortComboBox::PrepareWindow()
{
    ComboBox::PrepareWindow();
    Ports->ForEach([](void* name, void* list) { static_cast<PortComboBox*>(list)->InsertString(static_cast<const char*>(name), -1); },
                   this);
}
