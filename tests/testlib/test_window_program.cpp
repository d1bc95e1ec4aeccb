#include "testlib/test_window_program.h"

#include <vector>

namespace {

struct CountQuery {
    DWORD processId;
    const std::string* className;
    const std::string* title;
    int count;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM parameter) {
    CountQuery& query = *reinterpret_cast<CountQuery*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != query.processId) return TRUE;
    char text[512];
    GetClassNameA(window, text, sizeof text);
    if (*query.className != text) return TRUE;
    GetWindowTextA(window, text, sizeof text);
    if (*query.title != text) return TRUE;
    ++query.count;
    return TRUE;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

bool StartTestWindows(const std::string& className, const std::string& title, const char* behaviour, int count,
                      DrivenProcess& out) {
    std::string line = Quoted(TEST_WINDOW_EXE_PATH) + " " + Quoted(className) + " " + Quoted(title) + " " +
                       behaviour + " " + std::to_string(count);
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(TEST_WINDOW_EXE_PATH, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return false;
    }
    CloseHandle(info.hThread);
    out.process = info.hProcess;
    out.id = info.dwProcessId;
    if (!WaitForWindow(out, title.c_str(), className.c_str())) return false;
    DWORD start = GetTickCount();
    while (CountTestWindows(out, className, title) < count) {
        if (GetTickCount() - start > 20000) return false;
        Sleep(20);
    }
    return true;
}

int CountTestWindows(const DrivenProcess& process, const std::string& className, const std::string& title) {
    CountQuery query = {process.id, &className, &title, 0};
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&query));
    return query.count;
}
