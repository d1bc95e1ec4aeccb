#include "install/running_programs.h"

#include <windows.h>

#include "base/window_context.h"
#include "fs/path_utils.h"
#include "install/running_program_entry.h"
#include "setup/language.h"
#include "setup/numbered_list.h"

namespace {

const char kSection[] = "Not running";
const char kCaption[] = "install";
const DWORD kCloseLimitMs = 5000;
const DWORD kSettleMs = 2000;
// Between passes of a wait: long enough not to starve the closing program
// of the processor, short enough to notice its messages at once.
const DWORD kPassMs = 10;

const LanguageTexts kRunningQuestion = {
    "The program %s is already running, but it should not run during installation! "
    "Choose OK to close the program or Cancel to interrupt installation.",
    "Das Programm %s l\xE4uft bereits, sollte aber w\xE4hrend der Installation nicht laufen! "
    "W\xE4hlen Sie Ok um das Programm zu schliessen oder Abbrechen um Install abzubrechen.",
    "Le programme %s marche d\xE9j\xE0, mais il ne doit pas marcher pendant l'installation! "
    "Choisissez OK pour terminer le programme ou Annuler pour stopper l'installation.",
};

const LanguageTexts kCouldNotClose = {
    "%s could not be closed correctly. Please close the program by hand and restart Install afterwards!",
    "%s konnte nicht korrekt beendet werden. Beenden Sie das Programm von Hand und starten Sie Install "
    "anschliessend neu!",
    "%s ne pouvait pas \xEAtre termin\xE9 correctement. S.v.p. terminez le programme vous-m\xEAmes et "
    "essayez l'installation encore une fois!",
};

HWND FindProgramWindow(const RunningProgramEntry& entry) { return FindWindowA(entry.className, entry.title); }

DWORD ElapsedSince(DWORD start) { return GetTickCount() - start; }

// One pass of a wait: everything queued is handled, then a short pause
// that ends early when new messages arrive.
void WaitPass() {
    PumpPendingMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kPassMs, QS_ALLINPUT);
}

bool AskToClose(const RunningProgramEntry& entry) {
    char text[kProgramMessageSize];
    FormatProgramMessage(text, Localized(kRunningQuestion), entry.displayName);
    MessageBeep(MB_ICONQUESTION);
    return MessageBoxA(ShellWindow(), text, kCaption, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void ReportNotClosed(const RunningProgramEntry& entry) {
    char text[kProgramMessageSize];
    FormatProgramMessage(text, Localized(kCouldNotClose), entry.displayName);
    MessageBoxA(ShellWindow(), text, kCaption, MB_OK | MB_ICONWARNING);
}

// Asks window to close and waits up to the limit for it to go. Returns the
// program's window found last: window itself when it stayed, another one
// of the same kind, or null.
HWND CloseOneWindow(const RunningProgramEntry& entry, HWND window) {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    DWORD start = GetTickCount();
    HWND found;
    do {
        WaitPass();
        found = FindProgramWindow(entry);
        if (found != window) return found;
    } while (ElapsedSince(start) <= kCloseLimitMs);
    return found;
}

// Gives a closed program time to finish exiting and release its files.
void Settle() {
    DWORD start = GetTickCount();
    do {
        WaitPass();
    } while (ElapsedSince(start) <= kSettleMs);
}

// False when the installation must stop.
bool CheckProgram(const RunningProgramEntry& entry) {
    HWND window = FindProgramWindow(entry);
    if (!window) return true;
    if (!AskToClose(entry)) return false;
    bool closedSomething = false;
    while (window) {
        HWND next = CloseOneWindow(entry, window);
        closedSomething = true;
        if (next == window) {
            ReportNotClosed(entry);
            return false;
        }
        window = next;
    }
    if (closedSomething) Settle();
    return true;
}

}  // namespace

bool CheckRunningPrograms() {
    for (int key = 1;; ++key) {
        char value[kMaxPath];
        if (!ReadListEntry(kPlainList, kSection, key, value, kMaxPath)) return true;
        RunningProgramEntry entry;
        SplitRunningProgramEntry(value, entry);
        if (!CheckProgram(entry)) return false;
    }
}
