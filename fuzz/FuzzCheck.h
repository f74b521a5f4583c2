#pragma once
// A failed check in a fuzz target: prints what was expected and what came, then aborts, so that
// libFuzzer keeps the input that led there.
#include <cstdio>
#include <cstdlib>
#include <sstream>

#define FUZZ_CHECK_EQ(expected, actual, what)                                                 \
  do {                                                                                        \
    const auto& fuzzExpected = (expected);                                                    \
    const auto& fuzzActual = (actual);                                                        \
    if (!(fuzzExpected == fuzzActual)) {                                                      \
      std::ostringstream fuzzMessage;                                                         \
      fuzzMessage << what << ": expected " << fuzzExpected << ", got " << fuzzActual;         \
      std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, fuzzMessage.str().c_str());   \
      std::abort();                                                                           \
    }                                                                                         \
  } while (false)
