// Match copies inside the window: every routine gives the bytes of a
// byte-by-byte copy from front to back and leaves every byte outside the
// match as it was (behind the match lies the history of the previous round).
#include <gtest/gtest.h>

#include <vector>

#include "unzip/window_copy.h"

namespace {

typedef std::vector<uint8_t> Bytes;

// A window whose bytes all differ from their neighbours, so that a wrong
// source or a stray write shows.
Bytes PatternedWindow() {
    Bytes w(kWindowSize);
    uint32_t x = 2463534242u;
    for (uint8_t& b : w) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = static_cast<uint8_t>(x);
    }
    return w;
}

void ReferenceCopy(Bytes& w, unsigned pos, unsigned distance, unsigned length) {
    for (unsigned i = 0; i < length; ++i) w[pos + i] = w[(pos + i + kWindowSize - distance) % kWindowSize];
}

const unsigned kDistances[] = {1,  2,  3,  4,  5,  6,   7,   8,   9,   10,  12,   15,          16,   17,
                               18, 24, 31, 32, 33, 48, 100, 255, 258, 259, 1000, 32768 - 300, 32768};
const unsigned kLengths[] = {3, 4, 7, 8, 9, 15, 16, 17, 24, 31, 32, 33, 47, 100, 257, 258};

// The fast loop's copy, with the room it leaves after a match; positions
// where the source lies wholly before the match and where it wraps round
// the window end.
TEST(WindowCopy, CopyWithRoomEqualsByteCopyAndKeepsWhatFollows) {
    const Bytes original = PatternedWindow();
    const unsigned positions[] = {0, 1, 9, 300, 1000, 20000, kWindowSize - 258 - kCopyOvershoot - 1};
    for (unsigned pos : positions)
        for (unsigned distance : kDistances)
            for (unsigned length : kLengths) {
                Bytes expected = original, actual = original;
                ReferenceCopy(expected, pos, distance, length);
                CopyMatchWithRoom(actual.data(), pos, distance, length);
                ASSERT_TRUE(actual == expected) << "pos " << pos << " distance " << distance << " length " << length;
            }
}

// The careful loop's copy, up to the very end of the window.
TEST(WindowCopy, CopyMatchEqualsByteCopyUpToTheWindowEnd) {
    const Bytes original = PatternedWindow();
    for (unsigned distance : kDistances)
        for (unsigned length : kLengths) {
            const unsigned positions[] = {0, 5, 4000, kWindowSize - length};
            for (unsigned pos : positions) {
                Bytes expected = original, actual = original;
                ReferenceCopy(expected, pos, distance, length);
                CopyMatch(actual.data(), pos, distance, length);
                ASSERT_TRUE(actual == expected) << "pos " << pos << " distance " << distance << " length " << length;
            }
        }
}

}  // namespace
