// What one entry of the file list means: "file[,kind[,member]]". The kind
// (case does not matter) says where the file goes and how: a plain copy
// into the destination (none or any other letter), into the Windows
// directory (W) or the System directory (S), both only over older
// versions; a ZIP archive unpacked member by member (Z); stored archives
// inside an archive (M, member names the inner archive, none: every
// stored member).
#pragma once

#include "install/install_places.h"

enum EntryAction { kCopyToDestination, kCopyToWindows, kCopyToSystem, kUnpackArchive, kUnpackNestedArchives };

struct FileEntryPlan {
    char file[kMaxPath];    // as listed
    char kind;              // upper case; ' ' when absent or empty
    EntryAction action;
    char member[kMaxPath];  // kind M only; empty when absent
    bool hasMember;
    char source[kMaxPath];  // the setup directory and the file
    bool sourceFits;        // false: too long to name (a read error)
    char target[kMaxPath];  // the file's place by its kind; for archives, their target directory and name
    bool targetFits;        // false: too long to name (a write error)
};

// Reads an entry; never fails (an empty entry names the setup directory).
void PlanFileEntry(const char* entry, const InstallPlaces& places, FileEntryPlan& plan);

// Shared files of the Windows and System directories: installed only over
// older versions, and a failure is reported and passed over.
bool IsSharedFileEntry(const FileEntryPlan& plan);

