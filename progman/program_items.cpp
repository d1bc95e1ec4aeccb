#include "progman/program_items.h"

#include <cstring>

#include "fs/file_ops.h"
#include "fs/file_search.h"
#include "fs/format_text.h"
#include "fs/path_utils.h"
#include "setup/language.h"

namespace {

const char kCreateGroupFormat[] = "[CreateGroup(\"%s\")]";
const char kAddItemFormat[] = "[AddItem(\"%s\")]";
// The commands' own characters besides the argument.
const size_t kCreateGroupExtra = sizeof kCreateGroupFormat - 1 - 2;
const size_t kAddItemExtra = sizeof kAddItemFormat - 1 - 2;

// True when the part of line before its first double quote names an
// existing file or directory.
bool ItemFileExists(const char* line) {
    char path[kItemLineSize];
    CopyBounded(path, line, kItemLineSize);
    char* quote = ScanChar(path, '"');
    if (quote) *quote = '\0';
    SearchRecord record;
    FindFirstEntry(path, kSearchAll, record);
    bool found = FileErrorCode() == 0;
    CloseSearch(record);
    return found;
}

void CutGroupName(char* name, const char* groupName) { CopyBounded(name, groupName, kGroupNameSize); }

}  // namespace

void CollectProgramItems(const char* section, const char* base, ProgramItems& items) {
    items.count = 0;
    const size_t baseLength = strlen(base);
    for (int number = 1; items.count < kMaxProgramItems; ++number) {
        char key[16];
        FormatBounded(key, sizeof key, "%i", number);
        char value[kItemLineSize];
        LocalizedRead(section, key, "", value, kItemLineSize);
        if (value[0] == '\0') return;
        if (baseLength + strlen(value) > static_cast<size_t>(kItemLineSize - 1)) continue;
        char* line = items.lines[items.count];
        memcpy(line, base, baseLength);
        strcpy(line + baseLength, value);
        if (ItemFileExists(line)) ++items.count;
    }
}

size_t ExecuteTextSize(const char* groupName, const ProgramItems& items) {
    char name[kGroupNameSize];
    CutGroupName(name, groupName);
    size_t size = strlen(name) + kCreateGroupExtra + 1;
    for (int i = 0; i < items.count; ++i) size += strlen(items.lines[i]) + kAddItemExtra;
    return size;
}

void BuildExecuteText(char* block, size_t size, const char* groupName, const ProgramItems& items) {
    if (size == 0) return;
    char name[kGroupNameSize];
    CutGroupName(name, groupName);
    size_t used = static_cast<size_t>(FormatBounded(block, size, kCreateGroupFormat, name));
    for (int i = 0; i < items.count && used + 1 < size; ++i) {
        used += static_cast<size_t>(FormatBounded(block + used, size - used, kAddItemFormat, items.lines[i]));
    }
}
