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
int DecodeBlockCodes(DecoderState& state, const BlockCodes& codes);

// Fast part: decodes while far from the buffer ends; sets *blockEnded at
// the end of the block. Returns kDecodeOk or kDecodeBadData.
int DecodeCodesFast(DecoderState& state, const BlockCodes& codes, bool* blockEnded);

// The fast loop is on unless a test or benchmark wants the careful loop
// alone; it takes the BMI2 shifts where the processor has them.
void EnableFastDecoding(bool enabled);
// The fast loop without the BMI2 shifts, for tests on processors that have them.
void UsePlainFastLoop();
