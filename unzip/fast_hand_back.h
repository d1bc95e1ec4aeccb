// The fast loop's hand-back to the careful reader, apart so that its rule
// has a table test of its own. One copy serves the three kinds of fast
// loop: it runs once per run of the loop.
#pragma once

#include <cstdint>
#include <cstring>

#include "unzip/decoder_state.h"

// The fast loop's hand-back. The careful reader takes two bytes whenever
// a request finds too few bits, so what it holds follows from the furthest
// bit any request reached: the bytes up to the 16-bit pair that covers that
// bit (never fewer than it had fetched before, state.inputPosition), less
// the bits consumed. That decides when it refills next, and with it the
// timing of disk prompts and progress reports. The fast loop stops with
// loadedBytes of buffer taken into its word, of which the low unusedCount
// bits of unusedBits (a machine word) are not used yet; furthestBit counts from the buffer's
// start, and 4 bytes are readable at loadedBytes. Sets the state's input
// position, bit buffer and bit count.
__attribute__((noinline)) inline void HandBackToCarefulReader(const uint8_t* buffer, long loadedBytes,
                                                                   uintptr_t unusedBits, unsigned unusedCount,
                                                                   long furthestBit, DecoderState& state) {
    // The unused bits end at the loaded bytes' end; some of them may have
    // come with the careful reader from before this buffer.
    const long consumed = loadedBytes * 8 - static_cast<long>(unusedCount);
    if (furthestBit < consumed) furthestBit = consumed;
    long fetched = furthestBit > 0 ? ((furthestBit + 15) / 16) * 2 : 0;
    if (fetched < state.inputPosition) fetched = state.inputPosition;
    const unsigned count = static_cast<unsigned>(fetched * 8 - consumed);
    // The word's width: fewer bits than it holds are unused.
    uint64_t held = static_cast<uint64_t>(unusedBits & ((static_cast<uintptr_t>(1) << unusedCount) - 1));
    if (unusedCount < count) {
        uint32_t following;
        memcpy(&following, buffer + loadedBytes, sizeof following);
        held |= static_cast<uint64_t>(following) << unusedCount;
    }
    state.bitBuffer = static_cast<uint32_t>(held & ((static_cast<uint64_t>(1) << count) - 1));
    state.bitCount = static_cast<uint8_t>(count);
    state.inputPosition = static_cast<int32_t>(fetched);
}
