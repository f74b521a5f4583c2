#include "PortRegistry.h"

#include <windows.h>

namespace {
const char* const SerialCommKey = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
}

bool PortRegistry::Add(const std::string& Device, const std::string& Port)
{
    HKEY key;
    // The key is volatile: it lives as long as the system (here the Wine prefix) runs.
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, SerialCommKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExA(key, Device.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(Port.c_str()),
                                       static_cast<DWORD>(Port.size() + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

void PortRegistry::Remove(const std::string& Device)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SerialCommKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, Device.c_str());
    RegCloseKey(key);
}
