#include "fs/system_library.h"

#include <windows.h>

#include "fs/path_utils.h"

void* LoadSystemLibrary(const char* fileName) {
    char path[kMaxPath + 1];
    UINT length = GetSystemDirectoryA(path, kMaxPath);
    if (length == 0 || length >= kMaxPath) return nullptr;
    AddBackslash(path);
    if (lstrlenA(path) + lstrlenA(fileName) >= kMaxPath) return nullptr;
    lstrcatA(path, fileName);
    return LoadLibraryA(path);
}

void* LibraryFunction(void* library, const char* name) {
    if (!library) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
