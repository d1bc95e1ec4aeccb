#include "testlib/box_watcher.h"

#include "testlib/window_driver.h"

namespace {

struct BoxQuery {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchBox(HWND window, LPARAM parameter) {
    BoxQuery& query = *reinterpret_cast<BoxQuery*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != query.processId || !IsWindowVisible(window)) return TRUE;
    char name[64];
    GetClassNameA(window, name, sizeof name);
    // A message box has its text in the static control 0xFFFF.
    if (lstrcmpA(name, "#32770") != 0 || !GetDlgItem(window, 0xFFFF)) return TRUE;
    query.found = window;
    return FALSE;
}

}  // namespace

BoxWatcher::BoxWatcher(std::vector<std::string> answers) : answers_(std::move(answers)) {
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

BoxWatcher::~BoxWatcher() { Stop(); }

std::vector<SeenBox> BoxWatcher::Stop() {
    if (thread_) {
        InterlockedExchange(&stop_, 1);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    return seen_;
}

DWORD WINAPI BoxWatcher::Run(LPVOID self) {
    static_cast<BoxWatcher*>(self)->Watch();
    return 0;
}

void BoxWatcher::Watch() {
    size_t next = 0;
    while (!stop_) {
        BoxQuery query = {GetCurrentProcessId(), nullptr};
        EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&query));
        if (!query.found) {
            Sleep(20);
            continue;
        }
        HWND box = query.found;
        seen_.push_back({WindowText(box), MessageBoxText(box), GetTickCount()});
        bool clicked = false;
        if (next < answers_.size()) clicked = ClickButtonByText(box, answers_[next++].c_str());
        if (!clicked && !ClickButtonByText(box, "OK")) ClickButtonByText(box, "Cancel");
        for (int wait = 0; wait < 500 && IsWindow(box); ++wait) Sleep(20);
    }
}
