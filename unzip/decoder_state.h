// The state of one member being decoded: where its compressed bytes come
// from, where the decoded bytes go, the bit reader, the 32768-byte window,
// the progress/cancel bookkeeping and the ports to the program around the
// decoder. The extraction driver fills it, the inflate decoder and the
// decoder input/output work on it.
#pragma once

#include <cstdint>

#include "fs/file_ops.h"
#include "fs/path_utils.h"
#include "unzip/decoder_ports.h"

const int kInputBufferSize = 8192;
const int kWindowSize = 32768;
const uint32_t kCrcStart = 0xFFFFFFFFu;
const uint32_t kNoReportYet = 0xFFFFFFFFu;

// Results of the decoder (inflate, stored copy).
enum DecodeResult {
    kDecodeOk = 0,
    kDecodeBadBlockHeader = 1,  // malformed dynamic block header
    kDecodeWriteFailed = 2,     // FlushWindow answered false
    kDecodeInputEnded = 3,      // end-of-input flag
    kDecodeInvalidData = 4,     // invalid codes, lengths, block type or stored length
    kDecodeCancelled = 5,       // cancel flag
};

struct DecoderState {
    FileHandle archiveFile;        // replaced when the next disk is opened
    char archivePath[kMaxPath];    // to reopen the archive on the next disk
    FileHandle outputFile;
    int32_t compressedSize;        // progress total and input bound
    int32_t bytesRead;             // bytes delivered from the archive so far
    uint32_t bytesWritten;         // bytes flushed to the output file so far
    uint32_t crc;                  // running register, kCrcStart at first
    const DecoderPorts* ports;     // null: kQuietPorts
    uint32_t lastReportTime;       // tick count, kNoReportYet per member
    bool cancel;
    bool endOfInput;
    uint8_t inputBuffer[kInputBufferSize];
    int32_t inputPosition;         // next unread byte
    int32_t inputEnd;              // last valid byte, -1 when empty
    uint32_t bitBuffer;
    uint8_t bitCount;
    uint8_t* window;               // kWindowSize zero bytes per member
    uint16_t windowPosition;       // bytes in the window not yet flushed
};
