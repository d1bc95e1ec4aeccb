#include "install/version_info.h"

#include <windows.h>

#include "fs/system_library.h"

namespace {

typedef DWORD(WINAPI* SizeFunction)(LPCSTR, LPDWORD);
typedef BOOL(WINAPI* InfoFunction)(LPCSTR, DWORD, DWORD, LPVOID);
typedef BOOL(WINAPI* QueryFunction)(LPCVOID, LPCSTR, LPVOID*, PUINT);

struct VersionLibrary {
    SizeFunction size;
    InfoFunction info;
    QueryFunction query;
};

// Loaded once, by its full path in the System directory.
const VersionLibrary& Library() {
    static VersionLibrary library = {nullptr, nullptr, nullptr};
    static bool loaded = false;
    if (loaded) return library;
    loaded = true;
    void* module = LoadSystemLibrary("VERSION.DLL");
    library.size = reinterpret_cast<SizeFunction>(LibraryFunction(module, "GetFileVersionInfoSizeA"));
    library.info = reinterpret_cast<InfoFunction>(LibraryFunction(module, "GetFileVersionInfoA"));
    library.query = reinterpret_cast<QueryFunction>(LibraryFunction(module, "VerQueryValueA"));
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
    void* block = HeapAlloc(GetProcessHeap(), 0, resourceSize);
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
    HeapFree(GetProcessHeap(), 0, block);
    return read;
}
