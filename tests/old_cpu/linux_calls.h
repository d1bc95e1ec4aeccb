// The Linux system calls of the i386 program, made through int 0x80, the
// entry every i386 kernel and qemu-user offer, since the program links no
// C library. A result from -4095 to -1 is a negated errno value.
#pragma once

#include <asm/unistd.h>

inline long LinuxCall(long number, long a = 0, long b = 0, long c = 0, long d = 0, long e = 0) {
    long result;
    __asm__ volatile("int $0x80"
                     : "=a"(result)
                     : "0"(number), "b"(a), "c"(b), "d"(c), "S"(d), "D"(e)
                     : "memory");
    return result;
}

// Addresses above 2 GiB look negative too: only the errno range fails.
inline bool LinuxFailed(long result) { return static_cast<unsigned long>(result) >= static_cast<unsigned long>(-4095); }
