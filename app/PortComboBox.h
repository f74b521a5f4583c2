#pragma once

#include "ComboBox.h"

class PortNameCollection;

// The serial ports of the machine, read once when the object is built, listed shortest name
// first (COM2 before COM10). The selected item's text is the port name.
class PortComboBox : public ComboBox {
public:
    PortComboBox(WindowsObject* Parent, int X, int Y, int Width, int Height, int Id);

protected:
    ~PortComboBox() override;
    void PrepareWindow() override;

private:
    PortNameCollection* Ports;  // owned, with the names it holds
};
