#include "testlib/window_driver.h"

#include <vector>

namespace {

struct WindowQuery {
    DWORD processId;
    const char* caption;
    const char* className;
    bool shownMessageBox;  // and visible, with a message box's text control
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    WindowQuery& query = *reinterpret_cast<WindowQuery*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != query.processId) return TRUE;
    char text[512];
    if (query.className) {
        GetClassNameA(window, text, sizeof text);
        if (lstrcmpA(text, query.className) != 0) return TRUE;
    }
    if (query.shownMessageBox && (!IsWindowVisible(window) || !GetDlgItem(window, 0xFFFF))) return TRUE;
    if (query.caption) {
        GetWindowTextA(window, text, sizeof text);
        if (lstrcmpA(text, query.caption) != 0) return TRUE;
    }
    query.found = window;
    return FALSE;
}

}  // namespace

bool StartProcess(const std::string& program, const std::string& directory, DrivenProcess& out) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::vector<char> commandLine(program.begin(), program.end());
    commandLine.insert(commandLine.begin(), '"');
    commandLine.push_back('"');
    commandLine.push_back('\0');
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &info)) {
        return false;
    }
    CloseHandle(info.hThread);
    out.process = info.hProcess;
    out.id = info.dwProcessId;
    return true;
}

HWND WaitForWindow(const DrivenProcess& process, const char* caption, const char* className, int timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        WindowQuery query = {process.id, caption, className, false, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
        if (query.found && IsWindowVisible(query.found)) return query.found;
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return nullptr;
        if (WaitForSingleObject(process.process, 50) == WAIT_OBJECT_0) {
            // One last look: the window may have gone with the process.
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
            return query.found;
        }
    }
}

HWND ShownMessageBox(DWORD processId, const char* caption) {
    WindowQuery query = {processId, caption, "#32770", true, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

bool WaitForCaption(HWND window, const char* caption, int timeoutMs) {
    DWORD start = GetTickCount();
    while (WindowText(window) != caption) {
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return false;
        Sleep(50);
    }
    return true;
}

std::string WindowText(HWND window) {
    char text[4096] = "";
    // WM_GETTEXT reaches into the other process, unlike GetWindowText on controls.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

std::string KeptWindowText(HWND window) {
    WCHAR wide[MAX_PATH + 2] = L"";
    InternalGetWindowText(window, wide, MAX_PATH + 1);
    char text[2 * MAX_PATH + 4] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

std::string ControlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control ? WindowText(control) : std::string("<no control>");
}

std::string MessageBoxText(HWND box) { return ControlText(box, 0xFFFF); }

void SetControlText(HWND dialog, int id, const std::string& text) {
    SendMessageTimeoutA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
}

std::vector<std::string> ListBoxLines(HWND dialog, int id) {
    std::vector<std::string> lines;
    HWND list = GetDlgItem(dialog, id);
    DWORD_PTR count = 0;
    if (!list || !SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) return lines;
    for (int line = 0; line < static_cast<int>(count); ++line) {
        char text[1024] = "";
        SendMessageTimeoutA(list, LB_GETTEXT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, 5000, nullptr);
        lines.push_back(text);
    }
    return lines;
}

std::vector<int> ListBoxLineLengths(HWND dialog, int id) {
    std::vector<int> lengths;
    HWND list = GetDlgItem(dialog, id);
    DWORD_PTR count = 0;
    if (!list || !SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) return lengths;
    for (int line = 0; line < static_cast<int>(count); ++line) {
        DWORD_PTR length = 0;
        SendMessageTimeoutA(list, LB_GETTEXTLEN, static_cast<WPARAM>(line), 0, SMTO_ABORTIFHUNG, 5000, &length);
        lengths.push_back(static_cast<int>(length));
    }
    return lengths;
}

int SelectedListLine(HWND dialog, int id) {
    DWORD_PTR line = static_cast<DWORD_PTR>(LB_ERR);
    SendMessageTimeoutA(GetDlgItem(dialog, id), LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &line);
    return static_cast<int>(static_cast<LRESULT>(line));
}

void SelectListLine(HWND dialog, int id, int line) {
    SendMessageTimeoutA(GetDlgItem(dialog, id), LB_SETCURSEL, static_cast<WPARAM>(line), 0, SMTO_ABORTIFHUNG,
                        5000, nullptr);
}

bool IsChecked(HWND dialog, int id) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    return state == BST_CHECKED;
}

bool IsControlVisible(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control && IsWindowVisible(control);
}

void TypeText(HWND dialog, int id, const std::string& text) {
    HWND control = GetDlgItem(dialog, id);
    // Sent, not posted: each character is handled before the next one goes.
    for (char c : text) {
        SendMessageTimeoutA(control, WM_CHAR, static_cast<unsigned char>(c), 1, SMTO_ABORTIFHUNG, 5000, nullptr);
    }
}

void ClickButton(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

bool ClickButtonByText(HWND dialog, const char* buttonText) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (WindowText(child) == buttonText) {
            PostMessageA(child, BM_CLICK, 0, 0);
            return true;
        }
    }
    return false;
}

void RequestClose(HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

int WaitForExit(DrivenProcess& process, int timeoutMs) {
    if (WaitForSingleObject(process.process, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
        EndProcess(process);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.process, &code);
    CloseHandle(process.process);
    process.process = nullptr;
    return static_cast<int>(code);
}

void EndProcess(DrivenProcess& process) {
    if (!process.process) return;
    TerminateProcess(process.process, 99);
    WaitForSingleObject(process.process, 5000);
    CloseHandle(process.process);
    process.process = nullptr;
}

COLORREF ClientPixel(HWND window, int x, int y) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}
