#pragma once

// The assembler name of a C symbol: Win32 on x86 puts an underscore in front, x64 and Linux
// do not. For the entry code, which is written in assembly.
#define ZEF_ASM_STRING(text) #text
#define ZEF_ASM_EXPAND(text) ZEF_ASM_STRING(text)
#define ZEF_ASM_SYMBOL(name) ZEF_ASM_EXPAND(__USER_LABEL_PREFIX__) #name
