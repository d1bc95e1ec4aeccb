// Times one whole installation by SETUP.EXE as a person sees it: from the
// click on OK in the destination dialog to the "Installation successful!"
// box, on QueryPerformanceCounter. With --noop it does nothing at all, so
// that Wine's own start-up can be timed the way a peer installer's whole
// process is, and taken off.
// Usage: perf_driver DISTRIBUTION_FOLDER DESTINATION CAPTION
//        perf_driver --noop
// Prints "elapsed_ms <n>" and SETUP.EXE's exit code; exits 0 only when
// the installation said it was successful and SETUP.EXE ended with 0.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "resources/resource.h"
#include "testlib/window_driver.h"

namespace {

const char kSuccess[] = "Installation successful!";
const int kInstallTimeoutMs = 600000;
// Adds at most this much to the figure.
const DWORD kPollMs = 10;
// Every so often the full search, in case the box came without becoming
// the active window.
const int kFullSearchEvery = 20;

bool IsMessageBox(HWND window) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window) && GetDlgItem(window, 0xFFFF);
}

// A shown message box of the process: a dialog with the static text 0xFFFF.
// The progress dialog is a dialog too, but has no such control.
HWND FindMessageBox(const DrivenProcess& process) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process.id && IsMessageBox(window)) return window;
    }
    return nullptr;
}

// Watches for the box at little cost to the wineserver, which SETUP.EXE
// needs for every file: one request a poll for the active window of
// SETUP.EXE's thread (a message box takes the activation), and the full
// search over all dialogs only when that changes or once in a while.
class BoxWatch {
public:
    BoxWatch(const DrivenProcess& process, DWORD thread) : process_(process), thread_(thread) {}

    HWND Poll() {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        HWND active = GetGUIThreadInfo(thread_, &info) ? info.hwndActive : nullptr;
        bool changed = active != lastActive_;
        lastActive_ = active;
        if (changed && active && IsMessageBox(active)) return active;
        if (changed || ++polls_ % kFullSearchEvery == 0) return FindMessageBox(process_);
        return nullptr;
    }

private:
    const DrivenProcess& process_;
    DWORD thread_;
    HWND lastActive_ = nullptr;
    int polls_ = 0;
};

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int TimeInstallation(const std::string& folder, const std::string& destination, const char* caption) {
    DrivenProcess setup;
    if (!StartProcess(folder + "\\SETUP.EXE", folder, setup)) {
        printf("error: SETUP.EXE did not start (%lu)\n", GetLastError());
        return 3;
    }
    HWND dialog = WaitForWindow(setup, caption, "#32770", 60000);
    if (!dialog || !GetDlgItem(dialog, IDC_INPUT_EDIT)) {
        printf("error: no destination dialog \"%s\"\n", caption);
        EndProcess(setup);
        return 4;
    }
    // Sent, so the text is in place before the clock starts.
    SetControlText(dialog, IDC_INPUT_EDIT, destination);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    ClickButton(dialog, IDOK);
    BoxWatch watch(setup, GetWindowThreadProcessId(dialog, nullptr));
    HWND box = nullptr;
    for (;;) {
        box = watch.Poll();
        QueryPerformanceCounter(&end);
        if (box || Milliseconds(start, end) > kInstallTimeoutMs) break;
        if (WaitForSingleObject(setup.process, kPollMs) == WAIT_OBJECT_0) break;
    }
    if (!box) {
        printf("error: no final message (SETUP.EXE %s)\n",
               WaitForSingleObject(setup.process, 0) == WAIT_OBJECT_0 ? "ended" : "timed out");
        EndProcess(setup);
        return 6;
    }
    std::string text = MessageBoxText(box);
    printf("elapsed_ms %.1f\n", Milliseconds(start, end));
    ClickButtonByText(box, "OK");
    int code = WaitForExit(setup, 60000);
    printf("exit_code %d\n", code);
    if (text != kSuccess) {
        printf("error: final message \"%s\"\n", text.c_str());
        return 5;
    }
    return code == 0 ? 0 : 7;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && strcmp(argv[1], "--noop") == 0) return 0;
    if (argc != 4) {
        printf("usage: perf_driver DISTRIBUTION_FOLDER DESTINATION CAPTION | --noop\n");
        return 2;
    }
    int status = TimeInstallation(argv[1], argv[2], argv[3]);
    fflush(stdout);
    return status;
}
