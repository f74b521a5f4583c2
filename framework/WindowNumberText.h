#pragma once

#include <windows.h>

#include <cstdint>

// Sets any window's text to the integer text or the two-decimal real text of NumberText.h.
void SetIntegerText(HWND window, std::int32_t value);
void SetRealText(HWND window, float value);
