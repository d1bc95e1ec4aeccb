#include "progress/file_line.h"

#include "fs/path_utils.h"

namespace {

struct FileLine {
    char text[kMaxPath + 1];  // "\r" and the path
    bool waiting;
    bool shownOnce;
    uint32_t shownAt;
};

FileLine g_line;

// Unsigned difference: right across the tick count's wrap.
bool TimeHasCome(uint32_t now) { return !g_line.shownOnce || now - g_line.shownAt >= kFileLineInterval; }

}  // namespace

bool OfferFileLine(const char* path, uint32_t now) {
    g_line.text[0] = '\r';
    CopyBounded(g_line.text + 1, path, kMaxPath);
    g_line.waiting = true;
    return TimeHasCome(now);
}

bool FileLineWaiting(uint32_t now, bool force) { return g_line.waiting && (force || TimeHasCome(now)); }

const char* TakeFileLine(uint32_t now) {
    g_line.waiting = false;
    g_line.shownOnce = true;
    g_line.shownAt = now;
    return g_line.text;
}

void ResetFileLine() {
    g_line.waiting = false;
    g_line.shownOnce = false;
}
