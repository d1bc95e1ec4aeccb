// Differential: zlib compresses arbitrary input at an assorted level,
// strategy and memory level (chosen by the first two bytes); our decoder
// must give back exactly the input with the right CRC, through input
// buffers of assorted lengths.
#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "bench/memory_files.h"
#include "unzip/crc32.h"
#include "unzip/inflate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    InitCrc32Table();
    static const int kStrategies[4] = {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE};
    int level = data[0] % 10;
    int strategy = kStrategies[(data[0] / 10) % 4];
    if (data[0] >= 200) strategy = Z_FIXED;
    int memLevel = 1 + data[1] % 9;
    static const unsigned kReadSizes[8] = {0, 1, 2, 3, 5, 100, 2048, 8191};
    unsigned readSize = kReadSizes[(data[1] >> 4) & 7];
    const uint8_t* input = data + 2;
    size_t inputSize = size - 2;

    z_stream z = {};
    if (deflateInit2(&z, level, Z_DEFLATED, -15, memLevel, strategy) != Z_OK) return 0;
    std::vector<uint8_t> compressed(deflateBound(&z, inputSize) + 64);
    z.next_in = const_cast<Bytef*>(input);
    z.avail_in = static_cast<uInt>(inputSize);
    z.next_out = compressed.data();
    z.avail_out = static_cast<uInt>(compressed.size());
    int status = deflate(&z, Z_FINISH);
    compressed.resize(z.total_out);
    deflateEnd(&z);
    if (status != Z_STREAM_END) __builtin_trap();

    static DecoderState state;
    memory_files::Reset();
    memory_files::LimitReadSize(readSize);
    std::vector<uint8_t> output;
    memset(&state, 0, sizeof state);
    state.archiveFile = memory_files::OpenInput(compressed.data(), compressed.size());
    state.outputFile = memory_files::OpenOutput(&output);
    state.compressedSize = static_cast<int32_t>(compressed.size());
    state.crc = kCrcStart;
    state.lastReportTime = kNoReportYet;
    AllocateDecoderWindow(state);
    int result = InflateMember(state);
    ReleaseDecoderWindow(state);
    if (result != 0) __builtin_trap();
    if (output.size() != inputSize || (inputSize && memcmp(output.data(), input, inputSize) != 0)) __builtin_trap();
    if (~state.crc != static_cast<uint32_t>(crc32(0, input, static_cast<uInt>(inputSize)))) __builtin_trap();
    return 0;
}
