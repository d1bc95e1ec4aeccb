// Where an installation puts things and what it was asked for: the input
// of every decision about an entry or a member. SETUP.EXE fills it once
// per run from the system and the preparation; the vendor's checker fills
// it from its options. Built once, before the first worker, and not changed
// afterwards. Paths end in a backslash (empty when unknown).
#pragma once

#include "base/language_state.h"
#include "fs/path_utils.h"

struct InstallPlaces {
    char setupDirectory[kMaxPath];    // where SETUP.EXE and the distribution lie
    char destination[kMaxPath];       // the chosen destination directory, normalised
    char windowsDirectory[kMaxPath];  // kind W entries and windows\ members
    char systemDirectory[kMaxPath];   // kind S entries and system\ members
    int versionMask;                  // 1 16-bit, 2 32-bit, 3 both
    char singleLanguage[kMaxPath];    // the chosen language's file name; empty: all languages
    char languageDirectory[kMaxPath]; // the language files' folder (LangName, langdir); may be empty
    char installSection[kSectionNameSize];  // the chosen language's lettered sections
    char groupSection[kSectionNameSize];
    char iniSection[kSectionNameSize];
    char windowCaption[kMaxPath];     // every message box of the run
};

// The destination as typed, normalised, with its closing backslash.
void PlaceDestination(InstallPlaces& places, const char* typed);

// The chosen language's lettered sections and single-language name.
void PlaceLanguage(InstallPlaces& places, const LanguageState& language);

// The installation's places as SETUP.EXE knows them (product only):
// reads the Windows and System directories, the prepared destination
// (normalised here, the prepared text stays as typed) and the language
// choice.
void GatherInstallPlaces(InstallPlaces& places);
