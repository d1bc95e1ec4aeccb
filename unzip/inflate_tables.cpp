#include "unzip/inflate_tables.h"

namespace {

// RFC 1951 length codes 257..285 and distance codes 0..29.
const uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const uint16_t kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

}  // namespace

void MakeSymbolTemplates(SymbolTemplates& t) {
    for (unsigned s = 0; s < 256; ++s) t.literalLength[s] = MakeEntry(kEntryLiteral, 0, 0, s);
    t.literalLength[256] = MakeEntry(kEntryEndOfBlock, 0, 0, 0);
    for (unsigned s = 257; s < 286; ++s)
        t.literalLength[s] = MakeEntry(kEntryBase, 0, kLengthExtra[s - 257], kLengthBase[s - 257]);
    t.literalLength[286] = t.literalLength[287] = MakeEntry(kEntryInvalid, 0, 0, 0);
    for (unsigned s = 0; s < 30; ++s) t.distance[s] = MakeEntry(kEntryBase, 0, kDistanceExtra[s], kDistanceBase[s]);
    t.distance[30] = t.distance[31] = MakeEntry(kEntryInvalid, 0, 0, 0);
    for (unsigned s = 0; s < kCodeLengthSymbols; ++s) t.codeLength[s] = MakeEntry(kEntryLiteral, 0, 0, s);
}

namespace {

const uint32_t kInvalidEntry = MakeEntry(kEntryInvalid, 0, 0, 0);

// The low bits of code in reverse order (bits <= 15): all 16 reversed by
// swapping halves of ever smaller width, without a loop per bit.
unsigned Reverse(unsigned code, unsigned bits) {
    code = ((code & 0x5555u) << 1) | ((code >> 1) & 0x5555u);
    code = ((code & 0x3333u) << 2) | ((code >> 2) & 0x3333u);
    code = ((code & 0x0F0Fu) << 4) | ((code >> 4) & 0x0F0Fu);
    code = ((code & 0x00FFu) << 8) | ((code >> 8) & 0x00FFu);
    return code >> (16 - bits);
}

void FillInvalid(uint32_t* entries, unsigned count) {
    for (unsigned i = 0; i < count; ++i) entries[i] = kInvalidEntry;
}

}  // namespace

CodeShape BuildDecodeTable(const uint8_t* lengths, unsigned count, const uint32_t* templates, unsigned nominalWidth,
                           unsigned capacity, DecodeTable& table) {
    unsigned counts[kMaxCodeBits + 1] = {};
    for (unsigned s = 0; s < count; ++s) counts[lengths[s]]++;
    unsigned shortest = 0, longest = 0;
    for (unsigned len = 1; len <= kMaxCodeBits; ++len) {
        if (!counts[len]) continue;
        if (!shortest) shortest = len;
        longest = len;
    }
    if (!longest) {
        // No code at all: one bit that leads nowhere.
        table.width = 1;
        FillInvalid(table.entries, 2);
        return kCodeEmpty;
    }
    int left = 1;
    for (unsigned len = 1; len <= kMaxCodeBits; ++len) {
        left = left * 2 - static_cast<int>(counts[len]);
        if (left < 0) return kCodeOverSubscribed;
    }
    CodeShape shape = kCodeComplete;
    if (left > 0) shape = (counts[1] == 1 && longest == 1) ? kCodeSingle : kCodeIncomplete;

    unsigned width = nominalWidth < shortest ? shortest : nominalWidth > longest ? longest : nominalWidth;
    table.width = width;
    unsigned used = 1u << width;
    if (used > capacity) return kCodeOverSubscribed;
    // A complete code fills every entry itself; only gaps need marking.
    const bool gaps = shape != kCodeComplete;
    if (gaps) FillInvalid(table.entries, used);

    // Symbols in canonical order: by length, then by symbol.
    uint16_t sorted[kLiteralLengthSymbols];
    unsigned offsets[kMaxCodeBits + 2] = {};
    for (unsigned len = 1; len <= kMaxCodeBits; ++len) offsets[len + 1] = offsets[len] + counts[len];
    for (unsigned s = 0; s < count; ++s)
        if (lengths[s]) sorted[offsets[lengths[s]]++] = static_cast<uint16_t>(s);
    unsigned nextCode[kMaxCodeBits + 1] = {};
    unsigned code = 0;
    for (unsigned len = 1; len <= kMaxCodeBits; ++len) {
        nextCode[len] = code;
        code = (code + counts[len]) << 1;
    }

    unsigned remaining[kMaxCodeBits + 1];
    for (unsigned len = 0; len <= kMaxCodeBits; ++len) remaining[len] = counts[len];
    unsigned placed = offsets[kMaxCodeBits + 1];

    unsigned firstMask = (1u << width) - 1;
    unsigned currentPrefix = ~0u, subStart = 0, subBits = 0;
    for (unsigned i = 0; i < placed; ++i) {
        unsigned symbol = sorted[i];
        unsigned len = lengths[symbol];
        unsigned reversed = Reverse(nextCode[len]++, len);
        uint32_t entry = templates[symbol];
        if (len <= width) {
            for (unsigned k = reversed; k <= firstMask; k += 1u << len) table.entries[k] = WithCodeBits(entry, len);
        } else {
            unsigned prefix = reversed & firstMask;
            if (prefix != currentPrefix) {
                // The subtable grows until the codes still to come can fill it.
                subBits = len - width;
                int room = 1 << subBits;
                while (subBits + width < longest) {
                    room -= static_cast<int>(remaining[subBits + width]);
                    if (room <= 0) break;
                    ++subBits;
                    room <<= 1;
                }
                if (used + (1u << subBits) > capacity) return kCodeOverSubscribed;
                subStart = used;
                used += 1u << subBits;
                if (gaps) FillInvalid(table.entries + subStart, 1u << subBits);
                table.entries[prefix] = MakeEntry(kEntryLink, subBits, width, subStart);
                currentPrefix = prefix;
            }
            unsigned subLen = len - width;
            for (unsigned k = reversed >> width; k < (1u << subBits); k += 1u << subLen)
                table.entries[subStart + k] = WithCodeBits(entry, subLen);
        }
        remaining[len]--;
    }
    return shape;
}
