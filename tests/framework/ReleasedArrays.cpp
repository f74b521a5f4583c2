#include "ReleasedArrays.h"

#include <cstdlib>
#include <new>

namespace {
const void* Released[16];
unsigned ReleasedCount = 0;
}  // namespace

bool WasReleased(const void* block)
{
    for (const void* released : Released) {
        if (released == block)
            return true;
    }
    return false;
}

void* operator new[](std::size_t size)
{
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

void operator delete[](void* block) noexcept
{
    Released[ReleasedCount++ % 16] = block;
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    operator delete[](block);
}
