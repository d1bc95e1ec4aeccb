// The fast loop of the codes of a block. While at least kInputMargin bytes
// are left in the input buffer and a longest match fits before the window
// end, it keeps a machine word of bits refilled without branches (a whole
// word is loaded and as many whole bytes taken as fit), drops a length or
// distance code together with its extra bits in one shift, and copies
// matches in words. Neither a refill nor a flush can happen here, so the
// cancel and end-of-input flags cannot change either.
//
// The careful bit reader fetches two bytes whenever a request finds too few
// bits, so what it holds at any moment follows from the furthest bit any
// request reached. The loop notes that furthest bit for every table lookup
// (the only requests not used up at once) and rebuilds the careful
// reader's buffer, count and input position from it when it hands back
// (HandBackToCarefulReader).
//
// The loop is compiled twice: plainly, and with SSE2, whose 16-byte moves
// copy matches (i686 code has none without it) and which pairs literals.
// The machine chooses once.
// (A third copy with the BMI2 shifts decoded some 6% faster on processors
// from 2013 on and cost 2.2 KB, more than SETUP.EXE's size allows.)
#include <cstring>

#include "unzip/cpu_features.h"
#include "unzip/fast_hand_back.h"
#include "unzip/inflate_codes.h"
#include "unzip/window_copy.h"

namespace {

typedef uintptr_t BitWord;
const unsigned kWordBits = sizeof(BitWord) * 8;
const unsigned kShiftMask = kWordBits - 1;
// One round takes at most two literals and a match (78 bits) and reads a
// word ahead of what it takes.
const int32_t kInputMargin = 32;
const unsigned kMaxMatch = 258;
// Literals decoded from one refill: a 64-bit word holds three longest
// codes (3 x 15 bits) after a refill, a 32-bit word one. (The SSE2 kind
// takes a second one when the first left a longest code in the word, which
// is most of the time; the plain kind stays small for the old caches.)
const unsigned kLiteralBurst = kWordBits >= 64 ? 3 : 1;
// A distance code with its extra bits takes at most 28 bits.
const unsigned kMaxDistanceBits = kMaxCodeBits + 13;
const unsigned kWindowRoom = kMaxMatch + kCopyOvershoot + kLiteralBurst;

inline BitWord LoadWord(const uint8_t* p) {
    BitWord w;
    memcpy(&w, p, sizeof w);
    return w;
}

inline BitWord LowBits(unsigned n) { return (static_cast<BitWord>(1) << n) - 1; }

// The extra bits of a length or distance entry, from the bits as they were
// before the entry was dropped: above its code bits, below its drop.
inline unsigned ExtraValue(BitWord before, uint32_t entry) {
    return static_cast<unsigned>((before & LowBits(entry & 0xFF)) >> ((entry >> 8) & 15));
}

FastLoopKind fastLoop = kFastLoopOff;
bool fastLoopChosen = false;

// The loop's steps, as macros over its locals (bits, bitsLeft, in, ahead,
// out, next and the tables), so that each kind of loop compiles them
// inline with its own instructions.
#define LEFT() static_cast<unsigned>(bitsLeft & 0xFF)
#define REFILL()                                          \
    do {                                                  \
        unsigned advance = (kWordBits - 1 - LEFT()) >> 3; \
        bits |= LoadWord(in) << LEFT();                   \
        in += advance;                                    \
        ahead -= static_cast<int>(advance * 8);           \
        bitsLeft |= kWordBits - 8;                        \
    } while (0)
#define NOTE_REQUEST(n)                             \
    do {                                            \
        int reach = (n) - static_cast<int>(LEFT()); \
        ahead = reach > ahead ? reach : ahead;      \
    } while (0)
// Drops what the entry's low byte says; a shift only looks at the low bits
// of its count, and the low byte of bitsLeft stays right.
#define DROP_ENTRY(entry)            \
    do {                             \
        bits >>= (entry)&kShiftMask; \
        bitsLeft -= (entry);         \
    } while (0)
// Finishes a lookup whose first-level entry is loaded: follows a link to
// its subtable, noting how far the careful reader would have asked.
#define RESOLVE(entry, table, width)                                      \
    do {                                                                  \
        if (entry & kRareFlag && EntryKindOf(entry) == kEntryLink) {      \
            unsigned subBits = EntrySubtableBits(entry);                  \
            NOTE_REQUEST(width + static_cast<int>(subBits));              \
            DROP_ENTRY(entry);                                            \
            entry = table[EntryValue(entry) + (bits & LowBits(subBits))]; \
        } else {                                                          \
            NOTE_REQUEST(width);                                          \
        }                                                                 \
    } while (0)
#define LOOKUP(entry, table, width, mask) \
    do {                                  \
        entry = table[bits & mask];       \
        RESOLVE(entry, table, width);     \
    } while (0)
#define PUT_LITERAL(entry)                                \
    do {                                                  \
        DROP_ENTRY(entry);                                \
        *out++ = static_cast<uint8_t>(EntryValue(entry)); \
    } while (0)
// Every way round the loop ends refilled with the next symbol's first
// table entry loaded, so that its load overlaps the copy of a match.
#define REFILL_AND_LOAD_NEXT()                   \
    do {                                         \
        REFILL();                                \
        next = literalTable[bits & literalMask]; \
    } while (0)

__attribute__((always_inline)) inline DecodeResult FastLoopBody(DecoderState& state, const BlockCodes& codes,
                                                                bool* blockEnded, bool literalPairs) {
    const uint8_t* const buffer = state.inputBuffer;
    const uint8_t* in = buffer + state.inputPosition;
    const uint8_t* const inLimit = buffer + state.inputEnd + 1 - kInputMargin;
    BitWord bits = state.bitBuffer;
    // Only the low byte counts: whole entries are subtracted from it.
    BitWord bitsLeft = state.bitCount;
    // Furthest bit the careful reader was asked for, counted from the byte
    // at in (so it moves back at every refill).
    int ahead = -8 * state.inputPosition;

    uint8_t* const window = state.window;
    uint8_t* out = window + state.windowPosition;
    uint8_t* const outLimit = window + kWindowSize - kWindowRoom;
    const uint32_t* const literalTable = codes.literalLength.entries;
    const int literalWidth = static_cast<int>(codes.literalLength.width);
    const BitWord literalMask = LowBits(codes.literalLength.width);
    const uint32_t* const distanceTable = codes.distance.entries;
    const int distanceWidth = static_cast<int>(codes.distance.width);
    const BitWord distanceMask = LowBits(codes.distance.width);
    DecodeResult result = kDecodeOk;

    uint32_t next;
    REFILL_AND_LOAD_NEXT();
    while (in <= inLimit && out < outLimit) {
        uint32_t entry = next;
        RESOLVE(entry, literalTable, literalWidth);
        if (entry & kLiteralFlag) {
            PUT_LITERAL(entry);
            if (kLiteralBurst == 1) {
                // A 32-bit word mostly still holds a longest code after a
                // short literal: then the next symbol is looked up before
                // the refill, and a length found there gets the refill its
                // extra bits need.
                if (literalPairs && LEFT() >= kMaxCodeBits) {
                    LOOKUP(entry, literalTable, literalWidth, literalMask);
                    if (entry & kLiteralFlag) {
                        PUT_LITERAL(entry);
                    } else {
                        REFILL();
                    }
                }
                if (entry & kLiteralFlag) {
                    REFILL_AND_LOAD_NEXT();
                    continue;
                }
            } else {
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
        }
        if (entry & kRareFlag) {
            if (EntryKindOf(entry) == kEntryEndOfBlock) {
                DROP_ENTRY(entry);
                *blockEnded = true;
            } else {
                result = kDecodeInvalidData;
            }
            break;
        }
        // A length code and its extra bits (at most 20) are always there:
        // a refill leaves 24 bits or more and literals before it leave room.
        BitWord before = bits;
        DROP_ENTRY(entry);
        unsigned length = EntryValue(entry) + ExtraValue(before, entry);

        // A 32-bit word has fewer bits left than that after any length.
        if (kWordBits < 64 || LEFT() < kMaxDistanceBits) REFILL();
        LOOKUP(entry, distanceTable, distanceWidth, distanceMask);
        if (entry & kRareFlag) {
            result = kDecodeInvalidData;
            break;
        }
        unsigned distance;
        if (kWordBits < 64 && LEFT() < EntryDrop(entry)) {
            // A 32-bit word holds 24 bits or more after a refill, not
            // always 28: the code first, then a refill for the extra bits.
            unsigned codeBits = EntryBits(entry), extra = EntryExtra(entry);
            bits >>= codeBits;
            bitsLeft -= codeBits;
            REFILL();
            distance = EntryValue(entry) + static_cast<unsigned>(bits & LowBits(extra));
            bits >>= extra;
            bitsLeft -= extra;
        } else {
            before = bits;
            DROP_ENTRY(entry);
            distance = EntryValue(entry) + ExtraValue(before, entry);
        }
        REFILL_AND_LOAD_NEXT();
        CopyMatchWithRoom(window, static_cast<unsigned>(out - window), distance, length);
        out += length;
    }

    const long loaded = static_cast<long>(in - buffer);
    HandBackToCarefulReader(buffer, loaded, bits, LEFT(), loaded * 8 + ahead, state);
    state.windowPosition = static_cast<uint16_t>(out - window);
    return result;
}

// The plain loop is what a 386, 486 or Pentium runs: their small caches
// favour small code, and today's processors never choose it.
__attribute__((optimize("Os"))) DecodeResult FastLoopPlain(DecoderState& state, const BlockCodes& codes,
                                                           bool* blockEnded) {
    return FastLoopBody(state, codes, blockEnded, false);
}

#if defined(__i386__) || defined(__x86_64__)
#define WIDE_TARGET __attribute__((target("sse2")))
#else
#define WIDE_TARGET
#endif

WIDE_TARGET DecodeResult FastLoopWide(DecoderState& state, const BlockCodes& codes, bool* blockEnded) {
    return FastLoopBody(state, codes, blockEnded, true);
}

}  // namespace

FastLoopKind BestFastLoop() {
    return SystemEnablesSse2() ? kFastLoopWide : kFastLoopPlain;
}

void UseFastLoop(FastLoopKind kind) {
    fastLoop = kind;
    fastLoopChosen = true;
}

void EnableFastDecoding(bool enabled) { UseFastLoop(enabled ? BestFastLoop() : kFastLoopOff); }

DecodeResult DecodeCodesFast(DecoderState& state, const BlockCodes& codes, bool* blockEnded) {
    if (!fastLoopChosen) EnableFastDecoding(true);
    if (fastLoop == kFastLoopOff || state.inputEnd + 1 - state.inputPosition < kInputMargin ||
        state.windowPosition >= kWindowSize - kWindowRoom)
        return kDecodeOk;
    switch (fastLoop) {
    case kFastLoopWide:
        return FastLoopWide(state, codes, blockEnded);
    default:
        return FastLoopPlain(state, codes, blockEnded);
    }
}
