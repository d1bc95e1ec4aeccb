#include <windows.h>

#include "base/language_state.h"
#include "base/window_context.h"
#include "progman/progman_request.h"

namespace {

const LanguageTexts kNoAnswerText = {
    "Programm-Manager does not answer!",
    "Programm-Manager antwortet nicht!",
    "Programm-Manager ne r\xE9pond pas!",
};
const LanguageTexts kNoAnswerCaption = {"Error", "Fehler", "Erreur"};

const LanguageTexts kNotCreatedText = {
    "Could not create program manager group!",
    "Programm-Gruppe konnte nicht korrekt erstellt werden!",
    "Le groupe ne pouvait pas \xEAtre cr\xE9\xE9!",
};
// French too says "Error" here, unlike the no-answer warning.
const LanguageTexts kNotCreatedCaption = {"Error", "Fehler", "Error"};

void Warn(const LanguageTexts& text, const LanguageTexts& caption) {
    MessageBoxA(ShellWindow(), Localized(text), Localized(caption), MB_OK | MB_ICONWARNING);
}

}  // namespace

void WarnNoAnswer() { Warn(kNoAnswerText, kNoAnswerCaption); }

void WarnGroupNotCreated() { Warn(kNotCreatedText, kNotCreatedCaption); }
