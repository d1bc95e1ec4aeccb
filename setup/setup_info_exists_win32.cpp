#include <windows.h>

#include "setup/setup_info.h"

bool SetupInfoExists() {
    HANDLE file = CreateFileA(SetupInfoPath(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}
