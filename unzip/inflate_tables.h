// Decoding tables of the inflate decoder: a canonical Huffman code turned
// into a lookup table indexed by the low bits of the bit buffer, with
// subtables for codes longer than the first level. One 32-bit entry says
// what a code means and how many bits it takes at its level.
#pragma once

#include <cstdint>

// Entry: value (16 bits) | kind (4) | code bits (4) | bits to drop (8).
// The low byte is what a fast decoder drops at once: the code bits, plus
// the extra bits of a length or distance, or the first-level width of a
// link; it fills the low byte alone, so that a shift can take the entry
// itself as its count. The next four bits are the code's own bits at its
// level (for a link: the bits that index its subtable). The kind's top
// bits are flags, so that the hot loop tests one bit: a literal, or
// something rare (end of block, link, invalid).
enum EntryKind : uint32_t {
    kEntryBase = 0x0,     // value: length or distance base
    kEntryLiteral = 0x8,  // value: the byte (or the code-length symbol)
    kEntryEndOfBlock = 0x5,
    kEntryLink = 0x6,     // value: subtable start
    kEntryInvalid = 0x7,
};
const uint32_t kLiteralFlag = 0x8000;
const uint32_t kRareFlag = 0x4000;

constexpr uint32_t MakeEntry(uint32_t kind, uint32_t codeBits, uint32_t drop, uint32_t value) {
    return value << 16 | kind << 12 | codeBits << 8 | drop;
}
// A symbol's entry without its code length, plus that length.
constexpr uint32_t WithCodeBits(uint32_t entry, uint32_t codeBits) { return entry + (codeBits << 8) + codeBits; }
inline unsigned EntryDrop(uint32_t e) { return e & 0xFF; }
inline unsigned EntryBits(uint32_t e) { return (e >> 8) & 15; }
inline unsigned EntryExtra(uint32_t e) { return EntryDrop(e) - EntryBits(e); }
inline unsigned EntrySubtableBits(uint32_t e) { return (e >> 8) & 15; }
inline unsigned EntryKindOf(uint32_t e) { return (e >> 12) & 15; }
inline unsigned EntryValue(uint32_t e) { return e >> 16; }

const unsigned kMaxCodeBits = 15;
const unsigned kLiteralLengthSymbols = 288;
const unsigned kDistanceSymbols = 32;
const unsigned kCodeLengthSymbols = 19;

// Room for the largest table a code of that kind can need (checked while
// building all the same). Literal/length codes must be complete, so the
// first level is at most 9 bits; below it, a subtable holding codes of one
// length holds as many entries as codes, and only the subtable where the
// code length changes (at most 6 of them, 64 entries each) holds more:
// 512 + 288 + 6 * 64 = 1184. Distance codes may be incomplete: one code of
// 15 bits makes the first level 15 bits wide (32768 entries), the largest
// case. The fixed distance code needs 32.
const unsigned kLiteralLengthTableSize = 2048;
const unsigned kDistanceTableSize = 32768;
const unsigned kFixedDistanceTableSize = 32;
const unsigned kCodeLengthTableSize = 128;

// What the code lengths make: a complete code, a single code of length 1,
// an incomplete code, an over-subscribed one, or no code at all.
enum CodeShape { kCodeComplete, kCodeSingle, kCodeIncomplete, kCodeOverSubscribed, kCodeEmpty };

struct DecodeTable {
    uint32_t* entries;
    unsigned width;  // first-level bits
};

// Builds the table for count symbols; templates give each symbol's entry
// without its bits. The first-level width is nominalWidth clamped to the
// shortest and longest length present. Over-subscribed codes build nothing.
CodeShape BuildDecodeTable(const uint8_t* lengths, unsigned count, const uint32_t* templates, unsigned nominalWidth,
                           unsigned capacity, DecodeTable& table);

// Each symbol's entry without its code bits (a length or distance drops
// its extra bits already), for the three alphabets
// (literal/length 286 and 287 and distances 30 and 31 are invalid codes).
struct SymbolTemplates {
    uint32_t literalLength[kLiteralLengthSymbols];
    uint32_t distance[kDistanceSymbols];
    uint32_t codeLength[kCodeLengthSymbols];
};
// Filled for each member rather than kept as 1.4 KB of constants in a
// program that must fit its size: some 340 stores, nothing beside a block.
void MakeSymbolTemplates(SymbolTemplates& templates);
