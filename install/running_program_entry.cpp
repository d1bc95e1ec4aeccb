#include "install/running_program_entry.h"

#include <cstring>

#include "fs/char_step.h"
#include "fs/format_text.h"
#include "fs/path_utils.h"

namespace {

const char kEllipsis[] = "...";
const int kEllipsisLength = 3;

// Copies at most limit bytes of name without splitting a double-byte
// character, so the cut text still reads correctly.
void CutName(char* out, const char* name, int limit) {
    const char* end = name;
    for (;;) {
        const char* next = NextCharacter(end);
        if (next == end || next - name > limit) break;
        end = next;
    }
    int length = static_cast<int>(end - name);
    memcpy(out, name, static_cast<size_t>(length));
    out[length] = '\0';
}

}  // namespace

void SplitRunningProgramEntry(char* value, RunningProgramEntry& entry) {
    entry.className = NextToken(value, ',');
    const char* display = NextToken(nullptr, ',');
    entry.title = NextToken(nullptr, ',');
    entry.displayName = (display && display[0] != '\0') ? display : entry.className;
}

void FormatProgramMessage(char* buffer, const char* format, const char* displayName) {
    // Room for the name: the buffer less the text around the placeholder.
    int fixed = static_cast<int>(strlen(format)) - 2;
    int room = kProgramMessageSize - 1 - fixed;
    if (room < 0) room = 0;
    char name[kProgramMessageSize];
    if (static_cast<int>(strlen(displayName)) <= room) {
        CopyBounded(name, displayName, kProgramMessageSize);
    } else if (room > kEllipsisLength) {
        CutName(name, displayName, room - kEllipsisLength);
        strcat(name, kEllipsis);
    } else {
        CutName(name, displayName, room);
    }
    FormatBounded(buffer, kProgramMessageSize, format, name);
}
