#include "testlib/box_watcher.h"

#include "testlib/window_driver.h"

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
        HWND box = ShownMessageBox(GetCurrentProcessId());
        if (!box) {
            Sleep(20);
            continue;
        }
        seen_.push_back({WindowText(box), MessageBoxText(box), GetTickCount()});
        bool clicked = false;
        if (next < answers_.size()) clicked = ClickButtonByText(box, answers_[next++].c_str());
        if (!clicked && !ClickButtonByText(box, "OK")) ClickButtonByText(box, "Cancel");
        for (int wait = 0; wait < 500 && IsWindow(box); ++wait) Sleep(20);
    }
}
