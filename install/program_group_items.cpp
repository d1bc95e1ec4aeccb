#include "install/program_group.h"

#include <cstring>

#include "fs/file_ops.h"
#include "fs/file_search.h"
#include "setup/numbered_list.h"

namespace {

// An existing file or directory on this machine.
bool ExistsOnDisk(const char* path, void*) {
    SearchRecord record;
    FindFirstEntry(path, kSearchAll, record);
    bool found = FileErrorCode() == 0;
    CloseSearch(record);
    return found;
}

// True when the part of line before its first double quote exists.
bool LineFileExists(const char* line, ItemFileExists exists, void* context) {
    char path[kItemLineSize];
    CopyBounded(path, line, kItemLineSize);
    char* quote = ScanChar(path, '"');
    if (quote) *quote = '\0';
    return exists(path, context);
}

}  // namespace

void CollectProgramItems(const char* section, const char* base, ProgramItems& items) {
    CollectProgramItems(section, base, items, ExistsOnDisk, nullptr);
}

void CollectProgramItems(const char* section, const char* base, ProgramItems& items, ItemFileExists exists,
                         void* context) {
    items.count = 0;
    const size_t baseLength = strlen(base);
    for (int number = 1; items.count < kMaxProgramItems; ++number) {
        char value[kItemLineSize];
        if (!ReadListEntry(kLocalizedList, section, number, value, kItemLineSize)) return;
        if (baseLength + strlen(value) > static_cast<size_t>(kItemLineSize - 1)) continue;
        char* line = items.lines[items.count];
        memcpy(line, base, baseLength);
        strcpy(line + baseLength, value);
        if (LineFileExists(line, exists, context)) ++items.count;
    }
}

