#include "RunTimeError.h"

#include <cstdio>
#include <cstdlib>

void RunTimeError(int number, const void* address) {
    char text[RunTimeErrorTextSize];
    FormatRunTimeError(text, number, address);
    std::fprintf(stderr, "%s\n", text);
    std::fflush(nullptr);
    // The process ends at once, as on Windows: no static destructors run on a broken state.
    std::_Exit(number);
}
