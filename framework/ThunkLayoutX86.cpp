// Stub blocks on 32-bit x86. Every stub is a call back to the block's shared prologue; the
// call pushes the address of the stub's data word, the prologue pops it into ECX and jumps to
// ThunkEntry, which reads the object from [ECX]. The stack is then exactly as Windows built it.
#include "Thunk.h"
#include "ThunkLayout.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

static_assert(sizeof(void*) == 4, "this layout is for 32-bit x86");

#pragma pack(push, 1)
struct Stub {
    std::uint8_t CallOpcode;  // 0xE8: call rel32
    std::int32_t CallOffset;  // block's prologue − address of Word (the call's end)
    std::uint32_t Word;       // the object while in use; the next free stub while free
};

struct Block {
    std::uint32_t PreviousBlock;  // the block allocated before this one; 0 for the first
    std::uint8_t PopEcx;          // 0x59: pop ecx — the calling stub's Word
    std::uint8_t JmpOpcode;       // 0xE9: jmp rel32
    std::int32_t JmpOffset;       // ThunkEntry − end of this field
    Stub Stubs[454];
};
#pragma pack(pop)

static_assert(sizeof(Stub) == 9, "a stub is a 5-byte call and a 4-byte word");
static_assert(offsetof(Block, PopEcx) == 4, "the prologue follows the chain word");
static_assert(offsetof(Block, Stubs) == 10, "the stubs follow the 6-byte prologue");
static_assert(sizeof(Block) == ThunkLayout::BlockSize, "454 stubs fill a block exactly");

constexpr std::uint8_t CallRel32 = 0xE8;
constexpr std::uint8_t PopEcxOpcode = 0x59;
constexpr std::uint8_t JmpRel32 = 0xE9;

// The rel32 operand of a jump or call whose instruction ends at `end`.
std::int32_t RelativeTo(const void* target, const void* end)
{
    return static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(target) - reinterpret_cast<std::uintptr_t>(end));
}

std::uint32_t Address(const void* pointer)
{
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pointer));
}

}  // namespace

const std::size_t ThunkLayout::StubsPerBlock = 454;

void ThunkLayout::WriteHeader(void* block, void* previousBlock)
{
    auto* header = static_cast<Block*>(block);
    header->PreviousBlock = Address(previousBlock);
    header->PopEcx = PopEcxOpcode;
    header->JmpOpcode = JmpRel32;
    header->JmpOffset = RelativeTo(reinterpret_cast<const void*>(&ThunkEntry), &header->Stubs[0]);
}

void* ThunkLayout::WriteStub(void* block, std::size_t index)
{
    auto* header = static_cast<Block*>(block);
    Stub* stub = &header->Stubs[index];
    stub->CallOpcode = CallRel32;
    stub->CallOffset = RelativeTo(&header->PopEcx, reinterpret_cast<std::uint8_t*>(stub) + offsetof(Stub, Word));
    return stub;
}

void* ThunkLayout::StubWord(const void* stub)
{
    std::uint32_t word;
    std::memcpy(&word, static_cast<const std::uint8_t*>(stub) + offsetof(Stub, Word), sizeof word);
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(word));
}

void ThunkLayout::SetStubWord(void* stub, void* value)
{
    std::uint32_t word = Address(value);
    std::memcpy(static_cast<std::uint8_t*>(stub) + offsetof(Stub, Word), &word, sizeof word);
}
