#include "unzip/cpu_features.h"

// The processor's own word; only SSE2 needs the system's word as well (on
// Windows), and the processor's word on AVX-512 already says whether the
// system saves its registers.
#if defined(__i386__) || defined(__x86_64__)

bool ProcessorHasBmi2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("bmi2");
}

bool ProcessorHasClmul() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("pclmul");
}

bool SystemEnablesWideClmul() {
    if (!SystemEnablesSse2() || !ProcessorHasClmul()) return false;
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("vpclmulqdq");
}

#else

bool ProcessorHasBmi2() { return false; }
bool ProcessorHasClmul() { return false; }
bool SystemEnablesWideClmul() { return false; }

#endif
