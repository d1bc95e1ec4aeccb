// Plays the user of one SETUP.EXE run: answers the language dialog, the
// other-languages question, the version dialog and the destination as
// told, Yes to the group, OK to every other message; swaps in the next
// disk when SETUP.EXE asks for it. The drive is a folder: a swap empties
// it but for SETUP.EXE, which is running from it, and copies the disk in.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "testlib/window_driver.h"

struct TryAnswers {
    int language = 0;           // the dialog's line, from 1; 0: no language dialog
    bool allLanguages = true;   // the answer to the other-languages question
    int versionMask = 0;        // 1 16-bit, 2 32-bit, 3 both; 0: no version dialog
    std::string destination;    // typed into the destination dialog; empty: as proposed
    std::string caption;        // the destination dialog's caption
};

// Called with each window before it is answered, and its step's name
// ("language", "disk-1", ...): a screenshot, for example.
typedef void (*WindowSeen)(HWND window, const std::string& step, void* context);

struct TryRun {
    std::string lastMessage = "<no message>";  // the last box answered OK: the verdict
    int swaps = 0;
    bool exited = false;                        // SETUP.EXE ended by itself in time
};

// Runs drive\SETUP.EXE; disks are the folders of disk 1, 2, ...
TryRun DriveSetup(const std::string& drive, const std::vector<std::string>& disks, const TryAnswers& answers,
                  DrivenProcess& process, WindowSeen seen = nullptr, void* context = nullptr);

// Copies a folder's files and subfolders into another, which exists.
void CopyFolderFiles(const std::string& from, const std::string& to);
