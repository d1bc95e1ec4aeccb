// The fast loop of the codes of a block. While at least kInputMargin bytes
// are left in the input buffer and a longest match fits before the window
// end, it keeps a machine word of bits refilled without branches (a whole
// word is loaded and as many whole bytes taken as fit), and copies matches
// in words. Neither a refill nor a flush can happen here, so the cancel
// and end-of-input flags cannot change either.
//
// The careful bit reader fetches two bytes whenever a request finds too few
// bits, so what it holds at any moment follows from the furthest bit any
// request reached. The loop notes that furthest bit for every table lookup
// (the only requests not used up at once) and rebuilds the careful
// reader's buffer, count and input position from it when it hands back.
#include <cstring>

#include "unzip/inflate_codes.h"
#include "unzip/window_copy.h"

namespace {

typedef uintptr_t BitWord;
const unsigned kWordBits = sizeof(BitWord) * 8;
const int32_t kInputMargin = 32;  // a match needs at most 48 bits; words are read ahead
const unsigned kMaxMatch = 258;

inline BitWord LoadWord(const uint8_t* p) {
    BitWord w;
    memcpy(&w, p, sizeof w);
    return w;
}

bool fastDecoding = true;

inline BitWord LowBits(unsigned n) { return (static_cast<BitWord>(1) << n) - 1; }

}  // namespace

void EnableFastDecoding(bool enabled) { fastDecoding = enabled; }

int DecodeCodesFast(DecoderState& state, const BlockCodes& codes, bool* blockEnded) {
    const int32_t valid = state.inputEnd + 1;
    if (!fastDecoding || valid - state.inputPosition < kInputMargin || state.windowPosition >= kWindowSize - kMaxMatch) return kDecodeOk;

    const uint8_t* const buffer = state.inputBuffer;
    const uint8_t* in = buffer + state.inputPosition;
    const uint8_t* const inLimit = buffer + valid - kInputMargin;
    const int32_t entryPosition = state.inputPosition;
    BitWord bits = state.bitBuffer;
    unsigned bitsLeft = state.bitCount;
    // Furthest bit (counted from the buffer start; bits still held from the
    // previous buffer count negative) that the careful reader was asked for.
    long furthest = 0;

    uint8_t* const window = state.window;
    unsigned pos = state.windowPosition;
    const uint32_t* const literalTable = codes.literalLength.entries;
    const unsigned literalWidth = codes.literalLength.width;
    const BitWord literalMask = LowBits(literalWidth);
    const uint32_t* const distanceTable = codes.distance.entries;
    const unsigned distanceWidth = codes.distance.width;
    const BitWord distanceMask = LowBits(distanceWidth);
    int result = kDecodeOk;

#define REFILL()                                        \
    do {                                                \
        bits |= LoadWord(in) << bitsLeft;               \
        in += (kWordBits - 1 - bitsLeft) >> 3;          \
        bitsLeft |= kWordBits - 8;                      \
    } while (0)
#define CONSUMED() (static_cast<long>(in - buffer) * 8 - static_cast<long>(bitsLeft))
#define NOTE_REQUEST(n)                                  \
    do {                                                \
        long reach = CONSUMED() + static_cast<long>(n); \
        if (reach > furthest) furthest = reach;         \
    } while (0)
#define DROP(n)          \
    do {                 \
        bits >>= (n);    \
        bitsLeft -= (n); \
    } while (0)

    while (in <= inLimit && pos < kWindowSize - kMaxMatch) {
        REFILL();
        uint32_t entry = literalTable[bits & literalMask];
        if (EntryKindOf(entry) == kEntryLink) {
            unsigned subBits = EntryExtra(entry);
            NOTE_REQUEST(literalWidth + subBits);
            DROP(literalWidth);
            entry = literalTable[EntryValue(entry) + (bits & LowBits(subBits))];
        } else {
            NOTE_REQUEST(literalWidth);
        }
        unsigned kind = EntryKindOf(entry);
        if (kind == kEntryLiteral) {
            DROP(EntryBits(entry));
            window[pos++] = static_cast<uint8_t>(EntryValue(entry));
            continue;
        }
        if (kind == kEntryEndOfBlock) {
            DROP(EntryBits(entry));
            *blockEnded = true;
            break;
        }
        if (kind != kEntryBase) {
            result = kDecodeBadData;
            break;
        }
        DROP(EntryBits(entry));
        unsigned extra = EntryExtra(entry);
        unsigned length = EntryValue(entry) + static_cast<unsigned>(bits & LowBits(extra));
        DROP(extra);

        if (kWordBits < 64) REFILL();
        entry = distanceTable[bits & distanceMask];
        if (EntryKindOf(entry) == kEntryLink) {
            unsigned subBits = EntryExtra(entry);
            NOTE_REQUEST(distanceWidth + subBits);
            DROP(distanceWidth);
            entry = distanceTable[EntryValue(entry) + (bits & LowBits(subBits))];
        } else {
            NOTE_REQUEST(distanceWidth);
        }
        if (EntryKindOf(entry) != kEntryBase) {
            result = kDecodeBadData;
            break;
        }
        DROP(EntryBits(entry));
        extra = EntryExtra(entry);
        if (kWordBits < 64 && bitsLeft < extra) REFILL();
        unsigned distance = EntryValue(entry) + static_cast<unsigned>(bits & LowBits(extra));
        DROP(extra);
        CopyMatch(window, pos, distance, length);
        pos += length;
    }
#undef REFILL
#undef CONSUMED
#undef NOTE_REQUEST
#undef DROP

    // Hand back what the careful reader would hold: the bytes up to the
    // pair that covers the furthest request, and the bits not consumed.
    long consumed = static_cast<long>(in - buffer) * 8 - static_cast<long>(bitsLeft);
    if (furthest < consumed) furthest = consumed;
    long fetched = furthest > 0 ? ((furthest + 15) / 16) * 2 : 0;
    if (fetched < entryPosition) fetched = entryPosition;
    unsigned count = static_cast<unsigned>(fetched * 8 - consumed);
    uint64_t held = static_cast<uint64_t>(bits & LowBits(bitsLeft));
    if (bitsLeft < count) {
        uint32_t ahead;
        memcpy(&ahead, in, sizeof ahead);
        held |= static_cast<uint64_t>(ahead) << bitsLeft;
    }
    state.bitBuffer = static_cast<uint32_t>(held & ((static_cast<uint64_t>(1) << count) - 1));
    state.bitCount = static_cast<uint8_t>(count);
    state.inputPosition = static_cast<int32_t>(fetched);
    state.windowPosition = static_cast<uint16_t>(pos);
    return result;
}
