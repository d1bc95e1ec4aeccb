#include "install/profile_entries.h"

#include <cstring>

#include "fs/format_text.h"
#include "fs/path_utils.h"
#include "setup/language.h"
#include "setup/profile.h"

namespace {

// file,section,key[,value]: no value deletes the key, no key does nothing.
// The value is the whole rest of the line, commas included, so that values
// such as window positions (0,0,640,480) are written unchanged.
void WriteOneEntry(char* line) {
    const char* end = line + strlen(line);
    const char* file = NextToken(line, ',');
    const char* section = NextToken(nullptr, ',');
    const char* key = NextToken(nullptr, ',');
    char* value = NextToken(nullptr, ',');
    if (!key) return;
    if (value) {
        // The tokenizer cut the rest at its next comma; put it back.
        for (char* p = value; p < end; ++p)
            if (*p == '\0') *p = ',';
    }
    WriteProfileEntry(section, key, value, file);
}

}  // namespace

void WriteProfileEntries() {
    for (int number = 1; number <= kLastProfileEntryKey; ++number) {
        char key[16];
        FormatBounded(key, sizeof key, "%i", number);
        char line[kMaxPath];
        LocalizedRead(Language().iniSection, key, "", line, kMaxPath);
        if (line[0] == '\0') return;
        WriteOneEntry(line);
    }
}
