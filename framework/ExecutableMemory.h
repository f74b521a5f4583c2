#pragma once

#include <cstddef>

// The one place where the stub pool meets the operating system: readable, writable and
// executable memory. ExecutableMemoryWin32.cpp takes it from VirtualAlloc; ExecutableMemoryPosix.cpp
// from mmap, for the test that runs the 32-bit stubs on Linux.

// A new zero-filled block of `size` bytes, page-aligned; null when the system refuses.
void* AllocateExecutableBlock(std::size_t size);
