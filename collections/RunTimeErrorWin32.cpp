#include "RunTimeError.h"

#include <windows.h>

void RunTimeError(int number, const void* address) {
    char text[RunTimeErrorTextSize];
    FormatRunTimeError(text, number, address);
    // Task-modal: the program's own windows take no input while the report is shown.
    MessageBoxA(nullptr, text, "Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(static_cast<UINT>(number));
}
