#include <windows.h>

#include "unzip/crc32_clmul.h"

namespace {

const DWORD kSse2Feature = 10;  // PF_XMMI64_INSTRUCTIONS_AVAILABLE

// The processor's word alone is not enough: Windows 95 never saves SSE
// registers. Only a system that reports SSE2 itself has enabled it; the
// function is looked up because Windows 95 lacks it.
bool SystemEnablesSse2() {
    typedef BOOL(WINAPI * FeatureQuery)(DWORD);
    HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    FeatureQuery query =
        kernel ? reinterpret_cast<FeatureQuery>(reinterpret_cast<void*>(GetProcAddress(kernel, "IsProcessorFeaturePresent")))
               : nullptr;
    return query && query(kSse2Feature);
}

}  // namespace

bool ClmulCrcAvailable() {
    if (!SystemEnablesSse2()) return false;
    __builtin_cpu_init();
    return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
}
