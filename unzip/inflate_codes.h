// The two tables of a block and the loops that decode its codes: the
// careful loop that follows the bit reader step by step, and the fast
// loop that runs while the input buffer and the window are far from
// their ends and hands back exactly the bit reader the careful loop
// would have.
#pragma once

#include "unzip/decoder_state.h"
#include "unzip/inflate_tables.h"

struct BlockCodes {
    DecodeTable literalLength;
    DecodeTable distance;
};

// Decodes the codes of one block: kDecodeOk at its end, or a failure.
DecodeResult DecodeBlockCodes(DecoderState& state, const BlockCodes& codes);

// Fast part: decodes while far from the buffer ends; sets *blockEnded at
// the end of the block. Returns kDecodeOk or kDecodeInvalidData.
DecodeResult DecodeCodesFast(DecoderState& state, const BlockCodes& codes, bool* blockEnded);

// The fast loop comes in kinds: plain (any processor), with SSE2 moves
// (for i686 only where the system enables them; x86-64 always has them).
// The best one this machine allows runs
// unless a test or the benchmark chooses another, or the careful loop alone.
enum FastLoopKind { kFastLoopOff, kFastLoopPlain, kFastLoopWide };
FastLoopKind BestFastLoop();
void UseFastLoop(FastLoopKind kind);  // a kind above BestFastLoop would fault
void EnableFastDecoding(bool enabled);
