#pragma once

#include <cstdio>

// A property that fails traps at once, so libFuzzer keeps the input as a crash and prints the line.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: property does not hold: %s\n", __FILE__, __LINE__, #condition);     \
            __builtin_trap();                                                                                \
        }                                                                                                    \
    } while (false)
#define FUZZ_CHECK_EQUAL(actual, expected) FUZZ_CHECK((actual) == (expected))
