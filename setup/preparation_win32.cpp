#include "setup/preparation.h"

#include <windows.h>

#include "base/window_context.h"
#include "progman/progman.h"
#include "progress/progress_bars.h"
#include "setup/destination_dialog.h"
#include "setup/destination_entry.h"
#include "setup/language.h"
#include "setup/language_choice.h"
#include "setup/prepared_state.h"
#include "setup/setup_info.h"
#include "setup/version_choice.h"

namespace {

// Shown before the language is known, so both languages at once.
const char kSetupInfoMissing[] =
    "The setup information file was not found!\rInstallation aborted!\r\r"
    "Die Setup-Informationsdatei wurde nicht gefunden!\rInstallation abgebrochen!";

const LanguageTexts kDestinationPrompt = {
    "Please enter target directory for installation",
    "Bitte Zielverzeichnis f\xFCr Installation angeben",
    "Installer programme dans r\xE9pertoire:",
};

const char kDefaultDestination[] = "c:\\install";

// What the installation run relies on starting clear.
void ResetRunState() {
    ClearProgressAbort();
    ResetProgmanConversation();
}

void ReadProductTexts(PreparedState& state) {
    ReadSetupString("Installation", "Program", "", state.productTitle, kMaxPath);
    ReadSetupString("Installation", "Copyright", "", state.footerText, kMaxPath);
    BuildWindowCaption(state);
    SetWindowTextA(ShellWindow(), state.windowCaption);
}

// Proposes a destination, lets the user confirm it, and on OK starts the
// installation and records the destination for the next time.
void AskForDestination(PreparedState& state) {
    ReadSetupString("Destination", "Dir", kDefaultDestination, state.destination, kMaxPath);
    DestinationEntry entry;
    ReadDestinationEntry(entry, state.destination);
    DestinationRequest request = {state.windowCaption, Localized(kDestinationPrompt), state.destination,
                                  kMaxPath - 1};
    if (RunDestinationDialog(ShellWindow(), request) != kDestinationOk) {
        PostCloseRequest();
        return;
    }
    // The run starts only from the message loop, after this has been written.
    PostMessageA(ShellWindow(), kStartInstallationMessage, 0, 0);
    WriteDestinationEntry(entry, state.destination);
}

}  // namespace

void RunPreparation() {
    PreparedState& state = Prepared();
    ResetRunState();
    LocateSetupInfo();
    ReadProductTexts(state);
    if (!SetupInfoExists()) {
        MessageBoxA(ShellWindow(), kSetupInfoMissing, state.windowCaption, MB_ICONWARNING | MB_OK);
        PostCloseRequest();
        return;
    }
    ShowWindow(ShellWindow(), SW_SHOWMAXIMIZED);
    if (!ChooseLanguage() || !ChooseVersion()) {
        PostCloseRequest();
        return;
    }
    AskForDestination(state);
}
