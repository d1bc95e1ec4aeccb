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

// The BMI2 shifts: general registers only, nothing for the system to save.
bool ProcessorHasBmi2();

// PCLMULQDQ, usable with SSE2 registers.
bool ProcessorHasClmul();

// AVX-512 with VPCLMULQDQ (used with PCLMULQDQ and SSE2, asked apart), and
// a system that saves the 512-bit registers
// (Windows 95 does not even enable XSAVE).
bool SystemEnablesWideClmul();
