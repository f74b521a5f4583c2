#pragma once

#include <windows.h>

// What every message handler receives: the four window-procedure arguments and the result that
// the window procedure returns. The entry code of the stubs builds it on the stack for each
// message; the fields have the sizes Win32 gives them, so on 64-bit Windows they are
// pointer-sized except Message.
struct MessageRecord {
    HWND Handle;     // the window the message was sent to
    UINT Message;    // the message number
    WPARAM WParam;   // handlers read the low and high 16-bit halves where two values are packed
    LPARAM LParam;
    LRESULT Result;  // starts at 1; what the window procedure returns
};
