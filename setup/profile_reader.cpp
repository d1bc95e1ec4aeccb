#include "setup/profile_reader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "fs/path_utils.h"

namespace {

const long kMaxProfileSize = 1L << 20;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Trims blanks in place between begin and end; returns the new length.
void Trim(const char*& begin, const char*& end) {
    while (begin < end && IsBlank(*begin)) ++begin;
    while (end > begin && (IsBlank(end[-1]) || end[-1] == '\r')) --end;
}

bool SameName(const char* begin, const char* end, const char* name) {
    size_t length = static_cast<size_t>(end - begin);
    return strlen(name) == length && strncasecmp(begin, name, length) == 0;
}

void StoreValue(const char* begin, const char* end, char* buffer, int size) {
    if (end - begin >= 2 && (*begin == '"' || *begin == '\'') && end[-1] == *begin) {
        ++begin;
        --end;
    }
    int length = static_cast<int>(end - begin);
    if (length > size - 1) length = size - 1;
    memcpy(buffer, begin, static_cast<size_t>(length));
    buffer[length] = '\0';
}

// Reads a whole profile file into a new buffer; null when unreadable.
char* LoadText(const char* file) {
    FILE* f = fopen(file, "rb");
    if (!f) return nullptr;
    char* text = static_cast<char*>(malloc(static_cast<size_t>(kMaxProfileSize) + 1));
    size_t length = text ? fread(text, 1, static_cast<size_t>(kMaxProfileSize), f) : 0;
    fclose(f);
    if (text) text[length] = '\0';
    return text;
}

}  // namespace

bool FindProfileValue(const char* text, const char* section, const char* key, char* buffer, int size) {
    bool inSection = false;
    for (const char* line = text; *line != '\0';) {
        const char* lineEnd = line + strcspn(line, "\n");
        const char* begin = line;
        const char* end = lineEnd;
        Trim(begin, end);
        if (begin < end && *begin == '[') {
            const char* close = static_cast<const char*>(memchr(begin, ']', static_cast<size_t>(end - begin)));
            const char* nameBegin = begin + 1;
            const char* nameEnd = close ? close : end;
            Trim(nameBegin, nameEnd);
            inSection = SameName(nameBegin, nameEnd, section);
        } else if (inSection) {
            const char* equals = static_cast<const char*>(memchr(begin, '=', static_cast<size_t>(end - begin)));
            const char* keyEnd = equals ? equals : end;
            const char* keyBegin = begin;
            Trim(keyBegin, keyEnd);
            if (SameName(keyBegin, keyEnd, key)) {
                const char* valueBegin = equals ? equals + 1 : end;
                const char* valueEnd = end;
                Trim(valueBegin, valueEnd);
                StoreValue(valueBegin, valueEnd, buffer, size);
                return true;
            }
        }
        line = *lineEnd ? lineEnd + 1 : lineEnd;
    }
    return false;
}

int ReadProfileFileString(const char* section, const char* key, const char* defaultValue, char* buffer,
                          int size, const char* file) {
    if (size <= 0) return 0;
    char* text = LoadText(file);
    bool found = text && FindProfileValue(text, section, key, buffer, size);
    free(text);
    if (!found) CopyBounded(buffer, defaultValue ? defaultValue : "", size);
    return static_cast<int>(strlen(buffer));
}

int ReadProfileFileInt(const char* section, const char* key, int defaultValue, const char* file) {
    char value[64];
    if (ReadProfileFileString(section, key, "", value, sizeof value, file) == 0) return defaultValue;
    return static_cast<int>(strtol(value, nullptr, 10));
}
