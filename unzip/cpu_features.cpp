#include "unzip/cpu_features.h"

// The processor's own word; SSE2 needs the system's word as well (on
// Windows), and so do the 512-bit registers: the system says through
// XGETBV which register states it saves, once it has enabled XSAVE (which
// CPUID reports; XGETBV itself faults before that).
#if defined(__i386__) || defined(__x86_64__)

#include <cpuid.h>

namespace {

const unsigned kAvx512States = 0xE6;  // SSE, AVX, opmask, upper ZMM halves, upper 16 ZMM
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

__attribute__((noinline)) bool SystemSavesAvx512State() {
    if (!ProcessorFeatureBit(1, kRegisterC, bit_OSXSAVE)) return false;
    unsigned low, high;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return (low & kAvx512States) == kAvx512States;
}

}  // namespace

// Asked of the processor directly rather than through the compiler's
// feature table, whose initialisation adds more code than all of this.
bool ProcessorFeatureBit(unsigned leaf, int cpuidRegister, unsigned bit) {
    unsigned r[4];
    if (!CpuidLeaf(leaf, 0, r)) return false;
    return (r[cpuidRegister] & bit) != 0;
}

bool ProcessorHasBmi2() { return ProcessorFeatureBit(7, kRegisterB, bit_BMI2); }

bool ProcessorHasClmul() { return ProcessorFeatureBit(1, kRegisterC, bit_PCLMUL); }

bool SystemEnablesWideClmul() {
    return SystemSavesAvx512State() && ProcessorFeatureBit(7, kRegisterB, bit_AVX512F) &&
           ProcessorFeatureBit(7, kRegisterC, bit_VPCLMULQDQ);
}

#else

bool ProcessorFeatureBit(unsigned, int, unsigned) { return false; }
bool ProcessorHasBmi2() { return false; }
bool ProcessorHasClmul() { return false; }
bool SystemEnablesWideClmul() { return false; }

#endif
