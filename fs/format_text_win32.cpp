#include <windows.h>

#include "fs/format_text.h"

int FormatText(char* buffer, const char* format, va_list args) { return wvsprintfA(buffer, format, args); }
