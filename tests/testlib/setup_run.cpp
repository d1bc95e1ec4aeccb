#include "testlib/setup_run.h"

HWND WaitForMessageBox(const DrivenProcess& process, const char* caption, int timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND box = ShownMessageBox(process.id, caption)) return box;
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return nullptr;
        if (WaitForSingleObject(process.process, 50) == WAIT_OBJECT_0) return nullptr;
    }
}

std::string AnswerMessageBox(const DrivenProcess& process, const char* caption, const char* button,
                             int timeoutMs) {
    HWND box = WaitForMessageBox(process, caption, timeoutMs);
    if (!box) return "<no message>";
    std::string text = MessageBoxText(box);
    ClickButtonByText(box, button);
    // Wait until it has gone, so the next question is not this one again.
    for (int i = 0; i < 200 && IsWindow(box) && IsWindowVisible(box); ++i) Sleep(25);
    return text;
}

bool ConfirmDestination(const DrivenProcess& process, const char* caption, const std::string& directory) {
    HWND dialog = WaitForWindow(process, caption, "#32770");
    if (!dialog || !GetDlgItem(dialog, 101)) return false;
    if (!directory.empty()) SetControlText(dialog, 101, directory);
    ClickButton(dialog, IDOK);
    for (int i = 0; i < 200 && IsWindow(dialog) && IsWindowVisible(dialog); ++i) Sleep(25);
    return true;
}

std::string SimpleInf(const std::string& program, const std::string& destination, const std::string& install,
                      const std::string& more) {
    return "[Installation]\r\nProgram=" + program + "\r\nCopyright=(c) test\r\n" +
           "[VersionCheck]\r\nVernum=3\r\n[Destination]\r\nDir=" + destination + "\r\n[install]\r\n" + install +
           more;
}

int AcceptMessagesUntilExit(DrivenProcess& process, int timeoutMs) {
    DWORD start = GetTickCount();
    while (WaitForSingleObject(process.process, 0) != WAIT_OBJECT_0) {
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs)) break;
        HWND box = WaitForMessageBox(process, nullptr, 200);
        if (!box) continue;
        if (!ClickButtonByText(box, "&Yes")) ClickButtonByText(box, "OK");
        for (int i = 0; i < 200 && IsWindow(box) && IsWindowVisible(box); ++i) Sleep(25);
    }
    return WaitForExit(process, 1000);
}
