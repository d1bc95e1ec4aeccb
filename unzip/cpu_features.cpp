#include "unzip/cpu_features.h"

// The processor's own word; SSE2 needs the system's word as well (on
// Windows), and so do the 512-bit registers: the system says through
// XGETBV which register states it saves, once it has enabled XSAVE (which
// CPUID reports; XGETBV itself faults before that).
#if defined(__i386__) || defined(__x86_64__)

#include <cpuid.h>

namespace {

const unsigned kAvx512States = 0xE6;  // SSE, AVX, opmask, upper ZMM halves, upper 16 ZMM

bool SystemSavesAvx512State() {
    unsigned a, b, c, d;
    if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & bit_OSXSAVE)) return false;
    unsigned low, high;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return (low & kAvx512States) == kAvx512States;
}

}  // namespace

bool ProcessorHasBmi2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("bmi2");
}

bool ProcessorHasClmul() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("pclmul");
}

bool SystemEnablesWideClmul() {
    if (!SystemSavesAvx512State()) return false;
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("vpclmulqdq");
}

#else

bool ProcessorHasBmi2() { return false; }
bool ProcessorHasClmul() { return false; }
bool SystemEnablesWideClmul() { return false; }

#endif
