// Message formatting with %s and %i, as wvsprintfA does it.
#pragma once

#include <cstdarg>
#include <cstddef>

// The largest text the formatter ever writes, terminator included.
const int kFormatBufferSize = 1025;

// wvsprintfA itself: the buffer must hold kFormatBufferSize characters.
int FormatText(char* buffer, const char* format, va_list args);

// Formats into a buffer of any size: the text is cut to fit, never overflows.
int FormatBounded(char* buffer, size_t size, const char* format, ...);
