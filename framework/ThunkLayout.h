#pragma once

#include <cstddef>

// The processor-specific part of the stub pool: the layout of a block and the machine code in
// it. ThunkLayoutX86.cpp and ThunkLayoutX64.cpp implement it, each with ThunkEntry for its
// processor; the build compiles the one that matches the target.
namespace ThunkLayout {

constexpr std::size_t BlockSize = 4096;

// How many stubs one block holds.
extern const std::size_t StubsPerBlock;

// Writes the block's header: the address of the block allocated before it (null for the first)
// and whatever code or data its stubs share.
void WriteHeader(void* block, void* previousBlock);

// Writes the code of stub `index` (0 … StubsPerBlock − 1) and returns the stub's address.
void* WriteStub(void* block, std::size_t index);

// The stub's data word: its object while the stub is in use, the next free stub while free.
void* StubWord(const void* stub);
void SetStubWord(void* stub, void* value);

}  // namespace ThunkLayout
