#include <cstring>

#include "fs/char_step.h"
#include "fs/short_path.h"

void SanitizeName(char* name) {
    bool keptDot = false;
    // From the end, so that the rightmost dot is met first.
    char* p = name + strlen(name);
    while (p != name) {
        p = PreviousCharacter(name, p);
        if (*p == ' ') {
            memmove(p, p + 1, strlen(p + 1) + 1);
        } else if (*p == '.') {
            if (!keptDot && p != name) {
                keptDot = true;
            } else {
                *p = '_';
            }
        }
    }
}
