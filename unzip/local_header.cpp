#include "unzip/local_header.h"

#include "unzip/zip_format.h"

bool ReadLocalHeader(FileHandle archive, uint32_t offset, LocalHeader& out) {
    if (SeekFile(archive, static_cast<int32_t>(offset), 0) == -1) return false;
    unsigned char h[kLocalHeaderSize];
    uint16_t got = 0;
    ReadBlock(archive, h, sizeof h, &got);
    if (FileErrorCode() != 0 || got < kLocalHeaderSize || !IsLocalHeaderSignature(h)) return false;

    out.flags = ReadLe16(h + 6);
    out.method = ReadLe16(h + 8);
    out.stamp = ReadLe32(h + 10);
    out.crc = ReadLe32(h + 14);
    out.packedSize = ReadLe32(h + 18);
    out.size = ReadLe32(h + 22);
    out.dataOffset = offset + kLocalHeaderSize + ReadLe16(h + 26) + ReadLe16(h + 28);
    if ((out.flags & kFlagDataDescriptor) && out.method != kMethodStored && (out.crc == 0 || out.packedSize == 0)) {
        out.packedSize = kUnknownSize;
        out.size = 0;
        out.crc = 0;
    }
    return true;
}
