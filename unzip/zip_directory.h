// Lists the members of a ZIP archive one central-directory entry at a time.
// The archive may lie inside a larger file (base offset and length); all
// offsets delivered are relative to the base offset. Directories below
// 64000 bytes are read whole and the archive closed at once; larger ones
// stream through a 64000-byte window with the archive kept open.
//
// Calling order: OpenZipDirectory; while the result is 0 use listing.entry
// and call NextZipEntry; CloseZipDirectory when stopping early (harmless
// on a listing that closed itself). Every non-zero result closes the listing.
#pragma once

#include <cstdint>

#include "fs/file_ops.h"
#include "fs/path_utils.h"

const uint16_t kDirectoryWindow = 64000;

// Results of OpenZipDirectory and NextZipEntry.
const int kListingEntry = 0;       // an entry is loaded
const int kListingEnd = 1;         // no (further) readable entry
const int kListingUnreadable = -1; // cannot open or read, or no end record
const int kListingEmpty = -2;      // the end record leaves no room for an entry

struct ZipEntry {
    PackedStamp stamp;      // MS-DOS time in the low 16 bits, date in the high
    uint32_t size;          // uncompressed
    uint32_t packedSize;    // compressed
    uint32_t headerOffset;  // of the local header, relative to the base offset
    uint32_t crc;
    char name[kMaxPath];    // ANSI, backslashes, at most 259 characters
    uint16_t method;
    uint16_t attributes;    // MS-DOS attribute byte, 0 unless made on MS-DOS
    uint16_t flags;         // bit 0 encrypted, bit 3 data descriptor
};

struct ZipDirectory {
    unsigned char* buffer;  // owned while the listing is open
    uint16_t length;        // valid bytes in the buffer
    uint16_t position;      // of the current entry
    FileHandle archive;     // open only while streaming
    ZipEntry entry;
};

int OpenZipDirectory(const char* path, ZipDirectory& listing, uint32_t baseOffset, int32_t length);
int NextZipEntry(ZipDirectory& listing);
void CloseZipDirectory(ZipDirectory& listing);
