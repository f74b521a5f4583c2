// Stub blocks on x86-64. A block can lie more than 2 GB away from the program, so no stub jumps
// with a rel32 to ThunkEntry: the block's header holds ThunkEntry's absolute address and every
// stub jumps through it, RIP-relative. Before that, the stub loads the address of its own data
// word into R10, a scratch register that the Windows x64 convention does not use for arguments,
// so RCX, RDX, R8, R9 and the stack reach ThunkEntry exactly as Windows passed them.
#include "Thunk.h"
#include "ThunkLayout.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

static_assert(sizeof(void*) == 8, "this layout is for x86-64");

#pragma pack(push, 1)
struct Stub {
    std::uint8_t LeaR10[3];       // 4C 8D 15: lea r10, [rip + disp32]
    std::int32_t LeaOffset;       // Word − end of this field: R10 = &Word
    std::uint8_t JmpIndirect[2];  // FF 25: jmp qword ptr [rip + disp32]
    std::int32_t JmpOffset;       // the block's EntryAddress − end of this field
    std::uint8_t Padding[3];      // CC: int3, never reached; aligns Word
    std::uint64_t Word;           // the object while in use; the next free stub while free
};

struct Block {
    std::uint64_t PreviousBlock;  // the block allocated before this one; 0 for the first
    std::uint64_t EntryAddress;   // ThunkEntry, the target of every stub's jump
    Stub Stubs[170];
};
#pragma pack(pop)

static_assert(sizeof(Stub) == 24, "a stub is 13 bytes of code, 3 of padding and an 8-byte word");
static_assert(offsetof(Stub, Word) % 8 == 0, "the word of a stub at an 8-aligned address is aligned");
static_assert(offsetof(Block, Stubs) == 16, "the stubs follow the two header words");
static_assert(sizeof(Block) == ThunkLayout::BlockSize, "170 stubs fill a block exactly");

constexpr std::uint8_t LeaR10Rip[3] = {0x4C, 0x8D, 0x15};
constexpr std::uint8_t JmpRipIndirect[2] = {0xFF, 0x25};
constexpr std::uint8_t Int3 = 0xCC;

// The disp32 of a RIP-relative operand in an instruction that ends at `end`.
std::int32_t RelativeTo(const void* target, const void* end)
{
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(target) - reinterpret_cast<std::intptr_t>(end));
}

}  // namespace

const std::size_t ThunkLayout::StubsPerBlock = 170;

void ThunkLayout::WriteHeader(void* block, void* previousBlock)
{
    auto* header = static_cast<Block*>(block);
    header->PreviousBlock = reinterpret_cast<std::uintptr_t>(previousBlock);
    header->EntryAddress = reinterpret_cast<std::uintptr_t>(&ThunkEntry);
}

void* ThunkLayout::WriteStub(void* block, std::size_t index)
{
    auto* header = static_cast<Block*>(block);
    Stub* stub = &header->Stubs[index];
    auto* code = reinterpret_cast<std::uint8_t*>(stub);
    std::memcpy(stub->LeaR10, LeaR10Rip, sizeof LeaR10Rip);
    stub->LeaOffset = RelativeTo(code + offsetof(Stub, Word), code + offsetof(Stub, JmpIndirect));
    std::memcpy(stub->JmpIndirect, JmpRipIndirect, sizeof JmpRipIndirect);
    stub->JmpOffset = RelativeTo(&header->EntryAddress, code + offsetof(Stub, Padding));
    std::memset(stub->Padding, Int3, sizeof stub->Padding);
    return stub;
}

void* ThunkLayout::StubWord(const void* stub)
{
    std::uint64_t word;
    std::memcpy(&word, static_cast<const std::uint8_t*>(stub) + offsetof(Stub, Word), sizeof word);
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(word));
}

void ThunkLayout::SetStubWord(void* stub, void* value)
{
    std::uint64_t word = reinterpret_cast<std::uintptr_t>(value);
    std::memcpy(static_cast<std::uint8_t*>(stub) + offsetof(Stub, Word), &word, sizeof word);
}
