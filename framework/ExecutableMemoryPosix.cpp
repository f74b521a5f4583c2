#include "ExecutableMemory.h"

#include <sys/mman.h>

void* AllocateExecutableBlock(std::size_t size)
{
    void* block = mmap(nullptr, size, PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return block == MAP_FAILED ? nullptr : block;
}
