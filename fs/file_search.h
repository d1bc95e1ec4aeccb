// Directory search for the program's existence, size and date questions,
// and the path classifier built on it. The caller keeps the search record;
// FindFirstEntry fills it, and every outcome goes to the per-thread file
// error code (2 nothing found, 18 no more entries). Usual sequence:
// FindFirstEntry with kSearchAll; if the code is 0 read the record;
// CloseSearch.
#pragma once

#include <cstdint>

#include "fs/file_ops.h"
#include "fs/path_utils.h"

typedef intptr_t SearchHandle;
const SearchHandle kNoSearch = -1;
const uint16_t kSearchAll = 0x3F;

// Attribute bits of the record.
const uint8_t kEntryReadOnly = 0x01;
const uint8_t kEntryHidden = 0x02;
const uint8_t kEntrySystem = 0x04;
const uint8_t kEntryVolumeLabel = 0x08;
const uint8_t kEntryDirectory = 0x10;
const uint8_t kEntryArchive = 0x20;

const int kShortNameSize = 14;  // 8.3 name and the terminator

struct SearchRecord {
    SearchHandle searchHandle;  // open search, or kNoSearch (needs no closing)
    uint16_t attributeMask;     // as given to FindFirstEntry, used again by FindNextEntry
    uint8_t attributes;         // the entry's attributes AND 3F
    PackedStamp stamp;          // last write, local time
    uint32_t size;              // low 32 bits
    char name[kMaxPath];
    char shortName[kShortNameSize];  // empty when the same as the name or none kept
};

// An entry is skipped when it carries a bit among read-only, hidden,
// system, volume label and directory that the mask lacks.
bool ExcludedBySearchMask(uint32_t entryAttributes, uint16_t mask);

// The first entry matching pattern (wildcards allowed) that the mask lets
// through. On failure the code is never 0 and the record is closed.
void FindFirstEntry(const char* pattern, uint16_t mask, SearchRecord& record);

// The next such entry; at the end (code 18) the search is closed. On a
// closed record it fails with 6 (invalid handle).
void FindNextEntry(SearchRecord& record);

// Ends an open search (code from closing it); a closed record is left
// alone and so is the code.
void CloseSearch(SearchRecord& record);

// One search with all attributes: whether something exists at path (and
// its record). The search is closed again.
bool FindEntry(const char* path, SearchRecord& record);
bool PathExists(const char* path);

const int kPathNothing = 0;
const int kPathFile = 1;
const int kPathDirectory = 2;

// Nothing, a file or a directory. Roots (C:\, \\server\share) cannot be
// searched for: they become the current directory instead, which stays
// changed. After a successful search the code is left at 18.
int PathKind(const char* path);
bool IsDirectory(const char* path);

// Makes path the process's current directory (and its drive current).
bool EnterDirectory(const char* path);
