#include "install/run_installation.h"

#include <windows.h>

#include <cstring>

#include "base/window_context.h"
#include "fs/file_ops.h"
#include "fs/file_search.h"
#include "fs/system_library.h"
#include "install/data_backup.h"
#include "install/install_places.h"
#include "install/install_state.h"
#include "install/installer_walk.h"
#include "install/run_texts.h"
#include "install/running_programs.h"
#include "install/system_files.h"
#include "progress/progress_bars.h"
#include "progress/progress_dialog.h"
#include "resources/resource.h"
#include "setup/language.h"

namespace {


// By characters: the second byte of a double-byte character may look like a letter.
void LowerAsciiLetters(char* text) {
    for (; *text; text = CharNextA(text))
        if (*text >= 'A' && *text <= 'Z') *text = static_cast<char>(*text - 'A' + 'a');
}

void ShowWarning(HWND owner, const char* text, const char* caption) {
    MessageBoxA(owner, text, caption, MB_OK | MB_ICONWARNING);
}

// Creates the destination, or asks before installing into an existing
// directory that is not the one holding the setup program.
bool PrepareDestination(const InstallPlaces& places) {
    char destination[kMaxPath];
    CopyBounded(destination, places.destination, kMaxPath);
    NormaliseDestination(destination);  // without the closing backslash again, a root keeps its own
    char setupDirectory[kMaxPath];
    CopyBounded(setupDirectory, places.setupDirectory, kMaxPath);
    SearchRecord record;
    bool isDirectory = FindEntry(destination, record) && (record.attributes & kEntryDirectory) != 0;
    if (isDirectory) {
        char withBackslash[kMaxPath + 1];
        CopyBounded(withBackslash, destination, kMaxPath);
        AddBackslash(withBackslash);
        LowerAsciiLetters(withBackslash);
        LowerAsciiLetters(setupDirectory);
        if (strcmp(withBackslash, setupDirectory) != 0 &&
            MessageBoxA(ShellWindow(), Localized(kDestinationExistsQuestion), places.windowCaption,
                        MB_YESNO | MB_ICONQUESTION) != IDYES) {
            return false;
        }
    } else {
        MakeDirectory(destination);
    }
    return true;
}

typedef BOOL(WINAPI* OpenTokenFunction)(HANDLE, DWORD, PHANDLE);
typedef BOOL(WINAPI* LookupPrivilegeFunction)(LPCSTR, LPCSTR, PLUID);
typedef BOOL(WINAPI* AdjustPrivilegesFunction)(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD);

// NT needs the shutdown privilege first. The security functions are looked
// up, not imported: Windows 95 has no use for them.
void EnableShutdownPrivilege() {
    void* security = LoadSystemLibrary("ADVAPI32.DLL");
    OpenTokenFunction openToken = reinterpret_cast<OpenTokenFunction>(LibraryFunction(security, "OpenProcessToken"));
    LookupPrivilegeFunction lookup =
        reinterpret_cast<LookupPrivilegeFunction>(LibraryFunction(security, "LookupPrivilegeValueA"));
    AdjustPrivilegesFunction adjust =
        reinterpret_cast<AdjustPrivilegesFunction>(LibraryFunction(security, "AdjustTokenPrivileges"));
    HANDLE token;
    if (!openToken || !lookup || !adjust) return;
    if (!openToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (lookup(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
        adjust(token, FALSE, &privileges, 0, nullptr, nullptr);
    }
    CloseHandle(token);
}

void RestartWindows() {
    EnableShutdownPrivilege();
    ExitWindowsEx(EWX_REBOOT, 0);
}

void ShowFinalMessage(int outcome, const char* caption) {
    HWND shell = ShellWindow();
    if (outcome != 0) {
        ShowWarning(shell, Localized(kFailureMessage), caption);
    } else if (RestartNeeded()) {
        if (MessageBoxA(shell, Localized(kRestartQuestion), kShellInitialTitle, MB_YESNO | MB_ICONQUESTION) ==
            IDYES) {
            RestartWindows();
        }
    } else {
        ShowWarning(shell, Localized(kSuccessMessage), caption);
    }
}

}  // namespace

void RunInstallation() {
    SetRestartNeeded(false);
    InstallPlaces places;
    GatherInstallPlaces(places);
    if (!PrepareDestination(places) || !CheckRunningPrograms()) {
        PostCloseRequest();
        return;
    }
    int32_t total = MeasureFileList(places);
    HWND shell = ShellWindow();
    EnableWindow(shell, FALSE);
    HWND dialog = OpenProgressDialog(GetModuleHandleA(nullptr), shell);
    SetProgressTotal(total);
    SetDlgItemTextA(dialog, IDC_PROGRESS_LABEL, Localized(kBackupLabel));
    BackUpData(places.destination);
    SetDlgItemTextA(dialog, IDC_PROGRESS_LABEL, Localized(kInstallingLabel));
    int outcome = InstallFileList(places);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    CloseProgressDialog();
    EnableWindow(shell, TRUE);
    SetProgressDialogHandle(nullptr);
    PumpPendingMessages();
    ShowFinalMessage(outcome, places.windowCaption);
    PostCloseRequest();
}
