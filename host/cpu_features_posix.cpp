#include "unzip/cpu_features.h"

namespace {

const unsigned kSse2Bit = 1u << 26;  // CPUID leaf 1, EDX

}  // namespace

bool SystemEnablesSse2() {
#if defined(__i386__) || defined(__x86_64__)
    return ProcessorFeatureBit(1, kRegisterD, kSse2Bit);
#else
    return false;
#endif
}
