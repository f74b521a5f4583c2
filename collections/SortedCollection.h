#pragma once

#include "Collection.h"

#include <cstdint>

// A collection whose items stay in ascending order of their keys, by Compare, and are found by
// binary search. A derived type gives the order by replacing Compare.
class SortedCollection : public Collection {
public:
    SortedCollection(std::int32_t limit, std::int32_t delta);

    // The index of the item, found through its key, or -1. With Duplicates, the place of this very
    // item; without, the place of the equal key, whichever item it holds.
    std::int32_t IndexOf(void* item) override;
    // Inserts the item in key order. Without Duplicates an item whose key is present already is
    // not inserted, silently: it is not taken over and stays the caller's.
    void Insert(void* item) override;
    // The key of an item: the item itself.
    virtual void* KeyOf(void* item);
    // Negative when key1 sorts first, 0 when the keys are equal, positive when key2 sorts first.
    // Abstract: ends the program with run-time error 211.
    virtual std::int32_t Compare(void* key1, void* key2);

    // Whether an item with a key equal to `key` exists. `index` receives its index (with
    // Duplicates, the first of the equal items), or else where `key` would be inserted.
    bool Search(void* key, std::int32_t& index);

    bool Duplicates = false;  // whether items with equal keys may be inserted
};
