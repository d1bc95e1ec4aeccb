// The chosen language and what follows from it: the language index that
// picks every message text, the section letter, the lettered section names
// (install?, Group?, ini?) and the single-language name. Chosen once by the
// language choice (setup/language.h), read by everything after it.
#pragma once

#include "base/path_size.h"

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

// One message in the three languages; Localized picks by the language index.
struct LanguageTexts {
    const char* english;
    const char* german;
    const char* french;
};
const char* Localized(const LanguageTexts& texts);
