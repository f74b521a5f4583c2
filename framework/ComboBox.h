#pragma once

#include "ListBox.h"

// A combo box: a drop-down list (CBS_DROPDOWNLIST) or, editable, a drop-down with a text field
// (CBS_DROPDOWN, CBS_AUTOHSCROLL); sorted, with a sunken edge. It has every list operation of
// the list box through its own message table, and limits its text to TextLength - 1 characters
// when TextLength is not 0.
//
// Data exchange record: Strings, a pointer to a Collection of zero-terminated strings; then the
// text, zero-terminated, in a field of TextLength bytes.
class ComboBox : public ListBox {
public:
    ComboBox(WindowsObject* parent, int x, int y, int width, int height, int id, int textLength, bool editable);
    // Bound to the dialog item `resourceId`; takes part in the dialog's data exchange.
    ComboBox(WindowsObject* parent, int resourceId, int textLength);

    // Size in bytes, terminator included, of the exchanged text; 0: no limit.
    int TextLength = 0;

    // GetWindowTextA: characters copied, at most maxCount - 1, always terminated.
    int GetText(char* buffer, int maxCount);
    // Selects the first item that begins with `text` (letter case ignored); only when none does,
    // puts `text` into the combo box's own text field.
    void SetText(const char* text);

    const char* WindowClassName() override;
    unsigned ExchangeData(void* data, unsigned direction) override;
    // The inherited preparation, then the text limit.
    void PrepareWindow() override;
    unsigned ListMessage(ListOperation operation) override;

protected:
    ~ComboBox() override = default;
};
