// The fast loop's hand-back to the careful reader: from the bits consumed
// and the furthest bit any request reached, the careful reader's input
// position, bit count and bits. One row per rule: nothing read, a pair
// covering the furthest request, a position already further, a furthest
// request behind what was consumed, an exact pair boundary, three pairs.
#include <gtest/gtest.h>

#include "unzip/inflate_codes.h"

namespace {

struct HandBackRow {
    int32_t positionBefore;
    long consumedBits;
    long furthestBit;
    int32_t position;
    unsigned count;
    uint32_t bits;
};

const HandBackRow kRows[] = {
    {0, 0, 0, 0, 0, 0},             // nothing asked: nothing fetched
    {0, 3, 9, 2, 13, 0x794},        // bit 9 lies in the first pair
    {4, 10, 12, 4, 22, 0x3E58F},    // the reader had fetched two pairs already
    {0, 17, 5, 4, 15, 0x7CB},       // consumed bits count as asked for
    {0, 8, 16, 2, 8, 0x3C},         // bit 16 ends the first pair exactly
    {0, 20, 33, 6, 28, 0x78E10F9},  // bit 33 needs the third pair
    {2, 16, 16, 2, 0, 0},           // all fetched bits consumed
};

TEST(FastHandBack, CarefulReaderHoldsThePairsUpToTheFurthestRequest) {
    const uint8_t buffer[16] = {0xA5, 0x3C, 0x96, 0x0F, 0xE1, 0x78, 0x5A, 0xC3};
    for (const HandBackRow& row : kRows) {
        DecoderState state = {};
        state.inputPosition = row.positionBefore;
        state.bitBuffer = 0xFFFFFFFF;
        HandBackToCarefulReader(buffer, row.consumedBits, row.furthestBit, state);
        SCOPED_TRACE(testing::Message() << "consumed " << row.consumedBits << ", furthest " << row.furthestBit);
        EXPECT_EQ(state.inputPosition, row.position);
        EXPECT_EQ(state.bitCount, row.count);
        EXPECT_EQ(state.bitBuffer, row.bits);
    }
}

}  // namespace
