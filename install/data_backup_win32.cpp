#include "install/data_backup.h"

#include <windows.h>

#include <cstring>

#include "fs/file_ops.h"
#include "fs/file_search.h"
#include "install/file_entries.h"
#include "setup/numbered_list.h"

namespace {

const char kBackupSection[] = "Backup data";
const uint16_t kCompareBlock = 256;

// The listed file's path in the destination; false when it is not there.
bool ListedFile(const char* destination, const char* entry, char* path) {
    return JoinPath(destination, entry, path) && PathExists(path);
}

bool SameBytes(FileHandle a, FileHandle b) {
    unsigned char blockA[kCompareBlock];
    unsigned char blockB[kCompareBlock];
    for (;;) {
        uint16_t gotA = 0;
        uint16_t gotB = 0;
        ReadBlock(a, blockA, kCompareBlock, &gotA);
        if (FileErrorCode() != 0) return false;
        ReadBlock(b, blockB, kCompareBlock, &gotB);
        if (FileErrorCode() != 0 || gotA != gotB) return false;
        if (memcmp(blockA, blockB, gotA) != 0) return false;
        if (gotA == 0) return true;
    }
}

}  // namespace

bool FilesEqual(const char* a, const char* b) {
    if (lstrcmpiA(a, b) == 0) return false;
    SearchRecord recordA;
    SearchRecord recordB;
    if (!FindEntry(a, recordA) || !FindEntry(b, recordB) || recordA.size != recordB.size) return false;
    FileHandle fileA = OpenExistingFile(a, kModeRead);
    if (FileErrorCode() != 0) return false;
    FileHandle fileB = OpenExistingFile(b, kModeRead);
    if (FileErrorCode() != 0) {
        CloseFileHandle(fileA);
        return false;
    }
    bool equal = SameBytes(fileA, fileB);
    CloseFileHandle(fileA);
    CloseFileHandle(fileB);
    return equal;
}

void BackUpData(const char* destination) {
    char entry[kMaxPath];
    for (int key = 1; ReadListEntry(kPlainList, kBackupSection, key, entry, kMaxPath); ++key) {
        char file[kMaxPath];
        if (!ListedFile(destination, entry, file)) continue;
        for (int digit = 0; digit <= 9; ++digit) {
            char backup[kMaxPath];
            if (!BackupPathFor(destination, entry, digit, backup)) break;
            if (!PathExists(backup) || digit == 9) {
                int32_t ownCount = 0;
                CopyPlainFile(file, backup, ownCount);
                break;
            }
        }
    }
}

void PruneBackups(const char* destination) {
    char entry[kMaxPath];
    for (int key = 1; ReadListEntry(kPlainList, kBackupSection, key, entry, kMaxPath); ++key) {
        char file[kMaxPath];
        if (!ListedFile(destination, entry, file)) continue;
        for (int digit = 9; digit >= 0; --digit) {
            char backup[kMaxPath];
            if (!BackupPathFor(destination, entry, digit, backup)) break;
            if (PathExists(backup) && FilesEqual(file, backup)) RemoveFile(backup);
        }
    }
}
