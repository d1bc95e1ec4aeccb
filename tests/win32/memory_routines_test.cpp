// The C routines and 64-bit division helpers SETUP.EXE carries instead of
// a C runtime and libgcc's. This program links them in place of msvcrt's
// and libgcc's, so GoogleTest runs on them too, and is built with
// -fno-builtin so that every call below reaches them.
#include <gtest/gtest.h>

#include <cstring>

#include <cstdint>

#include "startup/runtime/long_division.h"
#include "startup/runtime/memory_routines.h"

namespace {

const int kSpan = 80;

// Byte i holds i + 1: moved bytes are told apart from untouched ones.
struct Pattern {
    unsigned char bytes[kSpan];
    Pattern() {
        for (int i = 0; i < kSpan; ++i) bytes[i] = static_cast<unsigned char>(i + 1);
    }
};

// What memmove must leave: the source's old bytes at the destination,
// everything else as it was.
void ExpectMoved(const Pattern& after, int destination, int source, int count) {
    for (int i = 0; i < kSpan; ++i) {
        bool moved = i >= destination && i < destination + count;
        int expected = moved ? i - destination + source + 1 : i + 1;
        ASSERT_EQ(after.bytes[i], expected) << "byte " << i << " of a move of " << count << " from " << source
                                            << " to " << destination;
    }
}

TEST(MemoryRoutines, MovesEveryLengthAndOverlapInBothDirections) {
    for (int count = 0; count <= 33; ++count) {
        for (int source = 0; source <= 24; source += 3) {
            for (int destination = 0; destination <= 24; destination += 2) {
                Pattern p;
                void* result = memmove(p.bytes + destination, p.bytes + source, static_cast<size_t>(count));
                ASSERT_EQ(result, p.bytes + destination);
                ExpectMoved(p, destination, source, count);
                if (destination + count <= source || source + count <= destination) {
                    Pattern q;
                    memcpy(q.bytes + destination, q.bytes + source, static_cast<size_t>(count));
                    ExpectMoved(q, destination, source, count);
                }
            }
        }
    }
}

TEST(MemoryRoutines, FillsExactlyTheCountWithTheLowByte) {
    for (int count = 0; count <= 40; ++count) {
        Pattern p;
        memset(p.bytes + 5, 0x1AB, static_cast<size_t>(count));
        for (int i = 0; i < kSpan; ++i) {
            int expected = (i >= 5 && i < 5 + count) ? 0xAB : i + 1;
            ASSERT_EQ(p.bytes[i], expected) << "count " << count << " byte " << i;
        }
    }
}

// Bytes above 127 compare as unsigned, as the C library has it.
TEST(MemoryRoutines, ComparisonsOrderBytesAsUnsigned) {
    struct Row {
        const char* a;
        const char* b;
        size_t count;
        int sign;
    };
    const Row rows[] = {
        {"abc", "abc", 3, 0},   {"abc", "abd", 3, -1}, {"abd", "abc", 3, 1},     {"ab\x80", "ab\x7f", 3, 1},
        {"\xff", "a", 1, 1},    {"abc", "abd", 2, 0},  {"", "", 0, 0},           {"a", "ab", 2, -1},
        {"ab", "a", 2, 1},      {"AB", "ab", 2, -1},
    };
    for (const Row& row : rows) {
        auto sign = [](int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; };
        EXPECT_EQ(sign(strncmp(row.a, row.b, row.count)), row.sign) << row.a << " / " << row.b;
        if (row.count <= strlen(row.a) && row.count <= strlen(row.b)) {
            EXPECT_EQ(sign(memcmp(row.a, row.b, row.count)), row.sign) << row.a << " / " << row.b;
        }
    }
    EXPECT_LT(strcmp("a", "ab"), 0);
    EXPECT_GT(strcmp("b\xe4", "b\x61"), 0);
    EXPECT_EQ(strcmp("same", "same"), 0);
}

TEST(MemoryRoutines, FindsCharactersAndTexts) {
    const char* text = "C:\\CORVANE\\BIN\\SETUP.INF";
    EXPECT_EQ(strlen(""), 0u);
    EXPECT_EQ(strlen(text), 24u);
    EXPECT_EQ(strchr(text, '\\'), text + 2);
    EXPECT_EQ(strrchr(text, '\\'), text + 14);
    EXPECT_EQ(strchr(text, '\0'), text + 24);
    EXPECT_EQ(strrchr(text, '\0'), text + 24);
    EXPECT_EQ(strchr(text, '/'), nullptr);
    EXPECT_EQ(strrchr(text, '/'), nullptr);
    EXPECT_EQ(strstr(text, "BIN"), text + 11);
    EXPECT_EQ(strstr(text, "INF"), text + 21);
    EXPECT_EQ(strstr(text, "INFO"), nullptr);
    EXPECT_EQ(strstr(text, ""), text);
    const char* empty = "";
    EXPECT_EQ(strstr(empty, ""), empty);
    EXPECT_EQ(strstr(empty, "A"), nullptr);
    EXPECT_EQ(memchr(text, 'S', 24), text + 15);
    EXPECT_EQ(memchr(text, 'S', 15), nullptr);
    EXPECT_EQ(memchr(text, '\xE4', 24), nullptr);
}

TEST(MemoryRoutines, CopiesAndJoinsTexts) {
    char buffer[32];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(strcpy(buffer, "C:\\"), buffer);
    EXPECT_EQ(strcat(buffer, "CORVANE"), buffer);
    EXPECT_STREQ(buffer, "C:\\CORVANE");
    EXPECT_EQ(buffer[11], 'x');
    EXPECT_EQ(strcat(buffer, ""), buffer);
    EXPECT_STREQ(buffer, "C:\\CORVANE");
}

// Every quotient checked by its remainder: n = q * d + r with |r| < |d|
// and r of n's sign (C++ truncates toward zero). Values pass through
// volatile so the compiler cannot fold them, and each row is divided both
// ways so the 32-bit shortcut and the bit-by-bit path both run.
TEST(LongDivision, QuotientsTruncateTowardZeroWithTheRemainderInRange) {
    const int64_t rows[][2] = {
        {7, 2}, {-7, 2}, {7, -2}, {-7, -2}, {0, 5}, {4294967295LL, 1}, {4294967296LL, 2},
        {1000000LL * 100, 3}, {2147483647LL * 65535, 1234567}, {INT64_MAX, 1}, {INT64_MAX, INT64_MAX},
        {INT64_MIN, 1}, {INT64_MIN, INT64_MAX}, {0x123456789ABCDEFLL, 0x100000001LL}, {-0x7FFFFFFF00000000LL, 3},
        {0x7FFFFFFFFFFFFFFFLL, 0x80000000LL}, {1, INT64_MAX},
    };
    for (const auto& row : rows) {
        for (int swap = 0; swap < 2; ++swap) {
            volatile int64_t n = row[swap], d = row[1 - swap];
            if (d == 0) continue;
            const int64_t q = n / d;
            const int64_t r = n - q * d;
            if (d != INT64_MIN) EXPECT_LT(r >= 0 ? r : -r, d >= 0 ? d : -d) << n << " / " << d;
            EXPECT_TRUE(r == 0 || (r < 0) == (n < 0)) << n << " / " << d;
        }
    }
    volatile uint64_t big = UINT64_MAX, three = 3, high = 0x100000000ULL;
    EXPECT_EQ(big / three, 0x5555555555555555ULL);
    EXPECT_EQ(big / high, 0xFFFFFFFFULL);
    EXPECT_EQ(big / big, 1u);
    EXPECT_EQ(__udivdi3(5, 10), 0u);
    EXPECT_EQ(__divdi3(-9, 4), -2);
}

}  // namespace
