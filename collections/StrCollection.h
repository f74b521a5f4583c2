#pragma once

#include "SortedCollection.h"

#include <cstdint>

// A sorted collection of zero-terminated 8-bit strings, in byte order. It owns its strings: each
// is allocated by the inserter with new[] and released by the collection with delete[].
class StrCollection : public SortedCollection {
public:
    using SortedCollection::SortedCollection;
    // Releases the strings here: in the Collection destructor this type's FreeItem is no longer
    // the one that runs.
    ~StrCollection() override;

    // Releases the string; null is allowed.
    void FreeItem(void* item) override;
    // The difference of the first pair of differing bytes, taken as unsigned; 0 for equal strings.
    std::int32_t Compare(void* key1, void* key2) override;
};
