// CRC-32 against a bit-by-bit reference of the reflected polynomial: the
// published check value, the table, empty input, and pieces of every size
// (the table path for short runs, the wide paths for long ones).
#include "unzip/crc32.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

uint32_t Reference(const uint8_t* p, size_t n, uint32_t reg) {
    for (size_t i = 0; i < n; ++i) {
        reg ^= p[i];
        for (int k = 0; k < 8; ++k) reg = (reg & 1) ? (reg >> 1) ^ 0xEDB88320u : reg >> 1;
    }
    return reg;
}

TEST(Crc32, CheckValueAndEmpty) {
    InitCrc32Table();
    uint32_t reg = 0xFFFFFFFFu;
    Crc32Update("123456789", 9, reg);
    EXPECT_EQ(~reg, 0xCBF43926u);
    reg = 0xFFFFFFFFu;
    Crc32Update("", 0, reg);
    EXPECT_EQ(~reg, 0u);  // an empty member has CRC 0
}

TEST(Crc32, AgreesWithTheBitwiseRuleForEverySize) {
    InitCrc32Table();
    std::vector<uint8_t> data(70000);
    uint32_t x = 12345;
    for (uint8_t& b : data) b = static_cast<uint8_t>((x = x * 1103515245u + 12345u) >> 23);
    const size_t sizes[] = {1,   2,   3,   7,   8,   9,   15,  16,   17,   31,    32,    48,   63,
                            64,  65,  95,  96,  112, 127, 128, 129,  255,  256,   257,   271,  272,
                            320, 511, 512, 513, 767, 768, 784, 1000, 4097, 32768, 65536, 70000};
    for (int path = kCrcTables; path <= BestCrc32Path(); ++path) {
        UseCrc32Path(static_cast<Crc32Path>(path));
        for (size_t size : sizes)
            for (size_t offset : {0, 1, 3}) {
                if (offset + size > data.size()) continue;
                uint32_t reg = 0x12345678u;
                Crc32Update(data.data() + offset, size, reg);
                EXPECT_EQ(reg, Reference(data.data() + offset, size, 0x12345678u))
                    << size << "+" << offset << " path " << path;
            }
    }
    UseCrc32Path(BestCrc32Path());
}

TEST(Crc32, PiecesGiveTheSameRegister) {
    InitCrc32Table();
    std::vector<uint8_t> data(100000, 0);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 131 + (i >> 7));
    uint32_t whole = 0xFFFFFFFFu, pieces = 0xFFFFFFFFu;
    Crc32Update(data.data(), data.size(), whole);
    for (size_t at = 0, step = 1; at < data.size(); at += step, step = step * 2 + 3)
        Crc32Update(data.data() + at, std::min(step, data.size() - at), pieces);
    EXPECT_EQ(pieces, whole);
}

}  // namespace
