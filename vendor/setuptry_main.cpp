// SETUPTRY.EXE: installs a distribution with its own SETUP.EXE the way a
// customer would, for one choice, and compares what it left with the
// checker's plan of that choice. Run under Wine by vendor/setuptry, which
// makes the throw-away prefix, the display and the disk folders.
//   SETUPTRY.EXE [--shots DIR] [setupcheck's choice options] [--disk DIR]... DRIVE
// DRIVE holds the first disk and SETUP.EXE; each --disk is swapped into it
// when SETUP.EXE asks. Exit status: 0 agreement, 1 differences, 2 no run.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/startup_flags.h"
#include "checker/options.h"
#include "testlib/window_driver.h"
#include "unzip/crc32.h"
#include "vendor/try_compare.h"
#include "vendor/try_drive.h"
#include "vendor/try_plan.h"

namespace {

const int kAgreement = 0;
const int kDifferences = 1;
const int kNoRun = 2;

struct Shots {
    std::string folder;  // empty: no screenshots
    int taken = 0;
};

// vendor/setuptry takes the screen while "NN-step.request" lies in the
// folder; the window has had a moment to paint.
void RequestScreenshot(HWND, const std::string& step, void* context) {
    Shots& shots = *static_cast<Shots*>(context);
    if (shots.folder.empty()) return;
    char name[32];
    sprintf(name, "%02d-", ++shots.taken);
    const std::string request = shots.folder + "\\" + name + step + ".request";
    Sleep(300);
    HANDLE file = CreateFileA(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    CloseHandle(file);
    for (int i = 0; i < 100 && GetFileAttributesA(request.c_str()) != INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
    DeleteFileA(request.c_str());
}

std::string Directory(UINT (WINAPI* get)(LPSTR, UINT)) {
    char path[MAX_PATH];
    UINT length = get(path, sizeof path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

std::string ListedValue(const std::string& inf, const char* section, const char* key, const char* fallback) {
    char value[1024];
    GetPrivateProfileStringA(section, key, fallback, value, sizeof value, inf.c_str());
    return value;
}

const char* VersionName(int mask) { return mask == 1 ? "16" : mask == 2 ? "32" : "both"; }

void Print(const std::vector<std::string>& lines, int& count) {
    for (const std::string& line : lines) printf("  differs: %s\n", line.c_str());
    count += static_cast<int>(lines.size());
}

}  // namespace

int main(int argc, char** argv) {
    RecordStartupFlags();
    InitCrc32Table();
    Shots shots;
    std::vector<char*> rest(argv, argv + argc);
    if (argc > 2 && strcmp(argv[1], "--shots") == 0) {
        shots.folder = argv[2];
        rest.erase(rest.begin() + 1, rest.begin() + 3);
    }
    CheckOptions options;
    std::string error;
    if (!ParseOptions(static_cast<int>(rest.size()), rest.data(), options, error) || options.help) {
        fprintf(stderr, "setuptry: %s\n", options.help ? "usage: see vendor/setuptry" : error.c_str());
        return kNoRun;
    }
    // One choice, as the customer makes it: the first language, the
    // version ticked at first, all languages.
    if (options.language == 0) options.language = 1;
    if (options.versionMask == -1) options.versionMask = 2;
    if (options.otherLanguages == -1) options.otherLanguages = 1;
    options.windowsDirectory = Directory(GetWindowsDirectoryA);
    options.systemDirectory = Directory(GetSystemDirectoryA);

    TryPlan plan;
    Findings findings;
    if (!PlanOneChoice(options, plan, findings, error)) {
        fprintf(stderr, "setuptry: the checker could not plan: %s\n", error.c_str());
        return kNoRun;
    }
    printf("plan: language %d%s, version %s%s, other languages %s; destination %s\n", options.language,
           plan.choice.languageAsked ? "" : " (not asked)", VersionName(options.versionMask),
           plan.choice.versionAsked ? "" : " (not asked)", options.otherLanguages ? "yes" : "no",
           plan.destination.c_str());
    printf("plan: %d files, %d profile entries, group %s; checker: %d errors, %d warnings\n",
           static_cast<int>(plan.files.size()), static_cast<int>(plan.profiles.size()),
           plan.group.offered ? ("\"" + plan.group.name + "\"").c_str() : "not offered",
           findings.Count(kSeverityError), findings.Count(kSeverityWarning));
    for (const Finding& finding : findings.All()) {
        if (finding.severity == kSeverityError) printf("  checker: %s %s\n", finding.code.c_str(), finding.message.c_str());
    }

    const std::string inf = options.distribution + "\\SETUP.inf";
    const std::string listedGroup = ListedValue(inf, "Group", "Groupname", "none");
    const std::string listedProfile = ListedValue(inf, "ini", "1", "");
    TryAnswers answers;
    answers.language = plan.choice.languageAsked ? options.language : 0;
    answers.allLanguages = options.otherLanguages == 1;
    answers.versionMask = plan.choice.versionAsked ? options.versionMask : 0;
    answers.destination = plan.destination;
    answers.caption = "Installation " + plan.title;
    DrivenProcess process;
    TryRun run = DriveSetup(options.distribution, options.disks, answers, process, RequestScreenshot, &shots);
    EndProcess(process);
    printf("SETUP.EXE: \"%s\"; disks swapped in: %d of %d\n", run.lastMessage.c_str(), run.swaps,
           static_cast<int>(options.disks.size()));

    int differences = 0;
    if (!run.exited) {
        printf("  differs: SETUP.EXE did not end by itself\n");
        ++differences;
    }
    // A disk never asked for is no fault by itself: what it holds shows
    // up below as missing files.
    if (run.swaps < static_cast<int>(options.disks.size())) {
        printf("  note: SETUP.EXE asked for %d of the %d further disks\n", run.swaps,
               static_cast<int>(options.disks.size()));
    }
    Print(CompareFiles(plan), differences);
    Print(CompareProfiles(plan, listedProfile, options.windowsDirectory), differences);
    Print(CompareGroup(plan, listedGroup), differences);
    if (!shots.folder.empty()) printf("screenshots: %d\n", shots.taken);
    if (differences != 0) {
        printf("setuptry: %d differences from the plan\n", differences);
        return kDifferences;
    }
    printf("setuptry: the installation agrees with the plan\n");
    return kAgreement;
}
