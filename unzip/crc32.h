// CRC-32 of the ZIP format (reflected, constant 0xEDB88320), table-driven.
// The table is built once at start-up, before any extraction.
#pragma once

#include <cstddef>
#include <cstdint>

void InitCrc32Table();

// Folds count bytes into the register in place; count 0 leaves it as it is.
void Crc32Update(const void* bytes, size_t count, uint32_t& crc);

// The ways the register can be folded: tables everywhere, carry-less
// multiply where processor and system allow. The best one is chosen at
// start-up; tests may choose one up to it.
enum Crc32Path { kCrcTables, kCrcClmul };
Crc32Path BestCrc32Path();
void UseCrc32Path(Crc32Path path);
