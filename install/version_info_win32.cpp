#include "install/version_info.h"

#include <windows.h>

#include <cstdlib>

#include "fs/path_utils.h"

namespace {

typedef DWORD(WINAPI* SizeFunction)(LPCSTR, LPDWORD);
typedef BOOL(WINAPI* InfoFunction)(LPCSTR, DWORD, DWORD, LPVOID);
typedef BOOL(WINAPI* QueryFunction)(LPCVOID, LPCSTR, LPVOID*, PUINT);

struct VersionLibrary {
    SizeFunction size;
    InfoFunction info;
    QueryFunction query;
};

// Loaded once by its full path in the System directory.
const VersionLibrary& Library() {
    static VersionLibrary library = {nullptr, nullptr, nullptr};
    static bool loaded = false;
    if (loaded) return library;
    loaded = true;
    char path[kMaxPath + 16];
    UINT length = GetSystemDirectoryA(path, kMaxPath);
    if (length == 0 || length >= kMaxPath) return library;
    AddBackslash(path);
    lstrcatA(path, "VERSION.DLL");
    HMODULE module = LoadLibraryA(path);
    if (!module) return library;
    library.size = reinterpret_cast<SizeFunction>(reinterpret_cast<void*>(GetProcAddress(module, "GetFileVersionInfoSizeA")));
    library.info = reinterpret_cast<InfoFunction>(reinterpret_cast<void*>(GetProcAddress(module, "GetFileVersionInfoA")));
    library.query = reinterpret_cast<QueryFunction>(reinterpret_cast<void*>(GetProcAddress(module, "VerQueryValueA")));
    if (!library.size || !library.info || !library.query) library = {nullptr, nullptr, nullptr};
    return library;
}

}  // namespace

uint32_t VersionResourceSize(const char* path) {
    const VersionLibrary& library = Library();
    if (!library.size) return 0;
    DWORD handle = 0;
    return library.size(path, &handle);
}

bool ReadFileVersion(const char* path, uint32_t resourceSize, FileVersion& version) {
    const VersionLibrary& library = Library();
    if (!library.info || resourceSize == 0) return false;
    void* block = malloc(resourceSize);
    if (!block) return false;
    bool read = false;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedLength = 0;
    if (library.info(path, 0, resourceSize, block) &&
        library.query(block, "\\", reinterpret_cast<LPVOID*>(&fixed), &fixedLength) && fixed &&
        fixedLength >= sizeof(VS_FIXEDFILEINFO)) {
        version.mostSignificant = static_cast<int32_t>(fixed->dwFileVersionMS);
        version.leastSignificant = static_cast<int32_t>(fixed->dwFileVersionLS);
        read = true;
    }
    free(block);
    return read;
}
