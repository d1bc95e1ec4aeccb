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
