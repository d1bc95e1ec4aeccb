#include <windows.h>

#include "setup/profile.h"

int ReadProfileString(const char* section, const char* key, const char* defaultValue, char* buffer,
                      int size, const char* file) {
    return static_cast<int>(
        GetPrivateProfileStringA(section, key, defaultValue, buffer, static_cast<DWORD>(size), file));
}

int ReadProfileInt(const char* section, const char* key, int defaultValue, const char* file) {
    return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, file));
}

bool WriteProfileEntry(const char* section, const char* key, const char* value, const char* file) {
    return WritePrivateProfileStringA(section, key, value, file) != 0;
}
