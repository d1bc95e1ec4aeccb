// The entries of the file list: "file[,kind[,member]]". Measuring tells
// how many bytes an entry will install; installing carries it out with the
// plain copy or one of the archive workers, into the destination, Windows
// or System directory by its kind.
#pragma once

#include <cstdint>

int32_t MeasureEntry(const char* entry);

// Returns an entry result (install/install_state.h).
int InstallEntry(const char* entry, int32_t& runningBytes);

// The parts of an entry; the text is split in place.
struct FileEntry {
    const char* file;
    char kind;           // upper case; ' ' when absent or empty
    const char* member;  // kind M only; null when absent
};
void SplitEntry(char* text, FileEntry& entry);

// The kind's target: the destination, Windows or System directory with a
// backslash, then the file name. False when it would not fit.
bool TargetPathFor(const FileEntry& entry, char* target);

// Setup directory (with backslash) and file name; false when too long.
bool SourcePathFor(const char* file, char* source);

// Copies a plain file in blocks, with progress, attributes and stamp.
int CopyPlainFile(const char* source, const char* target, int32_t& runningBytes);
