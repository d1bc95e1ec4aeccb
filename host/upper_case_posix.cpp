#include "fs/char_step.h"
#include "base/startup_flags.h"
#include "fs/upper_case.h"

namespace {

// Code page 1252: a-z, the accented small letters E0-FE (not the division
// sign F7), and the three small letters with capitals in 80-9F.
unsigned char Upper1252(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    switch (c) {
        case 0x9A: return 0x8A;  // s caron
        case 0x9C: return 0x8C;  // oe
        case 0x9E: return 0x8E;  // z caron
        case 0xFF: return 0x9F;  // y diaeresis
        default: return c;
    }
}

}  // namespace

void UpperCaseText(char* text) {
    const bool dbcs = GetStartupFlags().dbcs;
    for (char* p = text; *p != '\0';) {
        char* next = NextCharacter(p);
        unsigned char c = static_cast<unsigned char>(*p);
        if (next == p + 1) *p = static_cast<char>(dbcs ? (c >= 'a' && c <= 'z' ? c - 0x20 : c) : Upper1252(c));
        p = next;
    }
}
