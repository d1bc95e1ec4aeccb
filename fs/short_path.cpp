// ShortPathForm: W is the caller's path, cut at a cursor to search for one
// prefix at a time; R is the result. Roots are taken over as they are,
// then every named component is looked up and its short name appended.
#include "fs/short_path.h"

#include <cstring>

#include "fs/char_step.h"
#include "fs/file_search.h"
#include "fs/path_utils.h"
#include "fs/upper_case.h"

namespace {

// R never outgrows its buffer: a wildcard component can be replaced by a
// longer name, and each missing component with a trailing dot gains one.
void Append(char* result, const char* text) {
    const size_t length = strlen(result);
    CopyBounded(result + length, text, kMaxPath - static_cast<int>(length));
}

void AppendSeparator(char* result) {
    if (strlen(result) < static_cast<size_t>(kMaxPath - 1)) AddBackslash(result);
}

// The next backslash at or after p, or the end of the text.
char* NextSeparator(char* p, char* end) {
    if (p >= end) return end;
    char* found = ScanChar(p, '\\');
    return found ? found : end;
}

bool EndsWithDot(const char* text) {
    const size_t length = strlen(text);
    return length != 0 && *PreviousCharacter(text, text + length) == '.';
}

char* Finish(char* output, const char* text) {
    CopyBounded(output, text, kMaxPath);
    return output;
}

// The component's name as the file system keeps it, or sanitized when missing.
void AppendComponent(char* result, const char* prefix, const char* component) {
    // Links to the same or the parent directory are kept; a search would
    // name the directory itself and change the path's meaning.
    if (strcmp(component, "..") == 0 || strcmp(component, ".") == 0) {
        Append(result, component);
        return;
    }
    SearchRecord record;
    FindFirstEntry(prefix, kSearchAll, record);
    if (FileErrorCode() == 0) {
        Append(result, record.shortName[0] != '\0' ? record.shortName : record.name);
    } else {
        SetFileErrorCode(0);
        char sanitized[kMaxPath];
        CopyBounded(sanitized, component, kMaxPath);
        SanitizeName(sanitized);
        Append(result, sanitized);
    }
    // The search ignores a trailing dot; the result keeps it.
    if (EndsWithDot(component)) Append(result, ".");
    CloseSearch(record);
}

}  // namespace

char* ShortPathForm(const char* path, char* output) {
    char w[kMaxPath];
    char r[kMaxPath];
    CopyBounded(w, path, kMaxPath);
    CopyBounded(r, path, kMaxPath);
    UpperCaseText(r);

    if (strcmp(w, "\\") == 0) return Finish(output, r);
    RemoveBackslash(w);
    char* const end = w + strlen(w);
    char* cursor;

    if (w[0] != '\0' && w[1] == ':') {
        // Drive paths: the drive part is upper-cased, the rest converted.
        if (strlen(path) <= 3) return Finish(output, r);
        char* first = ScanChar(w, '\\');
        if (!first) return Finish(output, w);  // drive-relative: c:dir
        r[first - w + 1] = '\0';
        cursor = NextSeparator(first + 1, end);
    } else {
        r[0] = '\0';
        char* first = ScanChar(w, '\\');
        if (!first) {
            cursor = end;  // a single relative name
        } else if (first != w) {
            cursor = first;  // relative path with directories
        } else if (w[1] != '\\') {
            strcpy(r, "\\");  // rooted: \dir\name
            cursor = NextSeparator(w + 1, end);
        } else {
            // Network path: \\server\share stays as given.
            char* afterServer = ScanChar(w + 2, '\\');
            if (!afterServer) return Finish(output, "");
            char* afterShare = ScanChar(afterServer + 1, '\\');
            if (!afterShare) return Finish(output, w);
            CopyBounded(r, w, static_cast<int>(afterShare - w) + 2);
            cursor = NextSeparator(afterShare + 1, end);
        }
    }

    for (;;) {
        AppendSeparator(r);
        const bool last = cursor == end;
        *cursor = '\0';
        const char* component = NamePart(w, '\\');
        if (*component == '\0') break;  // two backslashes in a row: stop here
        AppendComponent(r, w, component);
        if (last) break;
        *cursor = '\\';
        cursor = NextSeparator(cursor + 1, end);
    }
    return Finish(output, r);
}
