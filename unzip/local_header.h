// The local header in front of a member's compressed data: the values that
// extraction uses (they, not the central directory's, count), with the
// rule for members whose sizes and CRC follow the data in a descriptor.
#pragma once

#include <cstdint>

#include "fs/file_ops.h"

// Sizes taken when a deflated member's header leaves them open; the
// deflate stream's own end marks the end of its data.
const uint32_t kUnknownSize = 0x7FFFFF9Bu;

struct LocalHeader {
    uint16_t flags;
    uint16_t method;
    PackedStamp stamp;
    uint32_t crc;           // expected; 0 when it follows in a descriptor
    uint32_t packedSize;
    uint32_t size;          // to reserve on NTFS
    uint32_t dataOffset;    // of the first compressed byte
};

// Reads the header at offset: false when it cannot be reached or read
// whole, or its signature is wrong.
bool ReadLocalHeader(FileHandle archive, uint32_t offset, LocalHeader& out);
