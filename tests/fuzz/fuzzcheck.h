#pragma once

#include <cstdio>
#include <cstdlib>

// A failed property aborts, so that libFuzzer keeps the input as a crash.
#define FUZZ_CHECK(condition)                                                     \
    do {                                                                          \
        if (!(condition)) {                                                       \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, \
                         #condition);                                             \
            std::abort();                                                         \
        }                                                                         \
    } while (false)
