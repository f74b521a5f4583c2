#include "StrCollection.h"

StrCollection::~StrCollection() {
    FreeAll();
}

void StrCollection::FreeItem(void* item) {
    delete[] static_cast<char*>(item);
}

std::int32_t StrCollection::Compare(void* key1, void* key2) {
    auto first = static_cast<const unsigned char*>(key1);
    auto second = static_cast<const unsigned char*>(key2);
    for (;; ++first, ++second) {
        const std::int32_t difference = *first - *second;
        if (difference != 0 || *second == 0) return difference;
    }
}
