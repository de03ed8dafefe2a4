#pragma once

#include <cstdio>
#include <cstdlib>

// A property that must hold for every input: when it does not, the input is
// a finding, kept by the fuzzer as a crash.
#define FUZZ_CHECK(cond)                                                                    \
    do {                                                                                    \
        if (!(cond)) {                                                                      \
            std::fprintf(stderr, "%s:%d: property does not hold: %s\n", __FILE__, __LINE__, \
                         #cond);                                                            \
            std::abort();                                                                   \
        }                                                                                   \
    } while (0)
