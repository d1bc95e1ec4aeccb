// Running the decoder on memory: one member's state over a memory input
// and output, with the ports a test gives (quiet ones by default).
#pragma once

#include <zlib.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/memory_files.h"
#include "bench/zlib_deflate.h"
#include "unzip/crc32.h"
#include "unzip/inflate.h"
#include "unzip/inflate_codes.h"

// What the decoder did to one member.
struct DecodeRun {
    int result;
    std::vector<uint8_t> output;
    uint32_t crc;  // complement of the register
    uint32_t bitBuffer;
    unsigned bitCount;
    int32_t inputPosition, inputEnd, bytesRead;
    int reads;
    std::vector<int> writeSizes;
    bool endOfInput, cancel;
};

struct DecodeOptions {
    unsigned readSize = 0;      // 0: whole 8192-byte reads
    long failWritesAfter = -1;  // bytes
    long failReadsAfter = -1;   // reads
    bool fast = true;
    FastLoopKind fastLoop = BestFastLoop();  // when fast
    int32_t compressedSize = -1;  // -1: the stream's length
    const DecoderPorts* ports = &kQuietPorts;
};

inline DecodeRun RunInflate(const std::vector<uint8_t>& stream, const DecodeOptions& options = DecodeOptions(),
                            DecodeResult (*decode)(DecoderState&) = InflateMember) {
    InitCrc32Table();
    memory_files::Reset();
    memory_files::LimitReadSize(options.readSize);
    memory_files::FailWritesAfter(options.failWritesAfter);
    memory_files::FailReadsAfter(options.failReadsAfter);
    memory_files::PutFile("A:\\MEMBER.ZIP", stream.data(), stream.size());
    UseFastLoop(options.fast ? options.fastLoop : kFastLoopOff);
    static DecoderState state;  // large: keep it off the stack
    memset(&state, 0, sizeof state);
    strcpy(state.archivePath, "A:\\MEMBER.ZIP");
    state.archiveFile = OpenExistingFile(state.archivePath, kModeRead);
    DecodeRun run = {};
    state.outputFile = memory_files::OpenOutput(&run.output);
    state.compressedSize = options.compressedSize >= 0 ? options.compressedSize : static_cast<int32_t>(stream.size());
    state.crc = kCrcStart;
    state.lastReportTime = kNoReportYet;
    state.ports = options.ports;
    AllocateDecoderWindow(state);
    run.result = decode(state);
    ReleaseDecoderWindow(state);
    EnableFastDecoding(true);
    run.crc = ~state.crc;
    run.bitBuffer = state.bitBuffer;
    run.bitCount = state.bitCount;
    run.inputPosition = state.inputPosition;
    run.inputEnd = state.inputEnd;
    run.bytesRead = state.bytesRead;
    run.reads = memory_files::Count().reads;
    run.writeSizes = memory_files::Count().writeSizes;
    run.endOfInput = state.endOfInput;
    run.cancel = state.cancel;
    return run;
}

// Deterministic test data: text-like, binary-like, or noise.
inline std::vector<uint8_t> SampleData(size_t size, unsigned seed, int kind) {
    std::vector<uint8_t> data(size);
    uint32_t x = seed * 2654435761u + 1;
    static const char* words[] = {"setup ", "corvane ", "install ", "archive ", "member ", "window ", "\r\n", "disk "};
    size_t i = 0;
    while (i < size) {
        x = x * 1103515245u + 12345u;
        if (kind == 0) {
            const char* w = words[(x >> 16) & 7];
            while (*w && i < size) data[i++] = static_cast<uint8_t>(*w++);
        } else if (kind == 1) {
            data[i] = static_cast<uint8_t>((x >> 24) & ((x >> 8) & 1 ? 0x0F : 0xFF));
            ++i;
        } else {
            data[i++] = static_cast<uint8_t>(x >> 24);
        }
    }
    return data;
}
