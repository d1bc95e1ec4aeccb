// The inflate decoder: decodes one raw deflate member from the archive
// input of the DecoderState into its window, flushing the window when full
// and after the last block. The bit reader is shared with the extraction
// driver, which reads a data descriptor through it after the last block.
#pragma once

#include "unzip/decoder_io.h"
#include "unzip/decoder_state.h"

// The archive must be at the member's first data byte, bytes read 0 and the
// window empty. Returns kDecodeOk .. kDecodeCancelled.
DecodeResult InflateMember(DecoderState& state);

// Makes the bit buffer hold at least n bits (0 <= n <= 16): two bytes at a
// time while two are left, one byte at the end of the buffer, a refill when
// it is used up.
inline void NeedBits(DecoderState& state, unsigned n) {
    while (state.bitCount < n) {
        if (state.inputPosition > state.inputEnd) {
            RefillInput(state);
            continue;
        }
        const uint8_t* in = state.inputBuffer + state.inputPosition;
        if (state.inputPosition == state.inputEnd) {
            state.bitBuffer |= static_cast<uint32_t>(in[0]) << state.bitCount;
            state.bitCount = static_cast<uint8_t>(state.bitCount + 8);
            state.inputPosition += 1;
            continue;
        }
        state.bitBuffer |= static_cast<uint32_t>(in[0] | (in[1] << 8)) << state.bitCount;
        state.bitCount = static_cast<uint8_t>(state.bitCount + 16);
        state.inputPosition += 2;
        return;
    }
}

// Discards the n lowest bits.
inline void DropBits(DecoderState& state, unsigned n) {
    state.bitBuffer >>= n;
    state.bitCount = static_cast<uint8_t>(state.bitCount - n);
}
