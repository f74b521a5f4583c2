#include "PortNameCollection.h"

#include <cstring>

std::int32_t PortNameCollection::Compare(void* key1, void* key2) {
    const auto length1 = static_cast<std::int32_t>(std::strlen(static_cast<const char*>(key1)));
    const auto length2 = static_cast<std::int32_t>(std::strlen(static_cast<const char*>(key2)));
    if (length1 != length2) return length1 - length2;
    return StrCollection::Compare(key1, key2);
}

void PortNameCollection::AddName(const char* data, std::size_t size) {
    const auto end = static_cast<const char*>(std::memchr(data, '\0', size));
    const std::size_t length = end ? static_cast<std::size_t>(end - data) : size;
    if (length == 0 || length > MaxNameLength) return;
    char* const name = new char[length + 1];
    std::memcpy(name, data, length);
    name[length] = '\0';
    const std::int32_t before = Count;
    Insert(name);
    if (Count == before) delete[] name;
}
