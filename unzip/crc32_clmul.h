// CRC-32 by carry-less multiplication (PCLMULQDQ with SSE2) on x86: folds
// 64 bytes per step, several times faster than any table. Used only when
// the processor has the instruction and the system saves SSE registers.
#pragma once

#include <cstddef>
#include <cstdint>

// True when the register may be folded with Crc32FoldClmul on this machine.
bool ClmulCrcAvailable();

// Folds count bytes (a multiple of 16, at least 64) into the register.
uint32_t Crc32FoldClmul(uint32_t crc, const uint8_t* bytes, size_t count);
