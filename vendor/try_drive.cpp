#include "vendor/try_drive.h"

#include <cstdio>

#include "resources/resource.h"
#include "testlib/setup_run.h"
#include "vendor/try_plan.h"

void CopyFolderFiles(const std::string& from, const std::string& to) {
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CreateDirectoryA((to + "\\" + name).c_str(), nullptr);
            CopyFolderFiles(from + "\\" + name, to + "\\" + name);
        } else {
            CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
        }
    } while (FindNextFileA(search, &data));
    FindClose(search);
}

namespace {

// A floppy swapped: only SETUP.EXE, already running, stays.
void EmptyFolderBut(const std::string& folder, const std::string& keep) {
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && UpperName(name) != UpperName(keep)) {
            SetFileAttributesA((folder + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((folder + "\\" + name).c_str());
        }
    } while (FindNextFileA(search, &data));
    FindClose(search);
}

void Seen(HWND window, const std::string& step, WindowSeen seen, void* context) {
    if (seen) seen(window, step, context);
}

bool AsksForGroup(const std::string& text) {
    return text.find("group") != std::string::npos || text.find("Gruppe") != std::string::npos ||
           text.find("groupe") != std::string::npos;
}

// The choices before the destination; false with the missing step.
bool AnswerChoices(const TryAnswers& answers, DrivenProcess& process, WindowSeen seen, void* context,
                   std::string& missing) {
    if (answers.language != 0) {
        HWND dialog = WaitForWindow(process, "Corvane", "#32770");
        if (!dialog) return missing = "<no language dialog>", false;
        Seen(dialog, "language", seen, context);
        SelectListLine(dialog, IDC_LANGUAGE_LIST, answers.language - 1);
        ClickButton(dialog, IDOK);
        HWND box = WaitForWindow(process, "Install", "#32770");
        if (!box) return missing = "<no language question>", false;
        Seen(box, "other-languages", seen, context);
        ClickButtonByText(box, answers.allLanguages ? "&Yes" : "&No");
    }
    if (answers.versionMask != 0) {
        HWND version = WaitForWindow(process, "Install version", "#32770");
        if (!version) return missing = "<no version dialog>", false;
        Seen(version, "version", seen, context);
        if (answers.versionMask & 1) ClickButton(version, IDC_VERSION_16);  // 32 is ticked at first
        if (!(answers.versionMask & 2)) ClickButton(version, IDC_VERSION_32);
        ClickButton(version, IDOK);
    }
    HWND destination = WaitForWindow(process, answers.caption.c_str(), "#32770");
    if (!destination) return missing = "<no destination dialog>", false;
    Seen(destination, "destination", seen, context);
    if (!ConfirmDestination(process, answers.caption.c_str(), answers.destination))
        return missing = "<no destination dialog>", false;
    return true;
}

}  // namespace

TryRun DriveSetup(const std::string& drive, const std::vector<std::string>& disks, const TryAnswers& answers,
                  DrivenProcess& process, WindowSeen seen, void* context) {
    TryRun run;
    if (!StartProcess(drive + "\\SETUP.EXE", drive, process)) {
        run.lastMessage = "<not started>";
        return run;
    }
    if (!AnswerChoices(answers, process, seen, context, run.lastMessage)) return run;
    int boxes = 0;
    DWORD start = GetTickCount();
    while (WaitForSingleObject(process.process, 0) != WAIT_OBJECT_0 && GetTickCount() - start < 120000) {
        HWND box = WaitForMessageBox(process, nullptr, 200);
        if (!box) continue;
        std::string text = MessageBoxText(box);
        int disk = 0;
        if (WindowText(box) == "Unzip" && sscanf(text.c_str(), "Please insert disk number %d", &disk) == 1 &&
            disk >= 1 && disk <= static_cast<int>(disks.size())) {
            Seen(box, "disk-" + std::to_string(disk), seen, context);
            EmptyFolderBut(drive, "SETUP.EXE");
            CopyFolderFiles(disks[static_cast<size_t>(disk - 1)], drive);
            ++run.swaps;
            ClickButtonByText(box, "OK");
        } else if (AsksForGroup(text)) {
            Seen(box, "group", seen, context);
            ClickButtonByText(box, "&Yes");
        } else {
            Seen(box, "message-" + std::to_string(++boxes), seen, context);
            run.lastMessage = text;
            ClickButtonByText(box, "OK");
        }
        for (int i = 0; i < 200 && IsWindow(box) && IsWindowVisible(box); ++i) Sleep(25);
    }
    run.exited = WaitForExit(process, 5000) == 0;
    if (!run.exited) run.lastMessage = "<no clean exit>";
    return run;
}
