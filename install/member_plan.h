// Where one member of an archive goes, or why it does not: the version
// prefix ("16\", "32\" at the start of a path component, taken off the
// name), the language directory, the placement by the name's first folder
// (windows\, system\, else the archive's target directory), and the names
// that would lead out of that directory. Scans step by characters while
// the DBCS flag is set: the second byte of a double-byte character may be
// the backslash's code.
#pragma once

#include "install/install_places.h"

enum MemberVerdict {
    kMemberInstalled,
    kMemberSkippedForVersion,   // its prefix's bits have nothing in common with the mask
    kMemberSkippedForLanguage,  // in the language directory, for another language
    kMemberRefusedRooted,       // starts with a backslash
    kMemberRefusedDrive,        // holds a colon: a drive or a stream
    kMemberRefusedParent,       // a ".." component
    kMemberTooLong,             // its path would not fit in 259 characters
};

enum MemberPlacement { kPlacedInDestination, kPlacedInWindows, kPlacedInSystem };

struct MemberPlan {
    MemberVerdict verdict;
    int versionBits;            // 1 "16\", 2 "32\", 3 both, 0 none
    char name[kMaxPath];        // without its version prefixes
    MemberPlacement placement;
    int placedNameStart;        // in name, after windows\ or system\ (for messages)
    char output[kMaxPath];      // where it is written; empty unless installed
    bool isDirectory;           // ends in a backslash: a folder is made
};

// Skipped members count for nothing; refused ones end the entry with a
// read error; a name too long ends it with a write error (a message and
// the next member in the Windows and System directories).
void PlanMember(const char* memberName, const char* targetDirectory, const InstallPlaces& places,
                MemberPlan& plan);

// Filters the measuring and the unpacking share: false for a member whose
// version or language is not wanted.
bool MemberWanted(const MemberPlan& plan);

// Takes "16\" and then "32\" off the name, each at its first occurrence
// when that starts a path component; returns the bits they stood for.
int StripVersionPrefix(char* name);

// False for a member in the language directory whose file name does not
// begin with the single language's name. Both empty: every member passes.
bool PassesLanguageFilter(const char* name, const char* singleLanguage, const char* languageDirectory);

// Whether an installed member is written where a file of its name exists
// already: in the destination placement unless its time (the low half of
// the stamp) is 00:00:00; never in the Windows or System directory.
bool MemberReplacesExisting(const MemberPlan& plan, unsigned long stamp);

// The name a read-only member goes in under when its target exists: the
// target with its last character (a double-byte one whole) made '$'.
void ReadOnlyTemporaryName(const char* target, char* temporary);

