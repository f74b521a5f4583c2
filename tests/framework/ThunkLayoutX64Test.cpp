// The x86-64 block layout: the bytes of a block, and how the pool grows block by block.
#include "Receiver.h"
#include "Recording.h"
#include "Thunk.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr std::uintptr_t BlockSize = 4096;
constexpr std::uintptr_t StubsPerBlock = 170;
constexpr std::uintptr_t FirstStubOffset = 16;  // after the chain word and ThunkEntry's address
constexpr std::uintptr_t StubSize = 24;

std::uintptr_t Address(const void* pointer)
{
    return reinterpret_cast<std::uintptr_t>(pointer);
}

std::uintptr_t AddressOf(WNDPROC stub)
{
    return reinterpret_cast<std::uintptr_t>(stub);
}

std::uintptr_t BlockOf(WNDPROC stub)
{
    return AddressOf(stub) & ~(BlockSize - 1);
}

std::uintptr_t TopStubOf(std::uintptr_t block)
{
    return block + FirstStubOffset + (StubsPerBlock - 1) * StubSize;
}

template <typename Value>
Value At(std::uintptr_t address)
{
    Value value;
    std::memcpy(&value, reinterpret_cast<const void*>(address), sizeof value);
    return value;
}

TEST(StubBlock, BytesFollowTheLayout)
{
    Owned<Receiver> receiver(new Receiver);
    std::uintptr_t stub = AddressOf(receiver->Thunk);
    std::uintptr_t block = BlockOf(receiver->Thunk);
    ASSERT_EQ(0u, (stub - block - FirstStubOffset) % StubSize) << "a stub starts at 16 + 24k";
    EXPECT_EQ(Address(reinterpret_cast<void*>(&ThunkEntry)), At<std::uint64_t>(block + 8))
        << "word 1 of the block: ThunkEntry, the target of every stub's jump";
    EXPECT_EQ(0u, At<std::uint64_t>(block) % BlockSize) << "word 0: the previous block, or 0";

    // Every stub: lea r10, [rip+9]; jmp [rip + (block+8 - end of jmp)]; 3 × int3; its word.
    for (std::uintptr_t k = 0; k < StubsPerBlock; ++k) {
        std::uintptr_t code = block + FirstStubOffset + k * StubSize;
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(code);
        std::vector<int> opcodes{bytes[0], bytes[1], bytes[2], bytes[7], bytes[8], bytes[13], bytes[14], bytes[15]};
        EXPECT_EQ((std::vector<int>{0x4C, 0x8D, 0x15, 0xFF, 0x25, 0xCC, 0xCC, 0xCC}), opcodes) << "stub " << k;
        EXPECT_EQ(9, At<std::int32_t>(code + 3)) << "stub " << k << ": R10 = the stub's word at +16";
        EXPECT_EQ(static_cast<std::int64_t>(block + 8) - static_cast<std::int64_t>(code + 13), At<std::int32_t>(code + 9))
            << "stub " << k << ": jump through the block's word 1";
    }
    EXPECT_EQ(Address(receiver.get()), At<std::uint64_t>(stub + 16)) << "the word of a stub in use: its object";
}

TEST(StubPool, OpensANewBlockChainedToThePreviousOneWhenAllAreInUse)
{
    // Stubs released by earlier objects come first; among the rest, a block that was opened
    // during this test hands out its 170 stubs from the top down, and the one after them opens
    // the next block, whose first word names it.
    Owned<Receiver> owner(new Receiver);
    std::vector<WNDPROC> stubs;
    for (std::uintptr_t n = 0; n < 3 * StubsPerBlock + 1; ++n)
        stubs.push_back(AllocateThunk(owner.get()));
    int pairs = 0;
    for (std::size_t i = 0; i + StubsPerBlock < stubs.size(); ++i) {
        std::uintptr_t block = BlockOf(stubs[i]);
        if (AddressOf(stubs[i]) != TopStubOf(block))
            continue;
        bool wholeBlockInOrder = true;
        for (std::uintptr_t k = 1; k < StubsPerBlock; ++k)
            wholeBlockInOrder = wholeBlockInOrder && AddressOf(stubs[i + k]) == AddressOf(stubs[i]) - k * StubSize;
        if (!wholeBlockInOrder)
            continue;
        WNDPROC next = stubs[i + StubsPerBlock];
        EXPECT_NE(block, BlockOf(next)) << "stub " << StubsPerBlock + 1 << " of a full block";
        EXPECT_EQ(TopStubOf(BlockOf(next)), AddressOf(next)) << "a new block hands out its top stub first";
        EXPECT_EQ(block, At<std::uint64_t>(BlockOf(next))) << "the new block's first word: the block before it";
        ++pairs;
        i += StubsPerBlock - 1;
    }
    EXPECT_GE(pairs, 1) << "no full block followed by a new one among " << stubs.size() << " stubs";
    Owned<Receiver> receiver(new Receiver);
    EXPECT_EQ(1, receiver->Thunk(nullptr, WM_USER, 0, 0)) << "a stub of a later block still works";
    EXPECT_EQ(1u, receiver->Seen.size());
    for (WNDPROC stub : stubs)
        ReleaseThunk(stub);
}

}  // namespace
