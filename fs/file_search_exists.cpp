#include "fs/file_search.h"

bool FindEntry(const char* path, SearchRecord& record) {
    FindFirstEntry(path, kSearchAll, record);
    bool found = FileErrorCode() == 0;
    CloseSearch(record);
    return found;
}

bool PathExists(const char* path) {
    SearchRecord record;
    return FindEntry(path, record);
}
