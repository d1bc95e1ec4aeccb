#include "base/language_state.h"

namespace {
LanguageState g_language;
}

LanguageState& Language() { return g_language; }

const char* Localized(const LanguageTexts& texts) {
    if (g_language.index == kLanguageGerman) return texts.german;
    if (g_language.index == kLanguageFrench) return texts.french;
    return texts.english;
}
