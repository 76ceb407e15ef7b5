#pragma once

#include <cstdio>

// A property that fails traps at once, so libFuzzer keeps the input as a crash and prints the line.
inline void fuzzCheck(bool holds, const char* file, int line, const char* condition) {
    if (holds)
        return;
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, condition);
    __builtin_trap();
}
#define FUZZ_CHECK(condition) fuzzCheck(condition, __FILE__, __LINE__, #condition)
#define FUZZ_CHECK_EQUAL(actual, expected) FUZZ_CHECK((actual) == (expected))
