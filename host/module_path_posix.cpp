#include <unistd.h>

#include "fs/module_path.h"

int ModuleFilePath(char* buffer, int maxLength) {
    if (maxLength <= 0) return 0;
    ssize_t length = readlink("/proc/self/exe", buffer, static_cast<size_t>(maxLength));
    if (length < 0) length = 0;
    buffer[length] = '\0';
    return static_cast<int>(length);
}
