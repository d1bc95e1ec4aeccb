#include "setup/preparation.h"

#include <windows.h>

#include "setup/prepared_state.h"
#include "setup/setup_info.h"
#include "startup/shell_window.h"

namespace {

// Shown before the language is known, so both languages at once.
const char kSetupInfoMissing[] =
    "The setup information file was not found!\rInstallation aborted!\r\r"
    "Die Setup-Informationsdatei wurde nicht gefunden!\rInstallation abgebrochen!";

void ResetRunState(PreparedState& state) { state.restartNeeded = false; }

void ReadProductTexts(PreparedState& state) {
    ReadSetupString("Installation", "Program", "", state.productTitle, kMaxPath);
    ReadSetupString("Installation", "Copyright", "", state.footerText, kMaxPath);
    BuildWindowCaption(state);
    SetWindowTextA(ShellWindow(), state.windowCaption);
}

}  // namespace

void RunPreparation() {
    PreparedState& state = Prepared();
    ResetRunState(state);
    LocateSetupInfo();
    ReadProductTexts(state);
    if (!SetupInfoExists()) {
        MessageBoxA(ShellWindow(), kSetupInfoMissing, state.windowCaption, MB_ICONWARNING | MB_OK);
        PostCloseRequest();
        return;
    }
    ShowWindow(ShellWindow(), SW_SHOWMAXIMIZED);
}
