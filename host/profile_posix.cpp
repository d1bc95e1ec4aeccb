#include "setup/profile.h"
#include "setup/profile_reader.h"

int ReadProfileString(const char* section, const char* key, const char* defaultValue, char* buffer,
                      int size, const char* file) {
    return ReadProfileFileString(section, key, defaultValue, buffer, size, file);
}

int ReadProfileInt(const char* section, const char* key, int defaultValue, const char* file) {
    return ReadProfileFileInt(section, key, defaultValue, file);
}

bool WriteProfileEntry(const char*, const char*, const char*, const char*) {
    // The host build never writes profiles: only the product installs.
    return false;
}
