// The chosen language and what follows from it: the language index that
// picks every message text, the section letter, the lettered section names
// (install?, Group?, ini?) and the single-language name. Set once by the
// language choice, read by everything after it. Also the localized lookup,
// the one way keys of the lettered sections are read.
#pragma once

#include "fs/path_utils.h"

const unsigned short kLanguageEnglish = 1;
const unsigned short kLanguageGerman = 2;
const unsigned short kLanguageFrench = 3;

const int kSectionNameSize = 32;  // lettered section names: 31 characters

struct LanguageState {
    unsigned short index;  // 1 English, 2 German, 3 French; others read as English
    char letter;           // '\0' when the language has none
    char installSection[kSectionNameSize];
    char groupSection[kSectionNameSize];
    char iniSection[kSectionNameSize];
    char singleLanguageName[kMaxPath];  // empty: files of all languages
};

LanguageState& Language();

// Back to the start: English, no letter, unlettered sections, all languages.
void ResetLanguage();

// One message in the three languages; Localized picks by the language index.
struct LanguageTexts {
    const char* english;
    const char* german;
    const char* french;
};
const char* Localized(const LanguageTexts& texts);

// Takes the letter from a languages entry ("name,letter..."): the first
// character of the second field, none when that field is absent or empty.
// Then builds the lettered section names from it.
void ApplyLanguageEntry(const char* entry);
void BuildLetteredSections(char letter);

// The key of section LangName for the chosen language: the letter, or "0".
void LanguageNameKey(char key[2]);

// Reads key from a lettered section; when the key is absent there (or holds
// the marker text itself), English takes the default and other languages
// read the base section, the name without its last character.
void LocalizedRead(const char* section, const char* key, const char* defaultValue, char* buffer, int size);
