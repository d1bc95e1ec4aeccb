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
// One round takes at most two literals and a match (78 bits) and reads a
// word ahead of what it takes.
const int32_t kInputMargin = 32;
const unsigned kMaxMatch = 258;
// Literals decoded from one refill: a 64-bit word holds three longest
// codes (3 x 15 bits) after a refill, a 32-bit word one.
const unsigned kLiteralBurst = kWordBits >= 64 ? 3 : 1;

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
    if (!fastDecoding || valid - state.inputPosition < kInputMargin ||
        state.windowPosition >= kWindowSize - kMaxMatch - kCopyOvershoot - kLiteralBurst)
        return kDecodeOk;

    const uint8_t* const buffer = state.inputBuffer;
    const uint8_t* in = buffer + state.inputPosition;
    const uint8_t* const inLimit = buffer + valid - kInputMargin;
    BitWord bits = state.bitBuffer;
    unsigned bitsLeft = state.bitCount;
    // Furthest bit the careful reader was asked for, counted from the byte
    // at in (so it moves back at every refill).
    int ahead = -8 * state.inputPosition;

    uint8_t* const window = state.window;
    uint8_t* out = window + state.windowPosition;
    uint8_t* const outLimit = window + kWindowSize - kMaxMatch - kCopyOvershoot - kLiteralBurst;
    const uint32_t* const literalTable = codes.literalLength.entries;
    const int literalWidth = static_cast<int>(codes.literalLength.width);
    const BitWord literalMask = LowBits(codes.literalLength.width);
    const uint32_t* const distanceTable = codes.distance.entries;
    const int distanceWidth = static_cast<int>(codes.distance.width);
    const BitWord distanceMask = LowBits(codes.distance.width);
    int result = kDecodeOk;

#define REFILL()                                                   \
    do {                                                           \
        unsigned advance = (kWordBits - 1 - bitsLeft) >> 3;        \
        bits |= LoadWord(in) << bitsLeft;                          \
        in += advance;                                             \
        ahead -= static_cast<int>(advance * 8);                    \
        bitsLeft |= kWordBits - 8;                                 \
    } while (0)
#define NOTE_REQUEST(n)                                            \
    do {                                                           \
        int reach = (n) - static_cast<int>(bitsLeft);              \
        ahead = reach > ahead ? reach : ahead;                     \
    } while (0)
#define DROP(n)          \
    do {                 \
        bits >>= (n);    \
        bitsLeft -= (n); \
    } while (0)
// One table lookup, following a link to its subtable, noting how far the
// careful reader would have asked for bits. RESOLVE finishes a lookup whose
// first level was loaded ahead.
#define RESOLVE(entry, table, width)                                        \
    do {                                                                    \
        if (entry & kRareFlag && EntryKindOf(entry) == kEntryLink) {        \
            unsigned subBits = EntryExtra(entry);                           \
            NOTE_REQUEST(width + static_cast<int>(subBits));                \
            DROP(width);                                                    \
            entry = table[EntryValue(entry) + (bits & LowBits(subBits))];   \
        } else {                                                            \
            NOTE_REQUEST(width);                                            \
        }                                                                   \
    } while (0)
#define LOOKUP(entry, table, width, mask) \
    do {                                  \
        entry = table[bits & mask];       \
        RESOLVE(entry, table, width);     \
    } while (0)
// The entry's low byte is its code bits and nothing else, and a shift
// only looks at the low bits of its count.
#define DROP_CODE(entry) DROP((entry) & (kWordBits - 1))
#define PUT_LITERAL(entry)                                  \
    do {                                                    \
        DROP_CODE(entry);                                   \
        *out++ = static_cast<uint8_t>(EntryValue(entry));   \
    } while (0)
// Every way round the loop ends refilled with the next symbol's first
// table entry loaded, so that its load overlaps the copy of a match.
#define REFILL_AND_LOAD_NEXT()                      \
    do {                                            \
        REFILL();                                   \
        next = literalTable[bits & literalMask];    \
    } while (0)

    uint32_t next;
    REFILL_AND_LOAD_NEXT();
    while (in <= inLimit && out < outLimit) {
        uint32_t entry = next;
        RESOLVE(entry, literalTable, literalWidth);
        if (entry & kLiteralFlag) {
            PUT_LITERAL(entry);
            if (kLiteralBurst == 1) {
                REFILL_AND_LOAD_NEXT();
                continue;
            }
            // The word still holds two more longest codes.
            LOOKUP(entry, literalTable, literalWidth, literalMask);
            if (entry & kLiteralFlag) {
                PUT_LITERAL(entry);
                LOOKUP(entry, literalTable, literalWidth, literalMask);
                if (entry & kLiteralFlag) {
                    PUT_LITERAL(entry);
                    REFILL_AND_LOAD_NEXT();
                    continue;
                }
            }
        }
        if (entry & kRareFlag) {
            if (EntryKindOf(entry) == kEntryEndOfBlock) {
                DROP(EntryBits(entry));
                *blockEnded = true;
            } else {
                result = kDecodeBadData;
            }
            break;
        }
        DROP_CODE(entry);
        unsigned extra = EntryExtra(entry);
        unsigned length = EntryValue(entry) + static_cast<unsigned>(bits & LowBits(extra));
        DROP(extra);

        // A distance code and its extra bits need at most 28 bits.
        if (bitsLeft < kMaxCodeBits + 13) REFILL();
        LOOKUP(entry, distanceTable, distanceWidth, distanceMask);
        if (entry & kRareFlag) {
            result = kDecodeBadData;
            break;
        }
        DROP_CODE(entry);
        extra = EntryExtra(entry);
        if (bitsLeft < extra) REFILL();
        unsigned distance = EntryValue(entry) + static_cast<unsigned>(bits & LowBits(extra));
        DROP(extra);
        REFILL_AND_LOAD_NEXT();
        CopyMatchWithRoom(window, static_cast<unsigned>(out - window), distance, length);
        out += length;
    }
#undef RESOLVE
#undef REFILL_AND_LOAD_NEXT
#undef REFILL
#undef NOTE_REQUEST
#undef DROP
#undef LOOKUP
#undef PUT_LITERAL
#undef DROP_CODE

    // Hand back what the careful reader would hold: the bytes up to the
    // pair that covers the furthest request, and the bits not consumed.
    long consumed = static_cast<long>(in - buffer) * 8 - static_cast<long>(bitsLeft);
    long furthest = static_cast<long>(in - buffer) * 8 + ahead;
    if (furthest < consumed) furthest = consumed;
    long fetched = furthest > 0 ? ((furthest + 15) / 16) * 2 : 0;
    if (fetched < state.inputPosition) fetched = state.inputPosition;
    unsigned count = static_cast<unsigned>(fetched * 8 - consumed);
    uint64_t held = static_cast<uint64_t>(bits & LowBits(bitsLeft));
    if (bitsLeft < count) {
        uint32_t next;
        memcpy(&next, in, sizeof next);
        held |= static_cast<uint64_t>(next) << bitsLeft;
    }
    state.bitBuffer = static_cast<uint32_t>(held & ((static_cast<uint64_t>(1) << count) - 1));
    state.bitCount = static_cast<uint8_t>(count);
    state.inputPosition = static_cast<int32_t>(fetched);
    state.windowPosition = static_cast<uint16_t>(out - window);
    return result;
}
