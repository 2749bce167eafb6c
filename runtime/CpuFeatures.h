#pragma once

// Vector paths for x86-64 are chosen at run time from what the processor has. TINTARO_NO_SIMD
// builds the portable paths alone (the tests build it so, to check both give the same pixels).
#if defined(__x86_64__) && !defined(TINTARO_NO_SIMD)
#define TINTARO_X86_SIMD 1
#include <immintrin.h>

namespace tintaro::cpu {

// Each asks the processor once per process.
inline bool hasSsse3() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("ssse3") != 0;
    }();
    return has;
}

inline bool hasAvx() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
    }();
    return has;
}

} // namespace tintaro::cpu
#endif
