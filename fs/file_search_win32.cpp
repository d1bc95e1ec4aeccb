// Directory search on Win32.
#include <windows.h>

#include <cstring>

#include "fs/file_time_win32.h"
#include "fs/file_search.h"

namespace {

const DWORD kFileNotFound = 2;  // when the system failed without saying why
const DWORD kInvalidHandle = 6;
const DWORD kNoMoreFiles = 18;

HANDLE AsHandle(SearchHandle search) { return reinterpret_cast<HANDLE>(search); }

void CopyEntry(const WIN32_FIND_DATAA& data, SearchRecord& record) {
    CopyBounded(record.name, data.cFileName, kMaxPath);
    // Only a short name that differs from the name, byte for byte, is kept.
    if (strncmp(data.cAlternateFileName, data.cFileName, sizeof data.cAlternateFileName) != 0) {
        CopyBounded(record.shortName, data.cAlternateFileName, kShortNameSize);
    } else {
        record.shortName[0] = '\0';
    }
    record.size = data.nFileSizeLow;
    record.attributes = static_cast<uint8_t>(data.dwFileAttributes & 0x3F);
    record.stamp = FileTimeToStamp(data.ftLastWriteTime);
}

}  // namespace

void FindFirstEntry(const char* pattern, uint16_t mask, SearchRecord& record) {
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern, &data);
    bool good = search != INVALID_HANDLE_VALUE;
    while (good && ExcludedBySearchMask(data.dwFileAttributes, mask)) good = FindNextFileA(search, &data) != FALSE;
    if (good) {
        record.searchHandle = reinterpret_cast<SearchHandle>(search);
        record.attributeMask = mask;
        CopyEntry(data, record);
        SetFileErrorCode(0);
        return;
    }
    DWORD code = GetLastError();
    SetFileErrorCode(code != 0 ? code : kFileNotFound);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    record.searchHandle = kNoSearch;
    record.name[0] = '\0';
    record.shortName[0] = '\0';
}

void FindNextEntry(SearchRecord& record) {
    if (record.searchHandle == kNoSearch) {
        SetFileErrorCode(kInvalidHandle);
        return;
    }
    WIN32_FIND_DATAA data;
    bool good;
    do {
        good = FindNextFileA(AsHandle(record.searchHandle), &data) != FALSE;
    } while (good && ExcludedBySearchMask(data.dwFileAttributes, record.attributeMask));
    if (good) {
        CopyEntry(data, record);
        SetFileErrorCode(0);
        return;
    }
    const DWORD code = GetLastError();
    SetFileErrorCode(code != 0 ? code : kNoMoreFiles);
    FindClose(AsHandle(record.searchHandle));
    record.searchHandle = kNoSearch;
}

void CloseSearch(SearchRecord& record) {
    if (record.searchHandle == kNoSearch) return;
    SetFileErrorCode(FindClose(AsHandle(record.searchHandle)) ? 0 : GetLastError());
    record.searchHandle = kNoSearch;
}

bool EnterDirectory(const char* path) { return SetCurrentDirectoryA(path) != FALSE; }
