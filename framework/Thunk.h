#pragma once

#include "MessageRecord.h"

#include <windows.h>

class WindowsObject;

// Window-procedure stubs. Every window object owns a small piece of executable code (a stub)
// that serves as its window or dialog procedure and carries the object's address, so a message
// reaches its object without any table from window handles to objects. Stubs are carved from
// 4096-byte blocks of executable memory and reused last-in, first-out; blocks are never freed.
// User-interface thread only: the pool is process-wide and unguarded.

// Takes a stub from the pool and binds it to `object`; the result is a window procedure.
// Null only when no executable memory can be had for a new block.
WNDPROC AllocateThunk(WindowsObject* object);

// Returns a stub to the pool; it is the next one handed out. Null is ignored.
void ReleaseThunk(WNDPROC stub);

extern "C" {
// The code that every stub reaches: builds a MessageRecord with Result 1 from the four
// arguments, passes it with the stub's object to ThunkDispatch and returns Result. Not callable
// from C++; its address is written into the blocks.
void ThunkEntry();

// Answers the object query itself (no override can hide it); every other message goes to the
// object's HandleMessage.
void ThunkDispatch(WindowsObject* object, MessageRecord& record);
}

// The number of the registered message "VoxObjectPtr": every window bound to a framework
// object answers it with the object's address. 0 until registered.
extern UINT ObjectPtrMessage;

// Registers "VoxObjectPtr" unless that is done already. A window object's constructor runs it
// before it takes its stub, so the number is known before any window can be asked.
void RegisterObjectPtrMessage();

// The framework object bound to `window`, found by calling the window's procedure directly with
// the object query; null for 0, for a window whose procedure cannot be read and for a window
// whose procedure does not answer (any procedure that is not a stub).
WindowsObject* ObjectFromHandle(HWND window);
