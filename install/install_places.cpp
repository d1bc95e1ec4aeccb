#include "install/install_places.h"

#include <cstring>

#include "install/run_installation.h"

void PlaceDestination(InstallPlaces& places, const char* typed) {
    CopyBounded(places.destination, typed, kMaxPath);
    NormaliseDestination(places.destination);
    if (strlen(places.destination) < static_cast<size_t>(kMaxPath - 1)) AddBackslash(places.destination);
}

void PlaceLanguage(InstallPlaces& places, const LanguageState& language) {
    CopyBounded(places.singleLanguage, language.singleLanguageName, kMaxPath);
    CopyBounded(places.installSection, language.installSection, kSectionNameSize);
    CopyBounded(places.groupSection, language.groupSection, kSectionNameSize);
    CopyBounded(places.iniSection, language.iniSection, kSectionNameSize);
}
