#include <windows.h>

#include "unzip/cpu_features.h"

namespace {

const DWORD kSse2Feature = 10;  // PF_XMMI64_INSTRUCTIONS_AVAILABLE

}  // namespace

// The processor's word alone is not enough: only a system that reports
// SSE2 itself has enabled it; the function is looked up because Windows 95
// lacks it.
bool SystemEnablesSse2() {
    typedef BOOL(WINAPI * FeatureQuery)(DWORD);
    HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    FeatureQuery query = kernel ? reinterpret_cast<FeatureQuery>(
                                      reinterpret_cast<void*>(GetProcAddress(kernel, "IsProcessorFeaturePresent")))
                                : nullptr;
    if (!query || !query(kSse2Feature)) return false;
    __builtin_cpu_init();
    return __builtin_cpu_supports("sse2");
}

bool ProcessorHasBmi2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("bmi2");
}

bool ProcessorHasClmul() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("pclmul");
}

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
