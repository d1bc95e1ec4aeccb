// The member filters of the archive workers and the search for an archive
// stored inside another one.
#include <cstring>

#include "fs/file_ops.h"
#include "fs/upper_case.h"
#include "install/archive_entries.h"
#include "setup/language.h"
#include "setup/setup_info.h"

namespace {

const uint16_t kEmbeddedSearchSize = 1024;

// Removes prefix where it first occurs, if that is the start of a path
// component; true when it did.
bool RemoveComponentPrefix(char* name, const char* prefix) {
    char* found = strstr(name, prefix);
    if (!found || (found != name && found[-1] != '\\')) return false;
    size_t prefixLength = strlen(prefix);
    memmove(found, found + prefixLength, strlen(found + prefixLength) + 1);
    return true;
}

}  // namespace

int StripVersionPrefix(char* name) {
    int bits = 0;
    if (RemoveComponentPrefix(name, "16\\")) bits |= 1;
    if (RemoveComponentPrefix(name, "32\\")) bits |= 2;
    return bits;
}

bool PassesLanguageFilter(const char* name) {
    const char* single = Language().singleLanguageName;
    if (single[0] == '\0') return true;
    char directory[kMaxPath + 1];
    ReadSetupString("LangName", "langdir", "", directory, kMaxPath);
    if (directory[0] == '\0') return true;
    AddBackslash(directory);
    char upperName[kMaxPath];
    CopyBounded(upperName, name, kMaxPath);
    UpperCaseText(upperName);
    UpperCaseText(directory);
    const char* found = strstr(upperName, directory);
    if (!found || (found != upperName && found[-1] != '\\')) return true;
    const char* lastBackslash = strrchr(upperName, '\\');
    if (!lastBackslash) return true;
    char upperSingle[kMaxPath];
    CopyBounded(upperSingle, single, kMaxPath);
    UpperCaseText(upperSingle);
    return strncmp(lastBackslash + 1, upperSingle, strlen(upperSingle)) == 0;
}

uint32_t FindEmbeddedArchive(const char* archivePath, uint32_t position) {
    FileHandle file = OpenExistingFile(archivePath, kModeRead);
    if (FileErrorCode() != 0) return 0;
    unsigned char block[kEmbeddedSearchSize];
    uint16_t got = 0;
    SeekFile(file, static_cast<int32_t>(position), 0);
    if (FileErrorCode() == 0) ReadBlock(file, block, kEmbeddedSearchSize, &got);
    CloseFileHandle(file);
    if (got < 10) return 0;
    block[got - 1] = 0;
    for (uint32_t at = 0; at + 6 <= got; ++at) {
        if (block[at] == 0x50 && block[at + 1] == 0x4B && block[at + 2] == 0x03 && block[at + 3] == 0x04) return at;
    }
    return 0;
}
