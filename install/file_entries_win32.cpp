#include "install/file_entries.h"

#include <windows.h>

#include <cstring>

#include "fs/file_search.h"
#include "install/archive_entries.h"
#include "install/install_state.h"
#include "install/system_files.h"
#include "setup/prepared_state.h"

namespace {

char FoldKind(const char* token) {
    if (!token || token[0] == '\0') return ' ';
    char c = token[0];
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

int32_t SizeOf(const char* path) {
    SearchRecord record;
    return FindEntry(path, record) ? static_cast<int32_t>(record.size) : 0;
}

}  // namespace

void SplitEntry(char* text, FileEntry& entry) {
    entry.file = NextToken(text, ',');
    entry.kind = FoldKind(NextToken(nullptr, ','));
    entry.member = NextToken(nullptr, ',');
}

bool SourcePathFor(const char* file, char* source) {
    char setupDirectory[kMaxPath];
    ProgramDirectory(setupDirectory, kMaxPath - 1);
    AddBackslash(setupDirectory);
    return JoinPath(setupDirectory, file, source);
}

bool TargetPathFor(const FileEntry& entry, char* target) {
    char directory[kMaxPath + 1];
    if (entry.kind == 'S') {
        ChosenSystemDirectory(directory);
    } else if (entry.kind == 'W') {
        UINT length = GetWindowsDirectoryA(directory, kMaxPath - 1);
        if (length >= kMaxPath) directory[0] = '\0';
    } else {
        CopyBounded(directory, Prepared().destination, kMaxPath);
    }
    if (entry.kind == 'S' || entry.kind == 'W') AddBackslash(directory);
    return JoinPath(directory, entry.file, target);
}

int32_t MeasureEntry(const char* value) {
    char text[kMaxPath];
    CopyBounded(text, value, kMaxPath);
    FileEntry entry;
    SplitEntry(text, entry);
    char source[kMaxPath];
    if (!SourcePathFor(entry.file, source)) return 0;
    if (entry.kind == 'Z') return MeasureArchive(source, 0, 0);
    if (entry.kind == 'M') return MeasureNestedArchive(source, entry.member);
    return SizeOf(source);
}

int InstallEntry(const char* value, int32_t& runningBytes) {
    char text[kMaxPath];
    CopyBounded(text, value, kMaxPath);
    FileEntry entry;
    SplitEntry(text, entry);
    char source[kMaxPath];
    char target[kMaxPath];
    // A name too long for a path can be neither read nor written.
    if (!SourcePathFor(entry.file, source)) return kEntryReadError;
    if (!TargetPathFor(entry, target)) {
        SetLastTargetPath(entry.file);
        return kEntryWriteError;
    }
    if ((entry.kind == 'W' || entry.kind == 'S') && !VersionGate(source, target)) return kEntryDone;
    SetLastTargetPath(target);
    if (entry.kind == 'Z') return UnpackArchive(source, target, runningBytes, 0, 0);
    if (entry.kind == 'M') return UnpackNestedArchive(source, target, entry.member, runningBytes);
    return CopyPlainFile(source, target, runningBytes);
}
