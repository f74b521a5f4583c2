#include "SortedCollection.h"

#include "RunTimeError.h"

SortedCollection::SortedCollection(std::int32_t limit, std::int32_t delta)
    : Collection(limit, delta) {}

// With Duplicates, walks from the first equal key to the item itself; the walk does not stop at
// the end of the equal keys, so an absent item gives -1.
std::int32_t SortedCollection::IndexOf(void* item) {
    std::int32_t index;
    if (!Search(KeyOf(item), index)) return -1;
    if (Duplicates) {
        while (index < Count && Items[index] != item) ++index;
    }
    return index < Count ? index : -1;
}

void SortedCollection::Insert(void* item) {
    std::int32_t index;
    if (!Search(KeyOf(item), index) || Duplicates) AtInsert(index, item);
}

void* SortedCollection::KeyOf(void* item) {
    return item;
}

std::int32_t SortedCollection::Compare(void*, void*) {
    RunTimeError(AbstractCallError, __builtin_return_address(0));
}

bool SortedCollection::Search(void* key, std::int32_t& index) {
    bool found = false;
    std::int32_t low = 0;
    std::int32_t high = Count - 1;
    while (low <= high) {
        const std::int32_t middle = (low + high) / 2;
        const std::int32_t order = Compare(KeyOf(Items[middle]), key);
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (order == 0) {
                found = true;
                // Without duplicates the equal item ends the search; with them, go on leftward.
                if (!Duplicates) low = middle;
            }
        }
    }
    index = low;
    return found;
}
