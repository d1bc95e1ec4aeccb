#include "unzip/cpu_features.h"

namespace {

bool ProcessorSupports(const char* feature) {
#if defined(__i386__) || defined(__x86_64__)
    __builtin_cpu_init();
    if (feature[0] == 's') return __builtin_cpu_supports("sse2");
    if (feature[0] == 'b') return __builtin_cpu_supports("bmi2");
    return __builtin_cpu_supports("pclmul");
#else
    (void)feature;
    return false;
#endif
}

}  // namespace

bool SystemEnablesSse2() { return ProcessorSupports("sse2"); }
bool ProcessorHasBmi2() { return ProcessorSupports("bmi2"); }
bool ProcessorHasClmul() { return ProcessorSupports("pclmul"); }

// The processor's own word on AVX-512 already says whether the system has
// enabled its registers (their state is saved only where the system says so).
bool SystemEnablesWideClmul() {
#if defined(__i386__) || defined(__x86_64__)
    if (!SystemEnablesSse2()) return false;
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("vpclmulqdq") &&
           __builtin_cpu_supports("pclmul");
#else
    return false;
#endif
}
