#include "fs/char_step.h"
#include "base/startup_flags.h"

namespace {

// Lead bytes of code page 932 (Shift JIS).
bool IsLeadByte(unsigned char c) {
    return GetStartupFlags().dbcs && ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC));
}

}  // namespace

char* NextCharacter(const char* p) {
    if (*p == '\0') return const_cast<char*>(p);
    if (IsLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') return const_cast<char*>(p + 2);
    return const_cast<char*>(p + 1);
}

char* PreviousCharacter(const char* start, const char* p) {
    if (p <= start) return const_cast<char*>(start);
    // Lead and trail bytes overlap in value, so walk forward from the start.
    const char* q = start;
    for (;;) {
        const char* next = NextCharacter(q);
        if (next >= p || next == q) return const_cast<char*>(q);
        q = next;
    }
}
