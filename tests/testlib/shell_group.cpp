#include "testlib/shell_group.h"

#include <windows.h>

#include <shlobj.h>

#include <vector>

namespace {

struct TitleQuery {
    const std::string* part;
    std::vector<HWND> found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM parameter) {
    TitleQuery& query = *reinterpret_cast<TitleQuery*>(parameter);
    char title[512] = "";
    GetWindowTextA(window, title, sizeof title);
    if (std::string(title).find(*query.part) != std::string::npos) query.found.push_back(window);
    return TRUE;
}

std::vector<HWND> WindowsTitled(const std::string& part) {
    TitleQuery query = {&part, {}};
    EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

}  // namespace

std::string ProgramsFolder() {
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAMS, FALSE);
    return path;
}

int CloseGroupWindows(const std::string& group, int waitMs) {
    DWORD start = GetTickCount();
    std::vector<HWND> windows = WindowsTitled(group);
    while (windows.empty() && GetTickCount() - start < static_cast<DWORD>(waitMs)) {
        Sleep(50);
        windows = WindowsTitled(group);
    }
    for (HWND window : windows) PostMessageA(window, WM_CLOSE, 0, 0);
    start = GetTickCount();
    while (!WindowsTitled(group).empty() && GetTickCount() - start < 5000) Sleep(50);
    return static_cast<int>(windows.size());
}

void RemoveGroupFolder(const std::string& group) {
    const std::string folder = ProgramsFolder() + "\\" + group;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileA((folder + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}
