// Locates the end of central directory record of an archive that occupies
// bytes base .. base + size - 1 of an open file: the last signature that
// begins at least 22 bytes before the archive's end, searched backwards in
// 4096-byte chunks that overlap by 22 bytes.
#pragma once

#include <cstdint>

#include "fs/file_ops.h"

const int kEndScanChunk = 4096;

struct EndRecord {
    uint32_t position;         // of the signature, relative to base
    uint32_t directoryOffset;  // the record's central directory offset, relative to base
};

// True and the record when found; false when a read fails or there is none.
bool FindEndRecord(FileHandle file, uint32_t base, uint32_t size, EndRecord& out);
