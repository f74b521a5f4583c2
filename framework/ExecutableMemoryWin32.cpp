#include "ExecutableMemory.h"

#include <windows.h>

void* AllocateExecutableBlock(std::size_t size)
{
    return VirtualAlloc(nullptr, size, MEM_COMMIT, PAGE_EXECUTE_READWRITE);
}
