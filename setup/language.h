// The language choice's rules: the section letter of a languages entry,
// the lettered section names, and the localized lookup, the one way keys
// of the lettered sections are read. The chosen language itself is kept
// in base/language_state.h.
#pragma once

#include "base/language_state.h"

// Back to the start: English, no letter, unlettered sections, all languages.
void ResetLanguage();

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
