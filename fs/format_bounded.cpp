#include <cstring>

#include "fs/format_text.h"

int FormatBounded(char* buffer, size_t size, const char* format, ...) {
    if (size == 0) return 0;
    char wide[kFormatBufferSize];
    va_list args;
    va_start(args, format);
    wide[0] = '\0';
    wide[kFormatBufferSize - 1] = '\0';
    FormatText(wide, format, args);
    va_end(args);
    // The formatter's count is not the stored length when it cut the text.
    int length = static_cast<int>(strlen(wide));
    if (static_cast<size_t>(length) >= size) length = static_cast<int>(size - 1);
    memcpy(buffer, wide, static_cast<size_t>(length));
    buffer[length] = '\0';
    return length;
}
