#include "setup/numbered_list.h"

#include "fs/format_text.h"
#include "setup/language.h"
#include "setup/setup_info.h"

void ListKey(int number, char key[kListKeySize]) { FormatBounded(key, kListKeySize, "%i", number); }

bool ReadListEntry(ListSource source, const char* section, int number, char* value, int size) {
    char key[kListKeySize];
    ListKey(number, key);
    if (source == kLocalizedList) {
        LocalizedRead(section, key, "", value, size);
    } else {
        ReadSetupString(section, key, "", value, size);
    }
    return value[0] != '\0';
}
