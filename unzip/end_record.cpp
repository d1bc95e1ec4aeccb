#include "unzip/end_record.h"

#include "unzip/zip_format.h"

bool FindEndRecord(FileHandle file, uint32_t base, uint32_t size, EndRecord& out) {
    unsigned char chunk[kEndScanChunk];
    uint32_t length = size < kEndScanChunk ? size : kEndScanChunk;
    uint32_t start = size - length;
    for (;;) {
        if (SeekFile(file, static_cast<int32_t>(base + start), 0) == -1) return false;
        uint16_t got = 0;
        ReadBlock(file, chunk, static_cast<uint16_t>(length), &got);
        if (FileErrorCode() != 0 || got != length) return false;
        // A chunk shorter than a record cannot hold one.
        for (int i = static_cast<int>(length) - kEndRecordSize; i >= 0; --i) {
            if (IsEndRecordSignature(chunk + i)) {
                out.position = start + static_cast<uint32_t>(i);
                out.directoryOffset = ReadLe32(chunk + i + 16);
                return true;
            }
        }
        if (start == 0) return false;
        uint32_t step = kEndScanChunk - kEndRecordSize;
        start = start > step ? start - step : 0;
    }
}
