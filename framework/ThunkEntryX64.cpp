// ThunkEntry for x86-64, alone in its file: top-level assembly must not share a file with data
// whose section the compiler tracks. Reached by a jump from a stub with R10 pointing at the
// stub's object word and RCX, RDX, R8, R9 and the stack as Windows passed them to the window
// procedure. Unwind information is given, so the system can walk the stack through it.
#include "AsmSymbol.h"
#include "MessageRecord.h"

#include <cstddef>

// The record lies at [rsp+32], above the 32 bytes of home space that ThunkDispatch may use.
static_assert(offsetof(MessageRecord, Handle) == 0, "record.Handle at [rsp+32]");
static_assert(offsetof(MessageRecord, Message) == 8, "record.Message at [rsp+40]");
static_assert(offsetof(MessageRecord, WParam) == 16, "record.WParam at [rsp+48]");
static_assert(offsetof(MessageRecord, LParam) == 24, "record.LParam at [rsp+56]");
static_assert(offsetof(MessageRecord, Result) == 32, "record.Result at [rsp+64]");
static_assert(sizeof(MessageRecord) == 40, "the record ends at [rsp+72]");

asm(".intel_syntax noprefix\n"
    ".text\n"
    ".globl " ZEF_ASM_SYMBOL(ThunkEntry) "\n"
    ".def " ZEF_ASM_SYMBOL(ThunkEntry) "; .scl 2; .type 32; .endef\n"
    ".seh_proc " ZEF_ASM_SYMBOL(ThunkEntry) "\n"
    ZEF_ASM_SYMBOL(ThunkEntry) ":\n"
    "sub rsp, 72\n"                  // home space 32 + record 40; RSP was 8 off 16-alignment, now aligned
    ".seh_stackalloc 72\n"
    ".seh_endprologue\n"
    "mov qword ptr [rsp+32], rcx\n"  // record.Handle
    "mov dword ptr [rsp+40], edx\n"  // record.Message
    "mov qword ptr [rsp+48], r8\n"   // record.WParam
    "mov qword ptr [rsp+56], r9\n"   // record.LParam
    "mov qword ptr [rsp+64], 1\n"    // record.Result
    "mov rcx, qword ptr [r10]\n"     // ThunkDispatch's object: the stub's word
    "lea rdx, [rsp+32]\n"            // ThunkDispatch's record
    "call " ZEF_ASM_SYMBOL(ThunkDispatch) "\n"
    "mov rax, qword ptr [rsp+64]\n"  // record.Result is what the window procedure returns
    "add rsp, 72\n"
    "ret\n"
    ".seh_endproc\n"
    ".att_syntax prefix\n");
