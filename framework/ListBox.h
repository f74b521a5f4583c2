#pragma once

#include "Control.h"

#include <cstdint>

class Collection;

// A list box (LBS_NOTIFY, LBS_SORT, sunken edge), and through ListMessage the shared
// implementation of the combo box's list: every list operation looks its message up there.
//
// Data exchange record, 2 pointer-sized fields: Strings, a Collection of zero-terminated strings
// that fills the list; then Selection: the selected index (-1 for none) of a single-selection
// list, or of a list with LBS_MULTIPLESEL a SelectionArray (null for an empty selection).
// A SelectionArray is one block from new std::int32_t[]: the count of selected items, then their
// indexes. The list releases the block the record held when it reads a new selection; the owner
// of the buffer sets Selection to null first and releases the last block with delete[].
class ListBox : public Control {
public:
    // Indexes of ListMessage.
    enum ListOperation {
        AddStringOperation,
        InsertStringOperation,
        DeleteStringOperation,
        ClearListOperation,
        GetCountOperation,
        GetStringOperation,
        GetStringLengthOperation,
        SetSelStringOperation,
        GetSelIndexOperation,
        SetSelIndexOperation,
        GetItemDataOperation,
        SetItemDataOperation,
    };

    struct Record {
        Collection* Strings;
        union {
            std::intptr_t Index;
            std::int32_t* Array;
        } Selection;
    };
    static_assert(sizeof(Record) == 2 * sizeof(void*), "two pointer-sized fields: 8 bytes on 32-bit Windows");

    ListBox(WindowsObject* parent, int x, int y, int width, int height, int id);
    // Bound to the dialog item `resourceId`; takes part in the dialog's data exchange.
    ListBox(WindowsObject* parent, int resourceId);

    // Index of the new item, negative on failure.
    int AddString(const char* text);
    // At `index` (-1: at the end, unsorted). Index of the new item, negative on failure.
    int InsertString(const char* text, int index);
    void ClearList();
    // Copies the item into `buffer` (room for its length + 1); its length, -1 for a bad index.
    int GetString(char* buffer, int index);
    // Length without terminator, -1 for a bad index.
    int GetStringLength(int index);
    // Selects the first item from after `startIndex` (-1: whole list) that begins with `text`,
    // letter case ignored; its index, -1 when none.
    int SetSelString(const char* text, int startIndex);
    // The selected index, -1 for none.
    int GetSelIndex();
    // -1 removes the selection.
    void SetSelIndex(int index);
    // At most `maxChars` characters of the selected item into `buffer` (room for maxChars + 1),
    // terminated; the characters stored, or -1 without a selection or memory.
    int GetSelString(char* buffer, int maxChars);

    const char* WindowClassName() override;
    unsigned ExchangeData(void* data, unsigned direction) override;

    virtual unsigned ListMessage(ListOperation operation);

protected:
    ~ListBox() override = default;

    // Empties the list and adds every string of the collection.
    void Fill(Collection* strings);

private:
    LRESULT SendListMessage(ListOperation operation, WPARAM wParam, LPARAM lParam);
    bool HasMultipleSelection();
    void ReadMultipleSelection(Record& record);
    void ShowMultipleSelection(const Record& record);
};
