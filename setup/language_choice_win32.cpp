#include "setup/language_choice.h"

#include <windows.h>

#include "base/window_context.h"
#include "fs/path_utils.h"
#include "resources/resource.h"
#include "setup/dialog_centre.h"
#include "setup/language.h"
#include "setup/numbered_list.h"
#include "setup/setup_info.h"

namespace {

const char kLanguagesSection[] = "languages";
const char kLangNameSection[] = "LangName";
const char kQuestionCaption[] = "Install";

const LanguageTexts kAllLanguagesQuestion = {
    "Do you also want to install all other languages?\r"
    "You can then switch between these languages while the program is running.",
    "M\xF6" "chten Sie auch alle anderen Sprachen installieren?\r"
    "Dies erlaubt es Ihnen, die Sprache w\xE4hrend dem Betrieb des Programms zu wechseln.",
    "Voulez-vous aussi installer les autres langues?\r"
    "Cela vous permet de choisir la langue pendant l'execution du programme.",
};

int LanguageCount() { return ReadSetupInt(kLanguagesSection, "Count", 1); }

int DefaultLanguage() { return ReadSetupInt(kLanguagesSection, "Default", 1); }

// WM_INITDIALOG: one line per non-empty entry, the default line selected.
BOOL OnInitLanguageDialog(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_LANGUAGE_LIST);
    const int count = LanguageCount();
    for (int number = 1; number <= count; ++number) {
        char entry[kSetupValueSize];
        // Read up to Count: an empty entry leaves no line but ends nothing.
        if (!ReadListEntry(kPlainList, kLanguagesSection, number, entry, kSetupValueSize)) continue;
        char* comma = ScanChar(entry, ',');
        if (comma) *comma = '\0';
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(DefaultLanguage() - 1), 0);
    CentreOverOwner(dialog, GetWindow(dialog, GW_OWNER));
    return TRUE;  // the system sets the focus
}

// OK: the language index is the selected line's position plus one.
void OnLanguageOk(HWND dialog) {
    LRESULT line = SendDlgItemMessageA(dialog, IDC_LANGUAGE_LIST, LB_GETCURSEL, 0, 0);
    if (line == LB_ERR) {
        MessageBeep(0);
        ExitProcess(kExitNoLanguage);
    }
    Language().index = static_cast<unsigned short>(line + 1);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK LanguageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitLanguageDialog(dialog);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: OnLanguageOk(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

void ReadLanguageLetter() {
    char entry[512];
    ReadListEntry(kPlainList, kLanguagesSection, Language().index, entry, sizeof entry);
    ApplyLanguageEntry(entry);
}

// No to "all other languages" names the one language whose files are wanted.
void AskForAllLanguages() {
    LanguageState& language = Language();
    int answer = MessageBoxA(ShellWindow(), Localized(kAllLanguagesQuestion), kQuestionCaption,
                             MB_ICONQUESTION | MB_YESNO);
    if (answer == IDYES) {
        language.singleLanguageName[0] = '\0';
        return;
    }
    char key[2];
    LanguageNameKey(key);
    ReadSetupString(kLangNameSection, key, "", language.singleLanguageName, kMaxPath);
}

}  // namespace

bool ChooseLanguage() {
    LanguageState& language = Language();
    language.singleLanguageName[0] = '\0';
    const int count = LanguageCount();
    if (count >= 2) {
        INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), IDD_LANGUAGEDIALOG, ShellWindow(),
                                         LanguageDialogProc, 0);
        if (result != IDOK) return false;
    } else {
        language.index = static_cast<unsigned short>(DefaultLanguage());
    }
    ReadLanguageLetter();
    if (count < 2) return true;
    AskForAllLanguages();
    return true;
}
