#include "ComboBox.h"

#include <cstring>

namespace {

// Messages of the list operations, by ListOperation.
const unsigned ComboBoxMessages[] = {
    CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETCOUNT, CB_GETLBTEXT,
    CB_GETLBTEXTLEN, CB_SELECTSTRING, CB_GETCURSEL, CB_SETCURSEL, CB_GETITEMDATA, CB_SETITEMDATA,
};
static_assert(sizeof ComboBoxMessages / sizeof ComboBoxMessages[0] == ListBox::SetItemDataOperation + 1,
              "one message per list operation");

// The record: the Strings pointer, then the text field.
constexpr std::size_t StringsOffset = 0;
constexpr std::size_t TextOffset = sizeof(Collection*);

}  // namespace

ComboBox::ComboBox(WindowsObject* parent, int x, int y, int width, int height, int id, int textLength, bool editable)
    : ListBox(parent, x, y, width, height, id)
{
    if (editable)
        Style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_GROUP | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_SORT;
    else
        Style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_GROUP | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_SORT;
    TextLength = textLength;
}

ComboBox::ComboBox(WindowsObject* parent, int resourceId, int textLength) : ListBox(parent, resourceId)
{
    TextLength = textLength;
}

int ComboBox::GetText(char* buffer, int maxCount)
{
    return GetWindowTextA(Handle, buffer, maxCount);
}

void ComboBox::SetText(const char* text)
{
    if (SetSelString(text, -1) < 0)
        SetWindowTextA(Handle, text);
}

const char* ComboBox::WindowClassName()
{
    return "Combobox";
}

unsigned ComboBox::ExchangeData(void* data, unsigned direction)
{
    auto* record = static_cast<char*>(data);
    char* text = record + TextOffset;
    if (direction == DataFromControls) {
        GetText(text, TextLength);
    } else if (direction == DataToControls) {
        Collection* strings;
        std::memcpy(&strings, record + StringsOffset, sizeof strings);
        Fill(strings);
        SetText(text);
    }
    return static_cast<unsigned>(TextOffset + static_cast<unsigned>(TextLength));
}

void ComboBox::PrepareWindow()
{
    ListBox::PrepareWindow();
    if (TextLength != 0) {
        // CB_LIMITTEXT: room is left for the terminating zero.
        SendMessageA(Handle, CB_LIMITTEXT, static_cast<WPARAM>(TextLength - 1), 0);
    }
}

unsigned ComboBox::ListMessage(ListOperation operation)
{
    return ComboBoxMessages[operation];
}
