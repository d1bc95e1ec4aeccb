#include "setup/product_directory.h"

#include <cstring>

#include "fs/char_step.h"
#include "fs/format_text.h"
#include "fs/path_utils.h"
#include "setup/language.h"

namespace {

const LanguageTexts kBrowsePrompt = {
    "Please select the directory in which the %s-directory shall be created:",
    "Bitte das Verzeichnis w\xE4hlen, in dem das %s-Verzeichnis angelegt werden soll:",
    "S.v.p. choisissez le r\xE9pertoire dans lequel le r\xE9pertoire pour %s sera cr\xE9\xE9:",
};

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Compared over the name's length; a shorter component differs at its end.
// Character by character: the second byte of a double-byte character may
// have a letter's code, and folding it would make another character.
bool BeginsWith(const char* text, const char* name) {
    while (*name != '\0') {
        const char* nextText = NextCharacter(text);
        const char* nextName = NextCharacter(name);
        const size_t length = static_cast<size_t>(nextName - name);
        if (static_cast<size_t>(nextText - text) != length) return false;
        if (length == 1 ? FoldAscii(*text) != FoldAscii(*name) : memcmp(text, name, length) != 0) return false;
        text = nextText;
        name = nextName;
    }
    return true;
}

}  // namespace

const char* ProductDirectoryName(const char* dir) { return NamePart(dir, '\\'); }

bool AppendProductDirectory(char* path, const char* name) {
    const char* last = ScanCharBack(path, '\\');
    if (!last || BeginsWith(last + 1, name)) return true;
    // Room for the separator that AddBackslash may add, then the check.
    char joined[kMaxPath + 1];
    CopyBounded(joined, path, kMaxPath);
    AddBackslash(joined);
    if (strlen(joined) + strlen(name) > static_cast<size_t>(kMaxPath - 1)) return false;
    strcat(joined, name);
    CopyBounded(path, joined, kMaxPath);
    return true;
}

void FormatBrowsePrompt(char* prompt, const char* name) {
    FormatBounded(prompt, kMaxPath, Localized(kBrowsePrompt), name);
}
