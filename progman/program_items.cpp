#include "progman/program_items.h"

#include <cstring>

#include "fs/format_text.h"
#include "fs/path_utils.h"

namespace {

const char kCreateGroupFormat[] = "[CreateGroup(\"%s\")]";
const char kAddItemFormat[] = "[AddItem(\"%s\")]";
// The commands' own characters besides the argument.
const size_t kCreateGroupExtra = sizeof kCreateGroupFormat - 1 - 2;
const size_t kAddItemExtra = sizeof kAddItemFormat - 1 - 2;

void CutGroupName(char* name, const char* groupName) { CopyBounded(name, groupName, kGroupNameSize); }

}  // namespace

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
