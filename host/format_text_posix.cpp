#include <cstdio>

#include "fs/format_text.h"

int FormatText(char* buffer, const char* format, va_list args) {
    int length = vsnprintf(buffer, kFormatBufferSize, format, args);
    if (length < 0) {
        buffer[0] = '\0';
        return 0;
    }
    return length < kFormatBufferSize ? length : kFormatBufferSize - 1;
}
