// The compiler's 64-bit division helpers, for a program that links no C
// runtime: a 386 divides at most 64 by 32 bits, so the compiler calls these
// for every 64-bit quotient. Ours replace libgcc's, which are larger and
// bring unwind tables that nothing here reads; the program divides in 64
// bits only for progress figures, a few times per file.
#pragma once

#include <cstdint>

extern "C" {
uint64_t __udivdi3(uint64_t dividend, uint64_t divisor);
int64_t __divdi3(int64_t dividend, int64_t divisor);
}
