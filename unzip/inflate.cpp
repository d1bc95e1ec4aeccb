#include "unzip/inflate.h"

#include <cstring>

#include "unzip/inflate_codes.h"
#include "unzip/inflate_tables.h"
#include "unzip/window_copy.h"

namespace {

const unsigned kStoredBlock = 0, kFixedBlock = 1, kDynamicBlock = 2;
const unsigned kLiteralLengthWidth = 9, kDistanceWidth = 6, kCodeLengthWidth = 7;
const unsigned kFixedLiteralLengthWidth = 7, kFixedDistanceWidth = 5;
const unsigned kFixedDistanceCodes = 30;
const unsigned kMaxLiteralLengthCodes = 288, kMaxDistanceCodes = 32;

// The order in which a dynamic header lists the code-length code's lengths.
const uint8_t kCodeLengthOrder[kCodeLengthSymbols] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

unsigned TakeBits(DecoderState& state, unsigned n) {
    NeedBits(state, n);
    unsigned value = state.bitBuffer & ((1u << n) - 1);
    DropBits(state, n);
    return value;
}

// One byte into the window; a full window goes to the output.
bool PutByte(DecoderState& state, uint8_t byte) {
    state.window[state.windowPosition++] = byte;
    if (state.windowPosition < kWindowSize) return true;
    state.windowPosition = 0;
    return FlushWindow(state, kWindowSize);
}

// Decodes one symbol: the first level, then a subtable if the entry links
// to one. Returns the final entry (kEntryInvalid for an invalid code).
uint32_t DecodeSymbol(DecoderState& state, const DecodeTable& table) {
    NeedBits(state, table.width);
    uint32_t entry = table.entries[state.bitBuffer & ((1u << table.width) - 1)];
    if (EntryKindOf(entry) == kEntryLink) {
        DropBits(state, table.width);
        unsigned subBits = EntrySubtableBits(entry);
        NeedBits(state, subBits);
        entry = table.entries[EntryValue(entry) + (state.bitBuffer & ((1u << subBits) - 1))];
    }
    if (EntryKindOf(entry) != kEntryInvalid) DropBits(state, EntryBits(entry));
    return entry;
}

// Copies a match in pieces that reach the window end neither from the
// source nor from the destination, flushing a full window after a piece.
bool CopyMatchInPieces(DecoderState& state, unsigned distance, unsigned length) {
    while (length > 0) {
        unsigned pos = state.windowPosition;
        unsigned src = (pos - distance) & (kWindowSize - 1);
        unsigned piece = length;
        if (piece > kWindowSize - src) piece = kWindowSize - src;
        if (piece > kWindowSize - pos) piece = kWindowSize - pos;
        CopyMatch(state.window, pos, distance, piece);
        length -= piece;
        state.windowPosition = static_cast<uint16_t>(pos + piece);
        if (state.windowPosition == kWindowSize) {
            state.windowPosition = 0;
            if (!FlushWindow(state, kWindowSize)) return false;
        }
    }
    return true;
}

DecodeResult StoppedByFlag(const DecoderState& state) { return state.cancel ? kDecodeCancelled : kDecodeInputEnded; }

// Stored block: LEN bytes taken through the bit reader. While the bit
// buffer is empty, pairs of bytes move straight from the input buffer,
// which is what the bit reader would do with them.
DecodeResult StoredBlock(DecoderState& state) {
    DropBits(state, state.bitCount % 8);
    unsigned length = TakeBits(state, 16);
    unsigned check = TakeBits(state, 16);
    if (check != (~length & 0xFFFF)) return kDecodeInvalidData;
    while (length > 0 && !state.cancel && !state.endOfInput) {
        if (state.bitCount == 0) {
            unsigned run = static_cast<unsigned>(state.inputEnd + 1 - state.inputPosition);
            unsigned room = kWindowSize - state.windowPosition;
            if (run > length) run = length;
            if (run > room) run = room;
            run &= ~1u;
            if (run > 0 && state.inputPosition <= state.inputEnd) {
                memcpy(state.window + state.windowPosition, state.inputBuffer + state.inputPosition, run);
                state.inputPosition += static_cast<int32_t>(run);
                state.windowPosition = static_cast<uint16_t>(state.windowPosition + run);
                length -= run;
                if (state.windowPosition == kWindowSize) {
                    state.windowPosition = 0;
                    if (!FlushWindow(state, kWindowSize)) return kDecodeWriteFailed;
                }
                continue;
            }
        }
        if (!PutByte(state, static_cast<uint8_t>(TakeBits(state, 8)))) return kDecodeWriteFailed;
        --length;
    }
    if (state.cancel || state.endOfInput) return StoppedByFlag(state);
    return kDecodeOk;
}

DecodeResult FixedBlock(DecoderState& state, const SymbolTemplates& templates) {
    uint8_t lengths[kMaxLiteralLengthCodes];
    memset(lengths, 8, 144);
    memset(lengths + 144, 9, 112);
    memset(lengths + 256, 7, 24);
    memset(lengths + 280, 8, 8);
    uint32_t literalEntries[kLiteralLengthTableSize];
    uint32_t distanceEntries[kFixedDistanceTableSize];
    BlockCodes codes = {{literalEntries, 0}, {distanceEntries, 0}};
    BuildDecodeTable(lengths, kMaxLiteralLengthCodes, templates.literalLength, kFixedLiteralLengthWidth,
                     kLiteralLengthTableSize, codes.literalLength);
    // 30 of the 32 five-bit distance codes: incomplete, and accepted.
    memset(lengths, 5, kFixedDistanceCodes);
    BuildDecodeTable(lengths, kFixedDistanceCodes, templates.distance, kFixedDistanceWidth,
                     kFixedDistanceTableSize, codes.distance);
    return DecodeBlockCodes(state, codes);
}

bool CompleteOrSingle(CodeShape shape) { return shape == kCodeComplete || shape == kCodeSingle; }

DecodeResult DynamicBlock(DecoderState& state, const SymbolTemplates& templates) {
    unsigned literalCodes = TakeBits(state, 5) + 257;
    unsigned distanceCodes = TakeBits(state, 5) + 1;
    unsigned codeLengthCodes = TakeBits(state, 4) + 4;
    if (literalCodes > kMaxLiteralLengthCodes || distanceCodes > kMaxDistanceCodes) return kDecodeBadBlockHeader;

    uint8_t lengths[kMaxLiteralLengthCodes + kMaxDistanceCodes] = {};
    for (unsigned i = 0; i < codeLengthCodes; ++i) lengths[kCodeLengthOrder[i]] = static_cast<uint8_t>(TakeBits(state, 3));
    uint32_t codeLengthEntries[kCodeLengthTableSize];
    DecodeTable codeLengthTable = {codeLengthEntries, 0};
    if (!CompleteOrSingle(BuildDecodeTable(lengths, kCodeLengthSymbols, templates.codeLength, kCodeLengthWidth,
                                           kCodeLengthTableSize, codeLengthTable)))
        return kDecodeInvalidData;

    unsigned total = literalCodes + distanceCodes;
    unsigned previous = 0;
    for (unsigned i = 0; i < total;) {
        uint32_t entry = DecodeSymbol(state, codeLengthTable);
        if (EntryKindOf(entry) == kEntryInvalid) return kDecodeInvalidData;
        unsigned symbol = EntryValue(entry);
        if (symbol < 16) {
            lengths[i++] = static_cast<uint8_t>(symbol);
            previous = symbol;
            continue;
        }
        unsigned repeat, value = 0;
        if (symbol == 16) {
            repeat = 3 + TakeBits(state, 2);
            value = previous;
        } else if (symbol == 17) {
            repeat = 3 + TakeBits(state, 3);
        } else {
            repeat = 11 + TakeBits(state, 7);
            if (i + repeat > total) return kDecodeInvalidData;
        }
        if (i + repeat > total) return kDecodeBadBlockHeader;
        memset(lengths + i, static_cast<int>(value), repeat);
        i += repeat;
        previous = value;
    }

    // The tables live on the stack for the block: no allocation can fail.
    uint32_t literalEntries[kLiteralLengthTableSize];
    uint32_t distanceEntries[kDistanceTableSize];
    BlockCodes codes = {{literalEntries, 0}, {distanceEntries, 0}};
    if (!CompleteOrSingle(BuildDecodeTable(lengths, literalCodes, templates.literalLength, kLiteralLengthWidth,
                                           kLiteralLengthTableSize, codes.literalLength)))
        return kDecodeInvalidData;
    if (BuildDecodeTable(lengths + literalCodes, distanceCodes, templates.distance, kDistanceWidth,
                         kDistanceTableSize, codes.distance) == kCodeOverSubscribed)
        return kDecodeInvalidData;
    return DecodeBlockCodes(state, codes);
}

}  // namespace

DecodeResult DecodeBlockCodes(DecoderState& state, const BlockCodes& codes) {
    for (;;) {
        if (state.cancel || state.endOfInput) return StoppedByFlag(state);
        bool blockEnded = false;
        DecodeResult result = DecodeCodesFast(state, codes, &blockEnded);
        if (result != kDecodeOk) return result;
        if (blockEnded) return kDecodeOk;

        uint32_t entry = DecodeSymbol(state, codes.literalLength);
        switch (EntryKindOf(entry)) {
        case kEntryLiteral:
            if (!PutByte(state, static_cast<uint8_t>(EntryValue(entry)))) return kDecodeWriteFailed;
            continue;
        case kEntryEndOfBlock:
            return kDecodeOk;
        case kEntryBase:
            break;
        default:
            return kDecodeInvalidData;
        }
        unsigned length = EntryValue(entry) + TakeBits(state, EntryExtra(entry));
        entry = DecodeSymbol(state, codes.distance);
        if (EntryKindOf(entry) != kEntryBase) return kDecodeInvalidData;
        unsigned distance = EntryValue(entry) + TakeBits(state, EntryExtra(entry));
        if (!CopyMatchInPieces(state, distance, length)) return kDecodeWriteFailed;
    }
}

DecodeResult InflateMember(DecoderState& state) {
    state.inputPosition = 0;
    state.inputEnd = -1;
    state.windowPosition = 0;
    state.bitBuffer = 0;
    state.bitCount = 0;
    SymbolTemplates templates;
    MakeSymbolTemplates(templates);
    for (;;) {
        unsigned last = TakeBits(state, 1);
        unsigned type = TakeBits(state, 2);
        DecodeResult result;
        switch (type) {
        case kStoredBlock: result = StoredBlock(state); break;
        case kFixedBlock: result = FixedBlock(state, templates); break;
        case kDynamicBlock: result = DynamicBlock(state, templates); break;
        default: result = kDecodeInvalidData; break;
        }
        if (result != kDecodeOk) {
            // Garbage read after the input ended is the end of the input,
            // not invalid data.
            if ((result == kDecodeInvalidData || result == kDecodeBadBlockHeader) && state.endOfInput) return kDecodeInputEnded;
            return result;
        }
        if (last) break;
    }
    return FlushWindow(state, state.windowPosition) ? kDecodeOk : kDecodeWriteFailed;
}
