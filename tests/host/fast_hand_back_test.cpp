// The fast loop's hand-back to the careful reader: from where the loop's
// word stopped (bytes loaded, bits not used yet) and the furthest bit any
// request reached, the careful reader's input position, bit count and
// bits. One row per rule: nothing read, a pair covering the furthest
// request, a position already further, a furthest request behind what was
// consumed, an exact pair boundary, three pairs, all used, and bits the
// careful reader brought from before this buffer.
#include <gtest/gtest.h>

#include "unzip/fast_hand_back.h"

namespace {

struct HandBackRow {
    int32_t positionBefore;
    long loadedBytes;
    uintptr_t unusedBits;  // above unusedCount: whatever the word held
    unsigned unusedCount;
    long furthestBit;
    int32_t position;
    unsigned count;
    uint32_t bits;
};

const HandBackRow kRows[] = {
    {0, 0, 0x0, 0, 0, 0, 0, 0x0},                   // nothing asked: nothing fetched
    {0, 1, 0xF14, 5, 9, 2, 13, 0x794},              // bit 9 lies in the first pair
    {4, 2, 0xF, 6, 12, 4, 22, 0x3E58F},             // the reader had fetched two pairs already
    {0, 3, 0x4B, 7, 5, 4, 15, 0x7CB},               // consumed bits count as asked for
    {0, 1, 0x0, 0, 16, 2, 8, 0x3C},                 // bit 16 ends the first pair exactly
    {0, 3, 0x9, 4, 33, 6, 28, 0x78E10F9},           // bit 33 needs the third pair
    {2, 2, 0x0, 0, 16, 2, 0, 0x0},                  // all fetched bits consumed
    {0, 0, 0xA, 4, 0, 0, 4, 0xA},                   // four bits from the last buffer, none asked
    {0, 2, 0x3CA5A, 20, 13, 2, 20, 0x3CA5A},        // those four and the first pair
};

TEST(FastHandBack, CarefulReaderHoldsThePairsUpToTheFurthestRequest) {
    const uint8_t buffer[16] = {0xA5, 0x3C, 0x96, 0x0F, 0xE1, 0x78, 0x5A, 0xC3};
    for (const HandBackRow& row : kRows) {
        DecoderState state = {};
        state.inputPosition = row.positionBefore;
        state.bitBuffer = 0xFFFFFFFF;
        HandBackToCarefulReader(buffer, row.loadedBytes, row.unusedBits, row.unusedCount, row.furthestBit, state);
        SCOPED_TRACE(testing::Message() << "loaded " << row.loadedBytes << ", unused " << row.unusedCount
                                        << ", furthest " << row.furthestBit);
        EXPECT_EQ(state.inputPosition, row.position);
        EXPECT_EQ(state.bitCount, row.count);
        EXPECT_EQ(state.bitBuffer, row.bits);
    }
}

}  // namespace
