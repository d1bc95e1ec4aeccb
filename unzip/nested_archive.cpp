#include "unzip/nested_archive.h"

#include "fs/file_ops.h"
#include "unzip/local_header.h"
#include "unzip/zip_format.h"

uint32_t FindEmbeddedArchive(const char* archivePath, uint32_t position) {
    FileHandle file = OpenExistingFile(archivePath, kModeRead);
    if (FileErrorCode() != 0) return 0;
    unsigned char block[kEmbeddedSearchSize];
    uint16_t got = 0;
    SeekFile(file, static_cast<int32_t>(position), 0);
    if (FileErrorCode() == 0) ReadBlock(file, block, kEmbeddedSearchSize, &got);
    CloseFileHandle(file);
    if (got < 10) return 0;
    // The last byte read is never part of a match.
    for (uint32_t at = 0; at + 6 <= got; ++at) {
        if (IsLocalHeaderSignature(block + at)) return at;
    }
    return 0;
}

bool InnerArchiveStart(const char* archivePath, uint32_t headerOffset, uint32_t& start) {
    FileHandle file = OpenExistingFile(archivePath, kModeRead | kShareCompatible);
    if (file == kInvalidFile) return false;
    LocalHeader header;
    bool read = ReadLocalHeader(file, headerOffset, header);
    CloseFileHandle(file);
    if (!read) return false;
    start = header.dataOffset + FindEmbeddedArchive(archivePath, header.dataOffset);
    return true;
}
