#pragma once

#include <cstddef>

// Fatal run-time errors. Each ends the process with its number as the exit code.
constexpr int AbstractCallError = 211;     // an abstract operation was called
constexpr int IndexOutOfRangeError = 213;  // a collection index outside the items in use
constexpr int CollectionOverflowError = 214;  // a full collection that cannot grow

// The longest report: "Runtime error " + an int + " at $" + a 64-bit address + the terminator.
constexpr std::size_t RunTimeErrorTextSize = 64;

// Writes "Runtime error N at $ADDRESS" into text: the address in upper-case hexadecimal, with
// as many digits as a pointer has.
void FormatRunTimeError(char (&text)[RunTimeErrorTextSize], int number, const void* address);

// Reports run-time error `number`, raised by the code at `address` (a reporting operation passes
// its own return address, __builtin_return_address(0)), and ends the process with exit code
// `number`. On Windows the report is a message box captioned "Error"; elsewhere a line on
// standard error.
[[noreturn]] void RunTimeError(int number, const void* address);
