// Directory search on POSIX for the host build. A pattern without
// wildcards is looked up directly (the common existence and size
// question); otherwise the directory is read and names are matched with
// the system's * and ? rules, ignoring case. Entries have no short names.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <new>

#include "fs/file_search.h"
#include "host/host_path.h"

namespace {

const unsigned long kNoMoreFiles = 18;

struct HostSearch {
    DIR* directory;  // null for a single looked-up entry
    char folder[kMaxPath];
    char pattern[kMaxPath];
};

HostSearch* AsSearch(SearchHandle handle) { return reinterpret_cast<HostSearch*>(handle); }

bool Matches(const char* pattern, const char* name) {
    if (strcmp(pattern, "*.*") == 0) return true;  // every name, dot or not
    // Iterative * and ? matching with one backtrack point.
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name != '\0') {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?' ||
                   tolower(static_cast<unsigned char>(*pattern)) == tolower(static_cast<unsigned char>(*name))) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*') ++pattern;
    return *pattern == '\0';
}

uint32_t AttributesOf(const struct stat& info) {
    uint32_t attributes = 0;
    if (S_ISDIR(info.st_mode)) attributes |= kEntryDirectory;
    if (!(info.st_mode & S_IWUSR)) attributes |= kEntryReadOnly;
    return attributes;
}

void Fill(SearchRecord& record, const char* name, const struct stat& info) {
    CopyBounded(record.name, name, kMaxPath);
    record.shortName[0] = '\0';
    record.size = S_ISDIR(info.st_mode) ? 0 : static_cast<uint32_t>(info.st_size);  // as Win32 reports
    record.attributes = static_cast<uint8_t>(AttributesOf(info));
    struct tm local;
    record.stamp = 0;
    if (localtime_r(&info.st_mtime, &local)) {
        StampFields fields = {static_cast<uint16_t>(local.tm_year + 1900), static_cast<uint16_t>(local.tm_mon + 1),
                              static_cast<uint16_t>(local.tm_mday),        static_cast<uint16_t>(local.tm_hour),
                              static_cast<uint16_t>(local.tm_min),         static_cast<uint16_t>(local.tm_sec)};
        record.stamp = PackStamp(fields);
    }
}

// The next directory entry that matches and passes the mask; false at the end.
bool NextMatch(HostSearch& search, uint16_t mask, SearchRecord& record, bool& anyMatched) {
    while (dirent* entry = readdir(search.directory)) {
        if (!Matches(search.pattern, entry->d_name)) continue;
        char full[kMaxPath * 2];
        snprintf(full, sizeof full, "%s/%s", search.folder, entry->d_name);
        struct stat info;
        if (stat(full, &info) != 0 && lstat(full, &info) != 0) continue;
        anyMatched = true;
        if (ExcludedBySearchMask(AttributesOf(info), mask)) continue;
        Fill(record, entry->d_name, info);
        return true;
    }
    return false;
}

void Fail(SearchRecord& record, unsigned long code) {
    SetFileErrorCode(code);
    record.searchHandle = kNoSearch;
    record.name[0] = '\0';
    record.shortName[0] = '\0';
}

void Release(SearchRecord& record) {
    HostSearch* search = AsSearch(record.searchHandle);
    if (search->directory) closedir(search->directory);
    delete search;
    record.searchHandle = kNoSearch;
}

}  // namespace

void FindFirstEntry(const char* pattern, uint16_t mask, SearchRecord& record) {
    record.searchHandle = kNoSearch;
    char hostPath[kMaxPath];
    if (!ToHostPath(pattern, hostPath)) return Fail(record, FileErrorCode());

    HostSearch* search = new (std::nothrow) HostSearch;
    if (!search) return Fail(record, kNotEnoughMemory);
    search->directory = nullptr;
    const char* slash = strrchr(hostPath, '/');
    const char* namePattern = slash ? slash + 1 : hostPath;
    CopyBounded(search->pattern, namePattern, kMaxPath);
    if (!slash) {
        strcpy(search->folder, ".");
    } else if (slash == hostPath) {
        strcpy(search->folder, "/");
    } else {
        CopyBounded(search->folder, hostPath, static_cast<int>(slash - hostPath) + 1);
    }

    if (*namePattern == '\0') {
        delete search;
        return Fail(record, kFileNotFound);
    }
    if (!strpbrk(namePattern, "*?")) {
        struct stat info;
        if (stat(hostPath, &info) != 0) {
            const unsigned long code = HostErrorCode(errno, hostPath);
            delete search;
            return Fail(record, code);
        }
        if (ExcludedBySearchMask(AttributesOf(info), mask)) {
            delete search;
            return Fail(record, kNoMoreFiles);
        }
        Fill(record, namePattern, info);
    } else {
        search->directory = opendir(search->folder);
        if (!search->directory) {
            const unsigned long code = errno == ENOENT || errno == ENOTDIR ? kPathNotFound
                                                                           : HostErrorCode(errno, search->folder);
            delete search;
            return Fail(record, code);
        }
        bool anyMatched = false;
        if (!NextMatch(*search, mask, record, anyMatched)) {
            closedir(search->directory);
            delete search;
            // Nothing at all is "not found"; only excluded entries end the list.
            return Fail(record, anyMatched ? kNoMoreFiles : kFileNotFound);
        }
    }
    record.searchHandle = reinterpret_cast<SearchHandle>(search);
    record.attributeMask = mask;
    SetFileErrorCode(0);
}

void FindNextEntry(SearchRecord& record) {
    if (record.searchHandle == kNoSearch) {
        SetFileErrorCode(kInvalidHandle);
        return;
    }
    HostSearch* search = AsSearch(record.searchHandle);
    bool anyMatched = false;
    if (search->directory && NextMatch(*search, record.attributeMask, record, anyMatched)) {
        SetFileErrorCode(0);
        return;
    }
    SetFileErrorCode(kNoMoreFiles);
    Release(record);
}

void CloseSearch(SearchRecord& record) {
    if (record.searchHandle == kNoSearch) return;
    Release(record);
    SetFileErrorCode(0);
}

bool EnterDirectory(const char* path) {
    char hostPath[kMaxPath];
    return ToHostPath(path, hostPath) && chdir(hostPath) == 0;
}
