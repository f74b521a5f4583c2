// ThunkEntry for 32-bit x86, alone in its file: top-level assembly must not share a file with
// data whose section the compiler tracks. Reached from a block's prologue with ECX pointing at
// the stub's object word and the stack as Windows built it for a stdcall window procedure.
#include "AsmSymbol.h"
#include "MessageRecord.h"

#include <cstddef>

static_assert(sizeof(MessageRecord) == 20, "five 32-bit fields, pushed below");
static_assert(offsetof(MessageRecord, Result) == 16, "Result is the last field pushed first");

asm(".intel_syntax noprefix\n"
    ".text\n"
    ".globl " ZEF_ASM_SYMBOL(ThunkEntry) "\n"
    ZEF_ASM_SYMBOL(ThunkEntry) ":\n"
    "push ebp\n"                     // [ebp+8] hwnd, [ebp+12] message, [ebp+16] wParam, [ebp+20] lParam
    "mov ebp, esp\n"
    "and esp, -16\n"                 // ThunkDispatch may rely on a 16-byte aligned stack
    "sub esp, 4\n"                   // 4 + 20 (record) + 8 (arguments): aligned again at the call
    "push 1\n"                       // record.Result
    "push dword ptr [ebp+20]\n"      // record.LParam
    "push dword ptr [ebp+16]\n"      // record.WParam
    "push dword ptr [ebp+12]\n"      // record.Message
    "push dword ptr [ebp+8]\n"       // record.Handle
    "mov eax, esp\n"
    "push eax\n"                     // ThunkDispatch's record
    "push dword ptr [ecx]\n"         // ThunkDispatch's object: the stub's word
    "call " ZEF_ASM_SYMBOL(ThunkDispatch) "\n"
    "mov eax, dword ptr [esp+24]\n"  // record.Result, above the two arguments and four fields
    "mov esp, ebp\n"
    "pop ebp\n"
    "ret 16\n"                       // stdcall: the callee removes the four arguments
    ".att_syntax prefix\n");
