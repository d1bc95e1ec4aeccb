// Plays the user of the demo installation: starts SETUP.EXE in the demo
// folder, answers every dialog and question, and asks for a screenshot of
// each new window by leaving "<name>.request" in the folder until the
// screenshot has been taken (the file is gone) or a few seconds passed.
#include <windows.h>

#include <cstdio>
#include <string>

#include "resources/resource.h"
#include "testlib/distribution.h"
#include "testlib/setup_run.h"
#include "testlib/window_driver.h"

namespace {

std::string g_folder;

void Screenshot(const char* name) {
    std::string request = g_folder + "\\" + name + ".request";
    FILE* file = fopen(request.c_str(), "wb");
    if (!file) return;
    fclose(file);
    for (int i = 0; i < 100 && GetFileAttributesA(request.c_str()) != INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
    DeleteFileA(request.c_str());
}

HWND Visible(const DrivenProcess& process, const char* caption, const char* className, int timeoutMs = 3000) {
    return WaitForWindow(process, caption, className, timeoutMs);
}

}  // namespace

// A stand-in for a running Corvane, so the installation has to ask for it.
void StartRunningCorvane() {
    char commandLine[] = "test_window.exe CorvaneMainWindow \"Corvane 4.2\" close";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (CreateProcessA(TEST_WINDOW_EXE_PATH, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
        WaitForInputIdle(info.hProcess, 5000);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
}

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    g_folder = argv[1];
    StartRunningCorvane();
    DrivenProcess setup;
    if (!StartProcess(g_folder + "\\SETUP.EXE", g_folder, setup)) return 3;
    const char* caption = "Installation Corvane 4.2 for Windows";
    if (HWND language = Visible(setup, "Corvane", "#32770", 20000)) {
        Sleep(500);
        Screenshot("language");
        SelectListLine(language, IDC_LANGUAGE_LIST, 0);
        ClickButton(language, IDOK);
        if (HWND box = Visible(setup, "Install", "#32770")) ClickButtonByText(box, "&Yes");
    }
    if (HWND version = Visible(setup, "Install version", "#32770")) {
        Sleep(300);
        Screenshot("version");
        ClickButton(version, IDOK);
    }
    if (Visible(setup, caption, "#32770")) {
        Sleep(300);
        Screenshot("destination");
        ConfirmDestination(setup, caption);
    }
    bool progressShot = false;
    while (WaitForSingleObject(setup.process, 0) != WAIT_OBJECT_0) {
        if (!progressShot && Visible(setup, "Unpacking files...", "#32770", 0)) {
            Screenshot("progress");
            progressShot = true;
        }
        HWND box = WaitForMessageBox(setup, nullptr, 100);
        if (!box) continue;
        std::string text = MessageBoxText(box);
        if (text.find("is already running") != std::string::npos) Screenshot("running");
        if (text.find("group") != std::string::npos) Screenshot("group");
        if (text.find("successful") != std::string::npos) Screenshot("done");
        if (!ClickButtonByText(box, "&Yes")) ClickButtonByText(box, "OK");
        for (int i = 0; i < 200 && IsWindow(box) && IsWindowVisible(box); ++i) Sleep(25);
    }
    int code = WaitForExit(setup, 1000);
    printf("SETUP.EXE ended with exit code %d\n", code);
    return code;
}
