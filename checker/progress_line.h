// The progress line on stderr for large distributions: shown only when
// stderr is a terminal and more than 1000 members have been met, at most
// four times a second, and wiped at the end.
#pragma once

#include <string>

class ProgressLine {
public:
    explicit ProgressLine(bool enabled);
    // One more member of what is being done.
    void Member(const std::string& what);
    void Finish();

private:
    bool enabled_;
    long members_ = 0;
    unsigned long lastShown_ = 0;
    bool shown_ = false;
};
