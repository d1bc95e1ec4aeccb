// Answers this process's own message boxes from a second thread, for tests
// that call code which shows them on the test's thread. Every box that
// appears is recorded (caption and text) and answered with the next button
// text of the script; when the script is used up, "OK" is clicked (or
// "Cancel"), and the box still counts as seen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct SeenBox {
    std::string caption;
    std::string text;
    DWORD shownAt;  // tick count when it was found
};

class BoxWatcher {
public:
    explicit BoxWatcher(std::vector<std::string> answers = {});
    ~BoxWatcher();
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;

    // Stops watching; the record is complete afterwards.
    std::vector<SeenBox> Stop();

private:
    static DWORD WINAPI Run(LPVOID self);
    void Watch();

    std::vector<std::string> answers_;
    std::vector<SeenBox> seen_;
    HANDLE thread_ = nullptr;
    volatile LONG stop_ = 0;
};
