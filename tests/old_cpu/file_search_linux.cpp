// Directory search for the i386 program: only what classifying a path
// needs, a pattern without wildcards looked up directly. The record stays
// open until FindNextEntry reports that no more entries follow.
#include <linux/stat.h>

#include "fs/file_search.h"
#include "tests/old_cpu/linux_calls.h"
#include "tests/old_cpu/linux_path.h"

namespace {

const unsigned long kFileNotFound = 2;
const unsigned long kInvalidHandle = 6;
const unsigned long kNoMoreFiles = 18;
const SearchHandle kOneEntry = 1;

}  // namespace

void FindFirstEntry(const char* pattern, uint16_t mask, SearchRecord& record) {
    record.searchHandle = kNoSearch;
    record.attributeMask = mask;
    char linuxPath[kMaxPath];
    if (!ToLinuxPath(pattern, linuxPath)) return;
    struct stat64 info;
    const long result = StatPath(linuxPath, info);
    if (LinuxFailed(result)) {
        SetFileErrorCode(Win32CodeOf(result, linuxPath));
        return;
    }
    uint32_t attributes = S_ISDIR(info.st_mode) ? kEntryDirectory : 0;
    if (!(info.st_mode & S_IWUSR)) attributes |= kEntryReadOnly;
    if (ExcludedBySearchMask(attributes, mask)) {
        SetFileErrorCode(kFileNotFound);
        return;
    }
    record.attributes = static_cast<uint8_t>(attributes);
    record.stamp = 0;
    record.size = static_cast<uint32_t>(info.st_size);
    CopyBounded(record.name, NamePart(pattern, '\\'), kMaxPath);
    record.shortName[0] = '\0';
    record.searchHandle = kOneEntry;
    SetFileErrorCode(0);
}

void FindNextEntry(SearchRecord& record) {
    if (record.searchHandle == kNoSearch) {
        SetFileErrorCode(kInvalidHandle);
        return;
    }
    record.searchHandle = kNoSearch;
    SetFileErrorCode(kNoMoreFiles);
}

void CloseSearch(SearchRecord& record) {
    if (record.searchHandle == kNoSearch) return;
    record.searchHandle = kNoSearch;
    SetFileErrorCode(0);
}

bool EnterDirectory(const char* path) {
    char linuxPath[kMaxPath];
    return ToLinuxPath(path, linuxPath) && !LinuxFailed(LinuxCall(__NR_chdir, reinterpret_cast<long>(linuxPath)));
}
