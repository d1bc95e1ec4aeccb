#include "unzip/crc32_clmul.h"

bool ClmulCrcAvailable() {
#if defined(__i386__) || defined(__x86_64__)
    __builtin_cpu_init();
    return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
#else
    return false;
#endif
}
