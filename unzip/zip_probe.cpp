#include "unzip/zip_probe.h"

#include <cstring>

#include "fs/file_search.h"
#include "fs/path_utils.h"
#include "unzip/zip_format.h"

namespace {

const int kTailSize = 2048;
const uint16_t kNewFormatRelocationOffset = 0x28;

// The archive starts right behind the MS-DOS image, or one byte later
// (some stub makers pad to an even length).
bool ArchiveAtImageEnd(FileHandle file, int32_t imageSize) {
    if (imageSize < 1 || SeekFile(file, imageSize, 0) == -1) return false;
    unsigned char block[kProbeHeaderSize];
    uint16_t got = 0;
    ReadBlock(file, block, sizeof block, &got);
    if (FileErrorCode() != 0 || got < 4) return false;
    return IsLocalHeaderSignature(block) || (got >= 5 && IsLocalHeaderSignature(block + 1));
}

// An end record anywhere in the last 2048 bytes of the file.
bool EndRecordInTail(FileHandle file) {
    uint32_t size = QueryFileSize(file);
    uint32_t start = size > kTailSize ? size - kTailSize : 0;
    if (SeekFile(file, static_cast<int32_t>(start), 0) == -1) return false;
    unsigned char tail[kTailSize];
    uint16_t got = 0;
    ReadBlock(file, tail, sizeof tail, &got);
    if (FileErrorCode() != 0) return false;
    for (int i = static_cast<int>(got) - kEndRecordSize; i >= 0; --i) {
        if (IsEndRecordSignature(tail + i)) return true;
    }
    return false;
}

}  // namespace

bool CarriesZipArchive(FileHandle file, const unsigned char* header) {
    bool newFormat = ReadLe16(header + 24) >= kNewFormatRelocationOffset;
    uint16_t lastPageBytes = ReadLe16(header + 2);
    int32_t imageSize = (static_cast<int32_t>(ReadLe16(header + 4)) - 1) * 512 + lastPageBytes;
    if (lastPageBytes == 0) imageSize += 512;  // the last page is full
    if (ArchiveAtImageEnd(file, imageSize)) return true;
    return newFormat && EndRecordInTail(file);
}

bool IsZipArchive(const char* path) {
    if (ScanChar(path, '.') == nullptr) return false;
    char copy[kMaxPath];
    CopyBounded(copy, path, kMaxPath);
    RemoveBackslash(copy);
    SearchRecord record;
    if (FindEntry(copy, record) && (record.attributes & kEntryDirectory)) return false;

    FileHandle file = OpenExistingFile(copy, kModeRead | kShareCompatible);
    if (file == kInvalidFile) return false;
    unsigned char header[kProbeHeaderSize];
    std::memset(header, 0, sizeof header);
    uint16_t got = 0;
    ReadBlock(file, header, sizeof header, &got);
    bool archive = false;
    if (FileErrorCode() == 0) {
        if (got >= 10 && IsLocalHeaderSignature(header)) {
            archive = true;
        } else if (got > 2 && header[0] == 'M' && header[1] == 'Z') {
            archive = CarriesZipArchive(file, header);
        }
    }
    CloseFileHandle(file);
    return archive;
}
