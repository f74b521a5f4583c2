#include "ExecutableMemory.h"
#include "Thunk.h"
#include "ThunkLayout.h"

namespace {

void* FreeStubs = nullptr;    // top of the free list
void* RecentBlock = nullptr;  // the block allocated last; earlier ones are chained through its header

// Writes a new block and pushes its stubs in ascending order, so the highest ends on top.
bool AddBlock()
{
    void* block = AllocateExecutableBlock(ThunkLayout::BlockSize);
    if (!block)
        return false;
    ThunkLayout::WriteHeader(block, RecentBlock);
    for (std::size_t index = 0; index < ThunkLayout::StubsPerBlock; ++index) {
        void* stub = ThunkLayout::WriteStub(block, index);
        ThunkLayout::SetStubWord(stub, FreeStubs);
        FreeStubs = stub;
    }
    RecentBlock = block;
    return true;
}

}  // namespace

WNDPROC AllocateThunk(WindowsObject* object)
{
    if (!FreeStubs && !AddBlock())
        return nullptr;
    void* stub = FreeStubs;
    FreeStubs = ThunkLayout::StubWord(stub);
    ThunkLayout::SetStubWord(stub, object);
    return reinterpret_cast<WNDPROC>(stub);
}

void ReleaseThunk(WNDPROC stub)
{
    if (!stub)
        return;
    void* code = reinterpret_cast<void*>(stub);
    ThunkLayout::SetStubWord(code, FreeStubs);
    FreeStubs = code;
}
