// Arbitrary bytes as one deflate member through memory input and output:
// the decoder must end with a result code and never read or write out of
// bounds or hang. The first byte chooses the input read size (buffer ends
// everywhere), whether the careful loop alone must give the same result,
// output and bit reader, and which kind of fast loop runs.
#include <cstdint>
#include <cstring>
#include <vector>

#include "bench/memory_files.h"
#include "unzip/crc32.h"
#include "unzip/inflate.h"
#include "unzip/inflate_codes.h"

namespace {

struct Outcome {
    int result;
    std::vector<uint8_t> output;
    uint32_t bitBuffer;
    int bitCount, inputPosition, bytesRead;
};

Outcome Run(const uint8_t* data, size_t size, unsigned readSize, bool fast, FastLoopKind kind) {
    static DecoderState state;
    memory_files::Reset();
    memory_files::LimitReadSize(readSize);
    Outcome o = {};
    memset(&state, 0, sizeof state);
    state.archiveFile = memory_files::OpenInput(data, size);
    state.outputFile = memory_files::OpenOutput(&o.output);
    state.compressedSize = static_cast<int32_t>(size);
    state.crc = kCrcStart;
    state.lastReportTime = kNoReportYet;
    AllocateDecoderWindow(state);
    UseFastLoop(fast ? kind : kFastLoopOff);
    o.result = InflateMember(state);
    EnableFastDecoding(true);
    ReleaseDecoderWindow(state);
    o.bitBuffer = state.bitBuffer;
    o.bitCount = state.bitCount;
    o.inputPosition = state.inputPosition;
    o.bytesRead = state.bytesRead;
    return o;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    InitCrc32Table();
    static const unsigned kReadSizes[8] = {0, 1, 2, 3, 7, 64, 1000, 4097};
    unsigned readSize = kReadSizes[data[0] & 7];
    bool compare = (data[0] & 8) != 0;
    int kind = kFastLoopPlain + ((data[0] >> 4) & 1);
    if (kind > BestFastLoop()) kind = BestFastLoop();
    Outcome fast = Run(data + 1, size - 1, readSize, true, static_cast<FastLoopKind>(kind));
    if (fast.result < 0 || fast.result > 5) __builtin_trap();
    if (compare) {
        Outcome careful = Run(data + 1, size - 1, readSize, false, kFastLoopOff);
        if (careful.result != fast.result || careful.output != fast.output) __builtin_trap();
        if (fast.result == 0 && (careful.bitBuffer != fast.bitBuffer || careful.bitCount != fast.bitCount ||
                                 careful.inputPosition != fast.inputPosition || careful.bytesRead != fast.bytesRead))
            __builtin_trap();
    }
    return 0;
}
