// Where an installation puts things and what it was asked for: the input
// of every decision about an entry or a member. SETUP.EXE fills it once
// per run from the system and the preparation; the vendor's checker fills
// it from its options. Paths end in a backslash (empty when unknown).
#pragma once

#include "fs/path_utils.h"

struct InstallPlaces {
    char setupDirectory[kMaxPath];    // where SETUP.EXE and the distribution lie
    char destination[kMaxPath];       // the chosen destination directory
    char windowsDirectory[kMaxPath];  // kind W entries and windows\ members
    char systemDirectory[kMaxPath];   // kind S entries and system\ members
    int versionMask;                  // 1 16-bit, 2 32-bit, 3 both
    char singleLanguage[kMaxPath];    // the chosen language's file name; empty: all languages
    char languageDirectory[kMaxPath]; // the language files' folder (LangName, langdir); may be empty
};

// The installation's places as SETUP.EXE knows them (product only):
// reads the Windows and System directories, the prepared destination and
// the language choice.
void GatherInstallPlaces(InstallPlaces& places);
