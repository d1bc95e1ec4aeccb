// The portable part of the search: existence and kind of a path, asked
// through the search of the system layer.
#include <cstring>

#include "fs/file_search.h"

bool ExcludedBySearchMask(uint32_t entryAttributes, uint16_t mask) {
    // The archive bit never excludes an entry.
    return (entryAttributes & 0x3F & ~(static_cast<uint32_t>(mask) | kEntryArchive)) != 0;
}

namespace {

bool IsDriveRoot(const char* path) { return path[0] != '\0' && path[1] == ':' && path[2] == '\\' && path[3] == '\0'; }

}  // namespace

int PathKind(const char* path) {
    if (!path) return kPathNothing;
    if (IsDriveRoot(path) || IsRootPath(path)) return EnterDirectory(path) ? kPathDirectory : kPathNothing;

    char copy[kMaxPath];
    CopyBounded(copy, path, kMaxPath);
    RemoveBackslash(copy);
    SearchRecord record;
    FindFirstEntry(copy, kSearchAll, record);
    if (FileErrorCode() != 0) return kPathNothing;
    int kind = kPathFile;
    if (record.attributes & kEntryDirectory) kind = (record.attributes & kEntryVolumeLabel) ? kPathNothing : kPathDirectory;
    while (FileErrorCode() == 0) FindNextEntry(record);
    CloseSearch(record);
    return kind;
}

bool IsDirectory(const char* path) { return PathKind(path) == kPathDirectory; }

bool FindEntry(const char* path, SearchRecord& record) {
    FindFirstEntry(path, kSearchAll, record);
    bool found = FileErrorCode() == 0;
    CloseSearch(record);
    return found;
}

bool PathExists(const char* path) {
    SearchRecord record;
    return FindEntry(path, record);
}
