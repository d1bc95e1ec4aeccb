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
