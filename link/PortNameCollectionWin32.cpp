#include "PortNameCollection.h"

#include <windows.h>

#include <algorithm>

// Every value of the key is one port: its data is the port name, its name is not used.
PortNameCollection::PortNameCollection() : StrCollection(10, 5) {
    HKEY key;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, "hardware\\devicemap\\serialcomm", &key) != ERROR_SUCCESS) {
        return;
    }
    DWORD values = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        values = 0;
    }
    for (DWORD index = 0; index < values; ++index) {
        char valueName[64];
        DWORD valueNameSize = sizeof valueName;
        BYTE data[MaxNameLength + 1];  // a name of 7 characters and its terminator
        DWORD dataSize = sizeof data;
        // A value whose name or data does not fit, or that cannot be read, yields no port.
        if (RegEnumValueA(key, index, valueName, &valueNameSize, nullptr, nullptr, data,
                          &dataSize) == ERROR_SUCCESS) {
            AddName(reinterpret_cast<const char*>(data), std::min<DWORD>(dataSize, sizeof data));
        }
    }
    RegCloseKey(key);
}
