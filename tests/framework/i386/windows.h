#pragma once

// The few Win32 names that the stub pool's headers use, for the Linux i386 build of the pool's
// test, where no Windows headers exist. Same sizes and calling convention as on 32-bit Windows.
#include <cstdint>

#define CALLBACK __attribute__((stdcall))

struct HWND__;
typedef HWND__* HWND;
typedef unsigned int UINT;
typedef std::uintptr_t WPARAM;
typedef std::intptr_t LPARAM;
typedef std::intptr_t LRESULT;
typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
