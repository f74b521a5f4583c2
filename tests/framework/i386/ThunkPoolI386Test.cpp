// Runs the 32-bit x86 stub code for real: the pool, the block layout and ThunkEntry, built as a
// Linux i386 program (mmap stands in for VirtualAlloc) and run under qemu-i386. Stubs are called
// the way Windows calls a window procedure (stdcall), and this program's ThunkDispatch stands in
// for the framework's, so it sees exactly what the entry code hands over. Every check prints what
// it expected and what it got; the exit code is the number of failed checks.
#include "Thunk.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

int Failures = 0;

void Expect(const char* what, std::uint32_t expected, std::uint32_t got)
{
    bool pass = expected == got;
    if (!pass)
        ++Failures;
    std::printf("%s %s: expected 0x%08X, got 0x%08X\n", pass ? "PASS" : "FAIL", what, expected, got);
}

std::uint32_t Address(const void* pointer)
{
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pointer));
}

std::uint32_t Dword(const std::uint8_t* bytes)
{
    std::uint32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// What a window object would be: here it only notes the record it receives.
struct Receiver {
    MessageRecord Seen{};
    int Calls = 0;
    bool Answers = false;  // stores Answer in Result, as a handler does
    LRESULT Answer = 0;
};

WindowsObject* AsObject(Receiver& receiver)
{
    return reinterpret_cast<WindowsObject*>(&receiver);
}

// What a stdcall call through a stub left behind.
struct Probe {
    std::uint32_t StackLeft;  // bytes of arguments still on the stack after the return: 0 for stdcall
    std::uint32_t Esi;        // the callee-saved registers, loaded with marks before the call
    std::uint32_t Edi;
    std::uint32_t Ebp;
};

constexpr std::uint32_t EsiMark = 0x5E5E5E5E;
constexpr std::uint32_t EdiMark = 0xD1D1D1D1;
constexpr std::uint32_t EbpMark = 0xB0B0B0B0;

}  // namespace

extern "C" void ThunkDispatch(WindowsObject* object, MessageRecord& record)
{
    auto* receiver = reinterpret_cast<Receiver*>(object);
    receiver->Seen = record;
    ++receiver->Calls;
    if (receiver->Answers)
        record.Result = receiver->Answer;
}

// Calls `procedure` with arguments[0..3] as (hwnd, message, wParam, lParam), pushed right to
// left as Windows does, with marks in ESI, EDI and EBP; fills `probe` and returns EAX.
extern "C" __attribute__((naked)) LRESULT CallThroughStub(WNDPROC, const std::uint32_t*, Probe*)
{
    asm(".intel_syntax noprefix\n"
        "push ebp\n"
        "push ebx\n"
        "push esi\n"
        "push edi\n"
        "mov eax, [esp+20]\n"         // procedure
        "mov edx, [esp+24]\n"         // arguments
        "push dword ptr [esp+28]\n"   // probe, kept at [ebx]
        "mov ebx, esp\n"              // ESP before the arguments
        "mov esi, 0x5E5E5E5E\n"
        "mov edi, 0xD1D1D1D1\n"
        "mov ebp, 0xB0B0B0B0\n"
        "push dword ptr [edx+12]\n"   // lParam
        "push dword ptr [edx+8]\n"    // wParam
        "push dword ptr [edx+4]\n"    // message
        "push dword ptr [edx]\n"      // hwnd
        "call eax\n"
        "mov ecx, ebx\n"
        "sub ecx, esp\n"              // what the callee did not remove
        "mov esp, ebx\n"
        "mov edx, [esp]\n"
        "mov [edx], ecx\n"            // probe->StackLeft
        "mov [edx+4], esi\n"          // probe->Esi
        "mov [edx+8], edi\n"          // probe->Edi
        "mov [edx+12], ebp\n"         // probe->Ebp
        "add esp, 4\n"
        "pop edi\n"
        "pop esi\n"
        "pop ebx\n"
        "pop ebp\n"
        "ret\n"
        ".att_syntax prefix\n");
}

namespace {

constexpr std::uint32_t BlockSize = 4096;
constexpr std::uint32_t StubsPerBlock = 454;

const std::uint8_t* BlockOf(WNDPROC stub)
{
    return reinterpret_cast<const std::uint8_t*>(Address(reinterpret_cast<void*>(stub)) & ~(BlockSize - 1));
}

// Offset of stub k from its block: after the 4-byte chain word and the 6-byte prologue.
std::uint32_t StubOffset(std::uint32_t k)
{
    return 10 + 9 * k;
}

// The bytes of a whole block against the layout: the chain word, the prologue (pop ecx; jmp
// ThunkEntry), and every stub's call back to the prologue and its word (`words[k]`).
void CheckBlock(const char* name, const std::uint8_t* block, std::uint32_t previous, const std::vector<std::uint32_t>& words)
{
    char what[160];
    std::snprintf(what, sizeof what, "%s: word 0, the previous block", name);
    Expect(what, previous, Dword(block));
    std::snprintf(what, sizeof what, "%s: byte 4, pop ecx", name);
    Expect(what, 0x59, block[4]);
    std::snprintf(what, sizeof what, "%s: byte 5, jmp rel32", name);
    Expect(what, 0xE9, block[5]);
    std::snprintf(what, sizeof what, "%s: bytes 6-9, ThunkEntry - (block + 10)", name);
    Expect(what, Address(reinterpret_cast<void*>(&ThunkEntry)) - (Address(block) + 10), Dword(block + 6));
    int wrong = 0;
    for (std::uint32_t k = 0; k < StubsPerBlock; ++k) {
        const std::uint8_t* stub = block + StubOffset(k);
        bool ok = stub[0] == 0xE8 && Dword(stub + 1) == (Address(block) + 4) - (Address(block) + 15 + 9 * k) &&
                  Dword(stub + 5) == words[k];
        if (!ok && wrong++ < 3) {
            std::snprintf(what, sizeof what, "%s: stub %u call opcode", name, k);
            Expect(what, 0xE8, stub[0]);
            std::snprintf(what, sizeof what, "%s: stub %u call to the prologue", name, k);
            Expect(what, (Address(block) + 4) - (Address(block) + 15 + 9 * k), Dword(stub + 1));
            std::snprintf(what, sizeof what, "%s: stub %u word", name, k);
            Expect(what, words[k], Dword(stub + 5));
        }
    }
    std::snprintf(what, sizeof what, "%s: stubs that differ from the layout", name);
    Expect(what, 0, wrong);
}

// A fresh block's words: stub k links to stub k - 1 (pushed just before it), stub 0 to
// `bottom`, the list's top before the block was added.
std::vector<std::uint32_t> FreeChain(const std::uint8_t* block, std::uint32_t bottom)
{
    std::vector<std::uint32_t> words(StubsPerBlock);
    words[0] = bottom;
    for (std::uint32_t k = 1; k < StubsPerBlock; ++k)
        words[k] = Address(block + StubOffset(k - 1));
    return words;
}

struct Call {
    std::uint32_t Arguments[4];
    LRESULT Result;
    Probe After;
};

Call CallStub(WNDPROC stub, std::uint32_t hwnd, std::uint32_t message, std::uint32_t wParam, std::uint32_t lParam)
{
    Call call{{hwnd, message, wParam, lParam}, 0, {}};
    call.Result = CallThroughStub(stub, call.Arguments, &call.After);
    return call;
}

void CheckCall(const char* name, const Call& call, const Receiver& receiver, int calls, LRESULT result)
{
    char what[160];
    auto check = [&](const char* field, std::uint32_t expected, std::uint32_t got) {
        std::snprintf(what, sizeof what, "%s: %s", name, field);
        Expect(what, expected, got);
    };
    check("calls that reached the object", calls, receiver.Calls);
    check("record.Handle", call.Arguments[0], Address(receiver.Seen.Handle));
    check("record.Message", call.Arguments[1], receiver.Seen.Message);
    check("record.WParam", call.Arguments[2], receiver.Seen.WParam);
    check("record.LParam", call.Arguments[3], receiver.Seen.LParam);
    check("record.Result on arrival", 1, receiver.Seen.Result);
    check("returned Result", result, call.Result);
    check("argument bytes left on the stack", 0, call.After.StackLeft);
    check("ESI kept", EsiMark, call.After.Esi);
    check("EDI kept", EdiMark, call.After.Edi);
    check("EBP kept", EbpMark, call.After.Ebp);
}

}  // namespace

int main()
{
    Receiver first, second, answering, stranger;
    answering.Answers = true;
    answering.Answer = 0x12345678;

    // The first stub opens the first block; the highest stub is on top of the free list.
    WNDPROC firstStub = AllocateThunk(AsObject(first));
    const std::uint8_t* block = BlockOf(firstStub);
    Expect("first stub: the last of its block", Address(block) + StubOffset(StubsPerBlock - 1),
           Address(reinterpret_cast<void*>(firstStub)));
    std::vector<std::uint32_t> words = FreeChain(block, 0);
    words[StubsPerBlock - 1] = Address(&first);
    CheckBlock("first block", block, 0, words);

    // Stdcall calls through a stub: record in, Result out, arguments removed.
    CheckCall("default result", CallStub(firstStub, 0x1111, 0x22, 0x3333, 0x4444), first, 1, 1);
    WNDPROC answeringStub = AllocateThunk(AsObject(answering));
    Expect("second stub: the next lower one", Address(block) + StubOffset(StubsPerBlock - 2),
           Address(reinterpret_cast<void*>(answeringStub)));
    CheckCall("stored result", CallStub(answeringStub, 0xFFFFFFFF, 0x8000, 0x80000000, 0xFFFFFFFE), answering, 1,
              0x12345678);
    Expect("a call through another stub does not reach the first object", 1, first.Calls);

    // Reuse is last in, first out; releasing null changes nothing.
    ReleaseThunk(answeringStub);
    ReleaseThunk(firstStub);
    ReleaseThunk(nullptr);
    WNDPROC reused = AllocateThunk(AsObject(second));
    Expect("after two releases: the one released last", Address(reinterpret_cast<void*>(firstStub)),
           Address(reinterpret_cast<void*>(reused)));
    Expect("then the one released before it", Address(reinterpret_cast<void*>(answeringStub)),
           Address(reinterpret_cast<void*>(AllocateThunk(AsObject(stranger)))));
    CheckCall("a reused stub reaches its new object", CallStub(reused, 1, 2, 3, 4), second, 1, 1);
    Expect("and not its old one", 1, first.Calls);

    // 454 live objects fill the block; the 455th opens a second one, chained to the first.
    std::vector<WNDPROC> live{reused, answeringStub};
    while (live.size() < StubsPerBlock) {
        live.push_back(AllocateThunk(AsObject(stranger)));
        if (BlockOf(live.back()) != block)
            break;
    }
    Expect("live stubs that fit in the first block", StubsPerBlock, live.size());
    Receiver last;
    WNDPROC overflow = AllocateThunk(AsObject(last));
    const std::uint8_t* secondBlock = BlockOf(overflow);
    Expect("455th stub: in a new block", 1, secondBlock != block);
    Expect("455th stub: the last of the new block", Address(secondBlock) + StubOffset(StubsPerBlock - 1),
           Address(reinterpret_cast<void*>(overflow)));
    std::vector<std::uint32_t> secondWords = FreeChain(secondBlock, 0);
    secondWords[StubsPerBlock - 1] = Address(&last);
    CheckBlock("second block", secondBlock, Address(block), secondWords);
    CheckCall("a stub of the second block", CallStub(overflow, 5, 6, 7, 8), last, 1, 1);

    // A released stub of the first block comes back before the second block's free ones.
    ReleaseThunk(live[100]);
    Expect("after the release: the released stub", Address(reinterpret_cast<void*>(live[100])),
           Address(reinterpret_cast<void*>(AllocateThunk(AsObject(stranger)))));

    std::printf("%d check(s) failed\n", Failures);
    return Failures == 0 ? 0 : 1;
}
