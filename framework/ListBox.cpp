#include "ListBox.h"

#include "Collection.h"

#include <cstring>
#include <new>

namespace {

// Messages of the list operations, by ListOperation.
const unsigned ListBoxMessages[] = {
    LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_GETCOUNT, LB_GETTEXT,
    LB_GETTEXTLEN, LB_SELECTSTRING, LB_GETCURSEL, LB_SETCURSEL, LB_GETITEMDATA, LB_SETITEMDATA,
};
static_assert(sizeof ListBoxMessages / sizeof ListBoxMessages[0] == ListBox::SetItemDataOperation + 1,
              "one message per list operation");

}  // namespace

ListBox::ListBox(WindowsObject* parent, int x, int y, int width, int height, int id)
    : Control(parent, nullptr, x, y, width, height, id)
{
    Style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_GROUP | WS_TABSTOP | LBS_NOTIFY | LBS_SORT;
    ExStyle = WS_EX_CLIENTEDGE;
}

ListBox::ListBox(WindowsObject* parent, int resourceId) : Control(parent, resourceId)
{
    EnableDataExchange();
}

LRESULT ListBox::SendListMessage(ListOperation operation, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(Handle, ListMessage(operation), wParam, lParam);
}

int ListBox::AddString(const char* text)
{
    // LB_ADDSTRING / CB_ADDSTRING
    return static_cast<int>(SendListMessage(AddStringOperation, 0, reinterpret_cast<LPARAM>(text)));
}

int ListBox::InsertString(const char* text, int index)
{
    // LB_INSERTSTRING / CB_INSERTSTRING
    return static_cast<int>(SendListMessage(InsertStringOperation, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}

void ListBox::ClearList()
{
    // LB_RESETCONTENT / CB_RESETCONTENT
    SendListMessage(ClearListOperation, 0, 0);
}

int ListBox::GetString(char* buffer, int index)
{
    // LB_GETTEXT / CB_GETLBTEXT
    return static_cast<int>(SendListMessage(GetStringOperation, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
}

int ListBox::GetStringLength(int index)
{
    // LB_GETTEXTLEN / CB_GETLBTEXTLEN
    return static_cast<int>(SendListMessage(GetStringLengthOperation, static_cast<WPARAM>(index), 0));
}

int ListBox::SetSelString(const char* text, int startIndex)
{
    // LB_SELECTSTRING / CB_SELECTSTRING
    return static_cast<int>(SendListMessage(SetSelStringOperation, static_cast<WPARAM>(startIndex), reinterpret_cast<LPARAM>(text)));
}

int ListBox::GetSelIndex()
{
    // LB_GETCURSEL / CB_GETCURSEL
    return static_cast<int>(SendListMessage(GetSelIndexOperation, 0, 0));
}

void ListBox::SetSelIndex(int index)
{
    // LB_SETCURSEL / CB_SETCURSEL
    SendListMessage(SetSelIndexOperation, static_cast<WPARAM>(index), 0);
}

int ListBox::GetSelString(char* buffer, int maxChars)
{
    int index = GetSelIndex();
    if (index < 0)
        return -1;
    int length = GetStringLength(index);
    if (maxChars >= length)
        return GetString(buffer, index);
    // The item is longer than the buffer: fetch it whole into a block of its own.
    char* item = new (std::nothrow) char[static_cast<std::size_t>(length) + 1];
    if (!item)
        return -1;
    GetString(item, index);
    std::memcpy(buffer, item, static_cast<std::size_t>(maxChars));
    buffer[maxChars] = '\0';
    delete[] item;
    return maxChars;
}

const char* ListBox::WindowClassName()
{
    return "Listbox";
}

unsigned ListBox::ListMessage(ListOperation operation)
{
    return ListBoxMessages[operation];
}

void ListBox::Fill(Collection* strings)
{
    ClearList();
    if (strings)
        strings->ForEach([](void* item, void* list) { static_cast<ListBox*>(list)->AddString(static_cast<const char*>(item)); }, this);
}

bool ListBox::HasMultipleSelection()
{
    // The style is read anew: the template, not the object, decides it for a dialog item.
    return (GetWindowLongA(Handle, GWL_STYLE) & LBS_MULTIPLESEL) != 0;
}

unsigned ListBox::ExchangeData(void* data, unsigned direction)
{
    // Records lie back to back in the buffer, so they are copied rather than dereferenced.
    Record record;
    if (direction == DataFromControls) {
        std::memcpy(&record, data, sizeof record);
        if (HasMultipleSelection())
            ReadMultipleSelection(record);
        else
            record.Selection.Index = GetSelIndex();
        std::memcpy(data, &record, sizeof record);
    } else if (direction == DataToControls) {
        std::memcpy(&record, data, sizeof record);
        Fill(record.Strings);
        if (HasMultipleSelection())
            ShowMultipleSelection(record);
        else
            SetSelIndex(static_cast<int>(record.Selection.Index));
    }
    return sizeof(Record);
}

void ListBox::ReadMultipleSelection(Record& record)
{
    delete[] record.Selection.Array;
    record.Selection.Array = nullptr;
    // LB_GETSELCOUNT
    auto count = static_cast<std::int32_t>(SendMessageA(Handle, LB_GETSELCOUNT, 0, 0));
    if (count <= 0)
        return;  // an empty selection has no block
    record.Selection.Array = new std::int32_t[static_cast<std::size_t>(count) + 1];
    record.Selection.Array[0] = count;
    // LB_GETSELITEMS
    SendMessageA(Handle, LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(record.Selection.Array + 1));
}

void ListBox::ShowMultipleSelection(const Record& record)
{
    // LB_SETSEL with index -1: every item deselected
    SendMessageA(Handle, LB_SETSEL, FALSE, -1);
    if (!record.Selection.Array)
        return;
    for (std::int32_t i = 1; i <= record.Selection.Array[0]; ++i) {
        // LB_SETSEL
        SendMessageA(Handle, LB_SETSEL, TRUE, record.Selection.Array[i]);
    }
}
