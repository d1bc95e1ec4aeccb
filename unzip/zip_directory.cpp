#include "unzip/zip_directory.h"

#include <cstring>

#include "fs/memory_block.h"
#include "unzip/end_record.h"
#include "unzip/oem_names.h"
#include "unzip/zip_format.h"

namespace {

const uint8_t kHostMsDos = 0;

bool IsStreaming(const ZipDirectory& listing) { return listing.archive != kInvalidFile; }

void ClearListing(ZipDirectory& listing) {
    std::memset(&listing, 0, sizeof listing);
    listing.archive = kInvalidFile;
}

// 46 bytes plus name, extra field and comment, or 0 when fewer than 46
// bytes remain.
uint32_t EntrySize(const unsigned char* p, uint32_t remaining) {
    if (remaining < kCentralHeaderSize) return 0;
    return kCentralHeaderSize + static_cast<uint32_t>(ReadLe16(p + 28)) + ReadLe16(p + 30) + ReadLe16(p + 32);
}

bool EntryFits(const ZipDirectory& listing) {
    uint32_t remaining = static_cast<uint32_t>(listing.length) - listing.position;
    uint32_t size = EntrySize(listing.buffer + listing.position, remaining);
    return size != 0 && size <= remaining;
}

// Moves the unread bytes to the front and tops the window up from the
// archive. A short read near the file's end shrinks the valid length, so
// no byte of an earlier window is ever taken for directory data.
bool SlideWindow(ZipDirectory& listing) {
    uint16_t kept = static_cast<uint16_t>(listing.length - listing.position);
    std::memmove(listing.buffer, listing.buffer + listing.position, kept);
    uint16_t got = 0;
    ReadBlock(listing.archive, listing.buffer + kept, static_cast<uint16_t>(kDirectoryWindow - kept), &got);
    if (FileErrorCode() != 0) return false;
    listing.length = static_cast<uint16_t>(kept + got);
    listing.position = 0;
    return true;
}

void DecodeEntry(const unsigned char* p, ZipEntry& entry) {
    entry.flags = ReadLe16(p + 8);
    entry.method = ReadLe16(p + 10);
    entry.stamp = ReadLe32(p + 12);
    entry.crc = ReadLe32(p + 16);
    entry.packedSize = ReadLe32(p + 20);
    entry.size = ReadLe32(p + 24);
    entry.attributes = p[5] == kHostMsDos ? p[38] : 0;
    entry.headerOffset = ReadLe32(p + 42);

    uint16_t nameLength = ReadLe16(p + 28);
    if (nameLength > kMaxPath - 1) nameLength = kMaxPath - 1;
    std::memcpy(entry.name, p + kCentralHeaderSize, nameLength);
    entry.name[nameLength] = '\0';
    for (char* c = entry.name; *c; ++c) {
        if (*c == '/') *c = '\\';
    }
    OemNameToAnsi(entry.name);
}

int LoadEntry(ZipDirectory& listing) {
    if (IsStreaming(listing) && !EntryFits(listing) && !SlideWindow(listing)) return kListingEnd;
    uint32_t remaining = static_cast<uint32_t>(listing.length) - listing.position;
    const unsigned char* p = listing.buffer + listing.position;
    if (remaining >= 4 && IsEndRecordSignature(p)) return kListingEnd;
    if (!EntryFits(listing) || !IsCentralHeaderSignature(p)) return kListingEnd;
    DecodeEntry(p, listing.entry);
    listing.position = static_cast<uint16_t>(listing.position + EntrySize(p, remaining));
    return kListingEntry;
}

int Fail(ZipDirectory& listing, int result) {
    CloseZipDirectory(listing);
    return result;
}

}  // namespace

int OpenZipDirectory(const char* path, ZipDirectory& listing, uint32_t baseOffset, int32_t length) {
    ClearListing(listing);
    FileHandle file = OpenExistingFile(path, kModeRead | kShareCompatible);
    if (file == kInvalidFile) return kListingUnreadable;
    listing.archive = file;

    // Without a length the archive runs from the base offset to the file's end.
    uint32_t size = static_cast<uint32_t>(length);
    if (length <= 0) {
        uint32_t fileSize = QueryFileSize(file);
        size = fileSize > baseOffset ? fileSize - baseOffset : 0;
    }
    EndRecord end;
    if (size == 0 || !FindEndRecord(file, baseOffset, size, end)) return Fail(listing, kListingUnreadable);
    if (end.position < kCentralHeaderSize) return Fail(listing, kListingEmpty);
    if (end.directoryOffset > end.position) return Fail(listing, kListingEnd);

    // Up to and including the end record's signature, where the listing stops.
    uint32_t directoryLength = end.position - end.directoryOffset + 4;
    bool streaming = directoryLength >= kDirectoryWindow;
    uint16_t bufferLength = streaming ? kDirectoryWindow : static_cast<uint16_t>(directoryLength);
    listing.buffer = static_cast<unsigned char*>(AllocateZeroed(static_cast<size_t>(bufferLength) + 1));
    if (listing.buffer == nullptr) return Fail(listing, kListingUnreadable);

    uint16_t got = 0;
    if (SeekFile(file, static_cast<int32_t>(baseOffset + end.directoryOffset), 0) == -1) {
        return Fail(listing, kListingUnreadable);
    }
    ReadBlock(file, listing.buffer, bufferLength, &got);
    if (FileErrorCode() != 0) return Fail(listing, kListingUnreadable);
    // A short read is left to the entry checks: the entries read whole are
    // still delivered.
    listing.length = got;
    listing.position = 0;
    if (!streaming) {
        CloseFileHandle(file);
        listing.archive = kInvalidFile;
    }
    return NextZipEntry(listing);
}

int NextZipEntry(ZipDirectory& listing) {
    if (listing.buffer == nullptr) return kListingEnd;
    int result = LoadEntry(listing);
    if (result != kListingEntry) CloseZipDirectory(listing);
    return result;
}

void CloseZipDirectory(ZipDirectory& listing) {
    ReleaseBlock(listing.buffer);
    listing.buffer = nullptr;
    listing.length = 0;
    listing.position = 0;
    if (listing.archive != kInvalidFile) CloseFileHandle(listing.archive);
    listing.archive = kInvalidFile;
}
