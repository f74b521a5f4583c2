#pragma once

#include "BaseObject.h"

#include <cstdint>

// What ForEach calls for each item: the item and the context that the caller of ForEach gave.
using ItemAction = void (*)(void* item, void* context);

// A growable array of untyped item pointers. The collection owns its items: it destroys them
// through FreeItem when it is emptied or destroyed. Items of a plain Collection are objects,
// inserted as BaseObject pointers (or null).
class Collection : public BaseObject {
public:
    // No collection holds more items than this.
    static constexpr std::int32_t MaxLimit = 16380;
    // The codes of Error.
    static constexpr std::int32_t IndexOutOfRange = -1;
    static constexpr std::int32_t Overflow = -2;

    // An empty collection with room for `limit` items that grows by `delta` places when full.
    Collection(std::int32_t limit, std::int32_t delta);
    Collection(const Collection&) = delete;
    Collection& operator=(const Collection&) = delete;
    ~Collection() override;

    // The first index holding this very pointer, or -1.
    virtual std::int32_t IndexOf(void* item);
    // Appends the item.
    virtual void Insert(void* item);
    // Destroys one item; a null item is skipped.
    virtual void FreeItem(void* item);
    // Ends the program with run-time error 212 - code.
    [[noreturn]] virtual void Error(std::int32_t code);

    // Puts the item at `index` (0 ... Count), moving the items from there up by one place.
    void AtInsert(std::int32_t index, void* item);
    // Destroys every item; the array and its capacity stay.
    void FreeAll();
    // Resizes the array to `limit` places, clamped to Count ... MaxLimit.
    void SetLimit(std::int32_t limit);
    // Calls `action` for each item, first to last; the action must not insert or remove items.
    void ForEach(ItemAction action, void* context);

    void** Items = nullptr;  // Limit places; null while Limit is 0
    std::int32_t Count = 0;  // items in use: Items[0] ... Items[Count - 1]
    std::int32_t Limit = 0;  // places in Items
    std::int32_t Delta = 0;  // growth of a full array; 0: the collection never grows
};
