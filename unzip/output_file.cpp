#include "unzip/output_file.h"

#include <cstring>

#include "fs/char_step.h"
#include "fs/file_search.h"
#include "fs/path_utils.h"

namespace {

const unsigned long kPathNotFound = 3;
const unsigned long kNameTooLong = 206;

// The backslash after which directories may be created: the one behind
// C: of a drive path, the one ending the share of \\server\share. Null
// for a UNC path without a share.
char* CreationStart(char* path) {
    if (path[0] == '\\' && path[1] == '\\') {
        int seen = 0;
        for (char* p = path; *p; p = NextCharacter(p)) {
            if (*p == '\\' && ++seen == 4) return p;
        }
        return nullptr;
    }
    return ScanChar(path, '\\');
}

}  // namespace

void CreateMissingDirectories(char* path) {
    char* start = CreationStart(path);
    if (start == nullptr || *start == '\0') return;
    // Step by characters: a trail byte of a double-byte character may have
    // the backslash's code.
    char* levels[kMaxPath];
    int count = 0;
    for (char* p = NextCharacter(start); *p; p = NextCharacter(p)) {
        if (*p == '\\') levels[count++] = p;
    }
    // Up from the deepest level until one can be made (or is there), then
    // down again: a new folder in an existing one costs a single call.
    int next = 0;
    for (int i = count - 1; i >= 0; --i) {
        *levels[i] = '\0';
        MakeDirectory(path);
        unsigned long code = FileErrorCode();
        *levels[i] = '\\';
        if (code != kPathNotFound) {
            next = i + 1;
            break;
        }
    }
    for (int i = next; i < count; ++i) {
        *levels[i] = '\0';
        MakeDirectory(path);
        *levels[i] = '\\';
    }
}

FileHandle PrepareOutputFile(const char* path, bool isDirectory, uint32_t sizeToReserve, bool* madeDirectory) {
    if (madeDirectory) *madeDirectory = false;
    if (std::strlen(path) >= static_cast<size_t>(kMaxPath)) {
        SetFileErrorCode(kNameTooLong);
        return kInvalidFile;
    }
    char copy[kMaxPath];
    CopyBounded(copy, path, kMaxPath);

    FileHandle file = kInvalidFile;
    unsigned long code;
    if (isDirectory) {
        // Made straight away; only an existing name is asked whether it is
        // a directory (a file of that name is not one).
        MakeDirectory(copy);
        code = FileErrorCode();
        if (code == kPathNotFound) {
            CreateMissingDirectories(copy);
            // Without room for a trailing backslash the last level is not
            // among those created above.
            MakeDirectory(copy);
            code = FileErrorCode();
        }
        if (code == 0 && madeDirectory) *madeDirectory = true;
        if (code != 0) code = IsDirectory(copy) ? 0 : kPathNotFound;
    } else {
        file = CreateNewFile(copy, 0);
        code = FileErrorCode();
        if (code == kPathNotFound) {
            SetFileErrorCode(0);
            CreateMissingDirectories(copy);
            file = CreateNewFile(copy, 0);
            code = FileErrorCode();
        }
    }

    if (sizeToReserve > 0 && !isDirectory && file != kInvalidFile && IsNtfsDrive(copy[0])) {
        SeekFile(file, static_cast<int32_t>(sizeToReserve), 0);
        TruncateAtPosition(file);
        SeekFile(file, 0, 0);
    }
    SetFileErrorCode(code);
    return file;
}
