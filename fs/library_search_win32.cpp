#include "fs/library_search.h"

#include <windows.h>

#include "fs/system_library.h"

namespace {

const DWORD kSearchSystemDirectory = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

typedef BOOL(WINAPI* DefaultDirectoriesFunction)(DWORD);
typedef BOOL(WINAPI* DirectoryFunction)(LPCSTR);

}  // namespace

// Both looked up: importing them would keep the program from loading on
// the systems that lack them.
void RestrictLibrarySearch() {
    void* kernel = GetModuleHandleA("KERNEL32.DLL");
    DefaultDirectoriesFunction defaultDirectories =
        reinterpret_cast<DefaultDirectoriesFunction>(LibraryFunction(kernel, "SetDefaultDllDirectories"));
    if (defaultDirectories) defaultDirectories(kSearchSystemDirectory);
    // An empty name takes the current directory out of the older search.
    DirectoryFunction directory = reinterpret_cast<DirectoryFunction>(LibraryFunction(kernel, "SetDllDirectoryA"));
    if (directory) directory("");
}
