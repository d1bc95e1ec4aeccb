#include <cstring>

#include "fs/path_utils.h"
#include "install/data_backup.h"

bool BackupPathFor(const char* directory, const char* entry, int digit, char* path) {
    const char* dot = strchr(entry, '.');
    size_t stemLength = dot ? static_cast<size_t>(dot - entry) : strlen(entry);
    const char* tail = dot ? dot : ".";
    size_t directoryLength = strlen(directory);
    bool padded = stemLength < 8;
    size_t total = directoryLength + stemLength + (padded ? 1 : 0) + strlen(tail);
    if (total >= static_cast<size_t>(kMaxPath)) return false;
    char* out = path;
    memcpy(out, directory, directoryLength);
    out += directoryLength;
    memcpy(out, entry, stemLength);
    out += stemLength;
    if (padded) *out++ = ' ';
    out[-1] = static_cast<char>('0' + digit);
    strcpy(out, tail);
    return true;
}
