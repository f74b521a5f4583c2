#include "RunTimeError.h"

#include <cstdint>
#include <cstdio>

void FormatRunTimeError(char (&text)[RunTimeErrorTextSize], int number, const void* address) {
    constexpr int digits = 2 * sizeof(void*);
    const int length = std::snprintf(text, sizeof text, "Runtime error %d at $", number);
    const auto value = reinterpret_cast<std::uintptr_t>(address);
    char* out = text + length;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        *out++ = "0123456789ABCDEF"[(value >> shift) & 0xF];
    }
    *out = '\0';
}
