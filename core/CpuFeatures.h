#pragma once

// Vector paths for x86-64 are chosen at run time from what the processor has. TINTARO_NO_SIMD
// builds the portable paths alone (the tests build it so, to check both give the same pixels).
#if defined(__x86_64__) && !defined(TINTARO_NO_SIMD)
#define TINTARO_X86_SIMD 1
#include <cpuid.h>
#include <immintrin.h>

namespace tintaro::cpu {

// Each asks the processor once per process, the first time a vector path could run. The
// compiler's own feature checks would link a constructor that queries the processor at every
// start, which is slow under virtualisation and wasted on runs that never open the editor.
inline bool hasSsse3() {
    static const bool has = [] {
        unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
        return __get_cpuid(1, &eax, &ebx, &ecx, &edx) != 0 && (ecx & bit_SSSE3) != 0;
    }();
    return has;
}

inline bool hasAvx() {
    static const bool has = [] {
        unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
        if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0 || (ecx & bit_AVX) == 0 ||
            (ecx & bit_OSXSAVE) == 0)
            return false;
        // The system must also save the wide registers on a task switch (XCR0 bits 1 and 2).
        unsigned low = 0, high = 0;
        __asm__("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
        return (low & 0x6U) == 0x6U;
    }();
    return has;
}

} // namespace tintaro::cpu
#endif
