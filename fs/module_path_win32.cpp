#include <windows.h>

#include "fs/module_path.h"

int ModuleFilePath(char* buffer, int maxLength) {
    if (maxLength <= 0) return 0;
    DWORD length = GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(maxLength) + 1);
    // Windows XP leaves a cut path unterminated.
    if (length > static_cast<DWORD>(maxLength)) length = static_cast<DWORD>(maxLength);
    buffer[length] = '\0';
    return static_cast<int>(length);
}
