#include "fs/path_utils.h"

#include <cstring>

#include "base/startup_flags.h"
#include "fs/char_step.h"
#include "fs/module_path.h"
#include "fs/thread_state.h"

char* ScanChar(const char* text, char c) {
    if (!GetStartupFlags().dbcs) return const_cast<char*>(strchr(text, c));
    const char* p = text;
    while (*p != '\0' && *p != c) p = NextCharacter(p);
    if (*p == '\0' && c != '\0') return nullptr;
    return const_cast<char*>(p);
}

char* ScanCharBack(const char* text, char c) {
    if (!GetStartupFlags().dbcs) return const_cast<char*>(strrchr(text, c));
    if (*text == '\0') return nullptr;
    const char* p = text + strlen(text);
    while (p != text && *p != c) p = PreviousCharacter(text, p);
    return *p == c ? const_cast<char*>(p) : nullptr;
}

bool EndsWithBackslash(const char* text) {
    const char* last = ScanCharBack(text, '\\');
    return last != nullptr && last[1] == '\0';
}

char* NamePart(const char* path, char separator) {
    char* last = ScanCharBack(path, separator);
    return last ? last + 1 : const_cast<char*>(path);
}

// A trail byte of 0x5C is not a backslash, so this always steps back by
// characters.
char* LastCharacter(const char* text) { return PreviousCharacter(text, text + strlen(text)); }

void AddBackslash(char* path) {
    if (*path == '\0' || *LastCharacter(path) == '\\') return;
    size_t length = strlen(path);
    path[length] = '\\';
    path[length + 1] = '\0';
}

void RemoveBackslash(char* path) {
    if (*path == '\0') return;
    char* last = LastCharacter(path);
    if (*last == '\\') *last = '\0';
}

bool IsUncPath(const char* path) { return path[0] == '\\' && path[1] == '\\'; }

bool IsRootPath(const char* path) {
    if (IsUncPath(path)) {
        const char* afterServer = ScanChar(path + 2, '\\');
        if (!afterServer || afterServer[1] == '\0') return false;
        const char* afterShare = ScanChar(afterServer + 1, '\\');
        return !afterShare || afterShare[1] == '\0';
    }
    return path[0] != '\0' && path[1] == ':' && path[2] == '\\' && path[3] == '\0';
}

char* NextToken(char* text, char separator) {
    char*& position = CurrentThreadState().tokenPosition;
    if (text) position = text;
    if (!position) return nullptr;
    char* token = position;
    char* found = ScanChar(token, separator);
    if (found) {
        *found = '\0';
        position = found + 1;
    } else {
        position = nullptr;
    }
    return token;
}

void ProgramDirectory(char* buffer, int maxLength) {
    ModuleFilePath(buffer, maxLength);
    char* last = ScanCharBack(buffer, '\\');
    if (last) last[1] = '\0';
}

void CopyBounded(char* destination, const char* source, int size) {
    if (size <= 0) return;
    int i = 0;
    for (; i < size - 1 && source[i] != '\0'; ++i) destination[i] = source[i];
    destination[i] = '\0';
}

bool JoinPath(const char* directory, const char* name, char* path) {
    size_t length = strlen(directory);
    if (length + strlen(name) >= static_cast<size_t>(kMaxPath)) return false;
    memcpy(path, directory, length);
    strcpy(path + length, name);
    return true;
}
