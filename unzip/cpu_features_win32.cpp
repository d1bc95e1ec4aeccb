#include <windows.h>

#include "unzip/cpu_features.h"

namespace {

const DWORD kSse2Feature = 10;     // PF_XMMI64_INSTRUCTIONS_AVAILABLE
const unsigned kSse2Bit = 1u << 26;  // CPUID leaf 1, EDX

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
    return ProcessorFeatureBit(1, kRegisterD, kSse2Bit);
}
