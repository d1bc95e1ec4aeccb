#include "checker/progress_line.h"

#include <cstdio>

#include "checker/platform.h"

namespace {
const long kQuietMembers = 1000;
const unsigned long kIntervalMs = 250;
}  // namespace

ProgressLine::ProgressLine(bool enabled) : enabled_(enabled) {}

void ProgressLine::Member(const std::string& what) {
    ++members_;
    if (!enabled_ || members_ <= kQuietMembers) return;
    unsigned long now = MillisecondsNow();
    if (shown_ && now - lastShown_ < kIntervalMs) return;
    lastShown_ = now;
    shown_ = true;
    fprintf(stderr, "\rsetupcheck: %ld members: %-50.50s", members_, what.c_str());
    fflush(stderr);
}

void ProgressLine::Finish() {
    if (!shown_) return;
    fprintf(stderr, "\r%79s\r", "");
    fflush(stderr);
    shown_ = false;
}
