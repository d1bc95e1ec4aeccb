#include "setup/language.h"

#include <cstring>

#include "fs/path_utils.h"
#include "setup/setup_info.h"

namespace {

// Default of the first read; a key that holds it counts as absent.
const char kAbsentMarker[] = "?!?!?!";

void Lettered(char* name, const char* stem, char letter) {
    CopyBounded(name, stem, kSectionNameSize);
    size_t length = strlen(name);
    name[length] = letter;  // the terminator again when there is no letter
    name[length + 1] = '\0';
}

// Reads key into buffer; false when it is absent (or holds the marker). A
// buffer too small for the marker would cut it, so a larger one decides.
bool KeyPresent(const char* section, const char* key, char* buffer, int size) {
    const int markerSize = static_cast<int>(sizeof kAbsentMarker) + 1;
    if (size >= markerSize) {
        ReadSetupString(section, key, kAbsentMarker, buffer, size);
        return strcmp(buffer, kAbsentMarker) != 0;
    }
    char probe[sizeof kAbsentMarker + 1];
    ReadSetupString(section, key, kAbsentMarker, probe, markerSize);
    if (strcmp(probe, kAbsentMarker) == 0) return false;
    ReadSetupString(section, key, "", buffer, size);
    return true;
}

// English takes the default; other languages read the base section, the
// lettered name without its last character.
void LookupDefault(const char* section, const char* key, const char* defaultValue, char* buffer, int size) {
    if (Language().index == kLanguageEnglish) {
        CopyBounded(buffer, defaultValue, size);
        return;
    }
    char base[kSectionNameSize];
    CopyBounded(base, section, kSectionNameSize);
    size_t length = strlen(base);
    if (length > 0) base[length - 1] = '\0';
    ReadSetupString(base, key, defaultValue, buffer, size);
}

}  // namespace

void ResetLanguage() {
    Language().index = kLanguageEnglish;
    Language().singleLanguageName[0] = '\0';
    BuildLetteredSections('\0');
}

void ApplyLanguageEntry(const char* entry) {
    char local[512];
    CopyBounded(local, entry, sizeof local);
    char letter = '\0';
    if (local[0] != '\0') {
        NextToken(local, ',');
        const char* second = NextToken(nullptr, ',');
        if (second) letter = second[0];
    }
    BuildLetteredSections(letter);
}

void BuildLetteredSections(char letter) {
    Language().letter = letter;
    Lettered(Language().installSection, "install", letter);
    Lettered(Language().groupSection, "Group", letter);
    Lettered(Language().iniSection, "ini", letter);
}

void LanguageNameKey(char key[2]) {
    key[0] = Language().letter ? Language().letter : '0';
    key[1] = '\0';
}

void LocalizedRead(const char* section, const char* key, const char* defaultValue, char* buffer, int size) {
    if (!KeyPresent(section, key, buffer, size)) {
        LookupDefault(section, key, defaultValue, buffer, size);
    }
}
