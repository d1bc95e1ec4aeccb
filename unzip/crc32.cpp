#include "unzip/crc32.h"

#include <cstring>

#include "unzip/cpu_features.h"
#include "unzip/crc32_clmul.h"

namespace {

const uint32_t kReflectedPolynomial = 0xEDB88320u;

// crcTable[0] is the classic byte table; the seven further tables fold
// eight bytes per step (each is the previous one advanced by a zero
// byte), which keeps the check from costing more than the decoding.
uint32_t crcTable[8][256];
Crc32Path crcPath = kCrcTables;
const size_t kClmulFrom = 64;

inline uint32_t Load32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

Crc32Path BestCrc32Path() {
    return SystemEnablesSse2() && ProcessorHasClmul() ? kCrcClmul : kCrcTables;
}

void UseCrc32Path(Crc32Path path) { crcPath = path; }

void InitCrc32Table() {
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ kReflectedPolynomial : c >> 1;
        crcTable[0][i] = c;
    }
    for (int t = 1; t < 8; ++t)
        for (int i = 0; i < 256; ++i)
            crcTable[t][i] = (crcTable[t - 1][i] >> 8) ^ crcTable[0][crcTable[t - 1][i] & 0xFF];
    crcPath = BestCrc32Path();
}

void Crc32Update(const void* bytes, size_t count, uint32_t& crc) {
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    uint32_t c = crc;
    if (crcPath != kCrcTables && count >= kClmulFrom) {
        size_t whole = count & ~static_cast<size_t>(15);
        c = Crc32FoldClmul(c, p, whole);
        p += whole;
        count -= whole;
    }
    for (; count >= 8; count -= 8, p += 8) {
        uint32_t low = c ^ Load32(p);
        uint32_t high = Load32(p + 4);
        c = crcTable[7][low & 0xFF] ^ crcTable[6][(low >> 8) & 0xFF] ^ crcTable[5][(low >> 16) & 0xFF] ^
            crcTable[4][low >> 24] ^ crcTable[3][high & 0xFF] ^ crcTable[2][(high >> 8) & 0xFF] ^
            crcTable[1][(high >> 16) & 0xFF] ^ crcTable[0][high >> 24];
    }
    for (; count > 0; --count, ++p) c = crcTable[0][(c ^ *p) & 0xFF] ^ (c >> 8);
    crc = c;
}
