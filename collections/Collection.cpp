#include "Collection.h"

#include "RunTimeError.h"

#include <algorithm>
#include <cstdint>

Collection::Collection(std::int32_t limit, std::int32_t delta) : Delta(delta) {
    SetLimit(limit);
}

Collection::~Collection() {
    FreeAll();
    SetLimit(0);
}

std::int32_t Collection::IndexOf(void* item) {
    for (std::int32_t index = 0; index < Count; ++index) {
        if (Items[index] == item) return index;
    }
    return -1;
}

void Collection::Insert(void* item) {
    AtInsert(Count, item);
}

void Collection::FreeItem(void* item) {
    delete static_cast<BaseObject*>(item);
}

void Collection::Error(std::int32_t code) {
    RunTimeError(212 - code, __builtin_return_address(0));
}

void Collection::AtInsert(std::int32_t index, void* item) {
    if (index < 0 || index > Count) Error(IndexOutOfRange);
    if (Count == Limit) {
        // In 64 bits, so that a huge Delta cannot overflow; SetLimit clamps to MaxLimit.
        SetLimit(static_cast<std::int32_t>(
            std::min<std::int64_t>(std::int64_t{Limit} + Delta, MaxLimit)));
    }
    if (Count == Limit) Error(Overflow);
    std::copy_backward(Items + index, Items + Count, Items + Count + 1);
    Items[index] = item;
    ++Count;
}

void Collection::FreeAll() {
    for (std::int32_t index = 0; index < Count; ++index) FreeItem(Items[index]);
    Count = 0;
}

void Collection::SetLimit(std::int32_t limit) {
    limit = std::clamp(limit, Count, MaxLimit);
    if (limit == Limit) return;
    void** items = limit == 0 ? nullptr : new void*[limit];
    std::copy(Items, Items + Count, items);
    delete[] Items;
    Items = items;
    Limit = limit;
}

void Collection::ForEach(ItemAction action, void* context) {
    void** const items = Items;
    const std::int32_t count = Count;
    for (std::int32_t index = 0; index < count; ++index) action(items[index], context);
}
