#include "setup/version_choice.h"

#include <windows.h>

#include "base/window_context.h"
#include "resources/resource.h"
#include "setup/dialog_centre.h"
#include "setup/language.h"
#include "setup/prepared_state.h"
#include "setup/setup_info.h"

namespace {

const int kMask16 = 1;
const int kMask32 = 2;

// English keeps the template's own texts (null here).
const LanguageTexts kHeading = {nullptr, "Zu installierende Version:", "Version \xE0 installer:"};
const LanguageTexts kNote = {
    nullptr,
    "Hinweis: Sie k\xF6nnen beide Versionen installieren, wenn Sie beide Windows-Versionen einsetzen.",
    "Note: vous pouvez installer les deux si vous avez install\xE9 les deux versions de Windows.",
};

void Translate(HWND dialog, int id, const LanguageTexts& texts) {
    const char* text = Localized(texts);
    if (text) SetDlgItemTextA(dialog, id, text);
}

// WM_INITDIALOG: 32-bit ticked, heading and note in the chosen language.
BOOL OnInitVersionDialog(HWND dialog) {
    CheckDlgButton(dialog, IDC_VERSION_32, BST_CHECKED);
    Translate(dialog, IDC_VERSION_HEADING, kHeading);
    Translate(dialog, IDC_VERSION_NOTE, kNote);
    CentreOverOwner(dialog, GetWindow(dialog, GW_OWNER));
    return TRUE;
}

// OK: the mask is what is ticked, neither box being allowed.
void OnVersionOk(HWND dialog) {
    int mask = 0;
    if (IsDlgButtonChecked(dialog, IDC_VERSION_16) == BST_CHECKED) mask |= kMask16;
    if (IsDlgButtonChecked(dialog, IDC_VERSION_32) == BST_CHECKED) mask |= kMask32;
    Prepared().versionMask = mask;
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK VersionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitVersionDialog(dialog);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: OnVersionOk(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

}  // namespace

bool ChooseVersion() {
    const int value = ReadSetupInt("VersionCheck", "Vernum", 0);
    if (value != kAskForVersion) {
        Prepared().versionMask = value;
        return true;
    }
    return DialogBoxParamA(GetModuleHandleA(nullptr), IDD_VERSIONDIALOG, ShellWindow(), VersionDialogProc, 0) ==
           IDOK;
}
