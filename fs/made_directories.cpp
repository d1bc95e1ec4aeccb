#include "fs/made_directories.h"

#include <cstring>

#include "fs/char_step.h"
#include "fs/path_utils.h"

namespace {

// The last directory made, without a trailing backslash; empty at first.
// The directories it lies in beyond its first g_madeFrom bytes were all
// made by this run.
char g_chain[kMaxPath];
int g_madeFrom;

}  // namespace

bool NoteMadeDirectory(const char* path) {
    // The parent ends at the last backslash before a trailing one. By
    // characters: a trail byte may have the backslash's code.
    int last = -1;
    int parent = -1;
    const char* p = path;
    for (; *p; p = NextCharacter(p)) {
        if (*p != '\\') continue;
        parent = last;
        last = static_cast<int>(p - path);
    }
    int length = static_cast<int>(p - path);
    if (length > 0 && last == length - 1) {
        length = last;
    } else {
        parent = last;
    }
    const bool parentMade = g_chain[0] != '\0' && parent > g_madeFrom &&
                            std::strncmp(g_chain, path, static_cast<size_t>(parent)) == 0 &&
                            (g_chain[parent] == '\0' || g_chain[parent] == '\\');
    if (!parentMade) g_madeFrom = parent;
    std::memcpy(g_chain, path, static_cast<size_t>(length));
    g_chain[length] = '\0';
    return parentMade;
}

void ForgetMadeDirectories() { g_chain[0] = '\0'; }
