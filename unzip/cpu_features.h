// What the processor offers and the system lets the decoder use: the
// decoder's wide loops and the CRC's carry-less multiply are chosen once
// from these.
#pragma once

// Registers of the processor's CPUID answer, and one bit of it for a
// leaf (false where the processor has no such leaf, or no CPUID at all).
enum CpuidRegister { kRegisterA, kRegisterB, kRegisterC, kRegisterD };
bool ProcessorFeatureBit(unsigned leaf, int cpuidRegister, unsigned bit);

// SSE2 registers: the processor has them and the system saves them
// between threads (Windows 95 never does).
bool SystemEnablesSse2();

// PCLMULQDQ, usable with SSE2 registers.
bool ProcessorHasClmul();
