#pragma once

#include <cstdio>
#include <cstdlib>

// A property that must hold for every input: when it does not, the input is
// a finding, and libFuzzer keeps it as a crash file.
#define FUZZ_CHECK(condition, ...)                                              \
    do {                                                                         \
        if (!(condition)) {                                                      \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__,       \
                         __LINE__, #condition);                                  \
            std::fprintf(stderr, __VA_ARGS__);                                   \
            std::fputc('\n', stderr);                                            \
            std::abort();                                                        \
        }                                                                        \
    } while (false)
