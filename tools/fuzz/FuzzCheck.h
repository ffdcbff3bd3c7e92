#pragma once
// A failed property in a fuzz target: print what broke and abort, so libFuzzer
// keeps the input as a crash reproducer.

#include <cstdio>
#include <cstdlib>

#define ORVEXP_FUZZ_CHECK(condition)                                                                   \
    do {                                                                                               \
        if (!(condition)) {                                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);         \
            std::abort();                                                                              \
        }                                                                                              \
    } while (false)
