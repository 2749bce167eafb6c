#include "CpuFeatures.h"

#include <gtest/gtest.h>

#ifdef TINTARO_X86_SIMD
// The program's own processor queries must agree with the compiler's, including the check that
// the system saves the wide registers, or a vector path could run where it faults.
TEST(CpuFeatures, AgreeWithTheCompilersChecks) {
    __builtin_cpu_init();
    EXPECT_EQ(tintaro::cpu::hasSsse3(), __builtin_cpu_supports("ssse3") != 0);
    EXPECT_EQ(tintaro::cpu::hasAvx(), __builtin_cpu_supports("avx") != 0);
}
#endif
