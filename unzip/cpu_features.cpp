#include "unzip/cpu_features.h"

// The processor's own word; SSE2 needs the system's word as well (on
// Windows).
#if defined(__i386__) || defined(__x86_64__)

#include <cpuid.h>

namespace {

const unsigned kIdFlag = 0x200000;    // EFLAGS.ID

// A 386 and the early 486s have no CPUID and fault on it; only where it
// exists can a program toggle EFLAGS.ID. The test and the question stay in
// this one function, so that no path reaches CPUID without the test.
__attribute__((noinline)) bool CpuidLeaf(unsigned leaf, unsigned subleaf, unsigned r[4]) {
#if defined(__i386__)
    unsigned flags, original;
    __asm__ volatile(
        "pushfl\n\t"
        "pushfl\n\t"
        "popl %0\n\t"
        "movl %0, %1\n\t"
        "xorl %2, %0\n\t"
        "pushl %0\n\t"
        "popfl\n\t"
        "pushfl\n\t"
        "popl %0\n\t"
        "popfl"
        : "=&r"(flags), "=&r"(original)
        : "i"(kIdFlag));
    if (((flags ^ original) & kIdFlag) == 0) return false;
#endif
    unsigned highest, b, c, d;
    __cpuid(leaf & 0x80000000u, highest, b, c, d);
    if (highest < leaf) return false;
    __cpuid_count(leaf, subleaf, r[0], r[1], r[2], r[3]);
    return true;
}

}  // namespace

// Asked of the processor directly rather than through the compiler's
// feature table, whose initialisation adds more code than all of this.
bool ProcessorFeatureBit(unsigned leaf, int cpuidRegister, unsigned bit) {
    unsigned r[4];
    if (!CpuidLeaf(leaf, 0, r)) return false;
    return (r[cpuidRegister] & bit) != 0;
}

bool ProcessorHasClmul() { return ProcessorFeatureBit(1, kRegisterC, bit_PCLMUL); }

#else

bool ProcessorFeatureBit(unsigned, int, unsigned) { return false; }
bool ProcessorHasClmul() { return false; }

#endif
