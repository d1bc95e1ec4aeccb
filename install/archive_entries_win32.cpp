#include "install/archive_entries.h"

#include <windows.h>

#include <cstring>

#include "base/window_context.h"
#include "fs/file_ops.h"
#include "fs/file_search.h"
#include "install/install_state.h"
#include "install/progress_file_line.h"
#include "install/system_files.h"
#include "progress/progress_bars.h"
#include "resources/resource.h"
#include "setup/prepared_state.h"
#include "unzip/extract_member.h"
#include "unzip/zip_directory.h"
#include "unzip/zip_probe.h"

namespace {

const int16_t kProgressCommand = 120;
const uint32_t kLocalHeaderSize = 30;

enum Placement { kDestinationPlacement, kWindowsPlacement, kSystemPlacement };

// What a member's unpacking returns when the entry goes on.
const int kNextMember = 1;

const char kWindowsPrefix[] = "windows\\";
const char kSystemPrefix[] = "system\\";

bool HasPrefix(const char* name, const char* prefix) {
    size_t length = strlen(prefix);
    return strlen(name) >= length && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, name,
                                                    static_cast<int>(length), prefix,
                                                    static_cast<int>(length)) == CSTR_EQUAL;
}

// The member's output path by its placement.
Placement OutputPathFor(const char* name, const char* targetDirectory, char* output, bool& fits) {
    char directory[kMaxPath + 1];
    if (HasPrefix(name, kWindowsPrefix)) {
        UINT length = GetWindowsDirectoryA(directory, kMaxPath - 1);
        if (length >= kMaxPath) directory[0] = '\0';
        AddBackslash(directory);
        fits = JoinPath(directory, name + strlen(kWindowsPrefix), output);
        return kWindowsPlacement;
    }
    if (HasPrefix(name, kSystemPrefix)) {
        ChosenSystemDirectory(directory);
        AddBackslash(directory);
        fits = JoinPath(directory, name + strlen(kSystemPrefix), output);
        return kSystemPlacement;
    }
    fits = JoinPath(targetDirectory, name, output);
    return kDestinationPlacement;
}

// Version and language filters; shortens the name by its version prefix.
bool Wanted(char* name) {
    int bits = StripVersionPrefix(name);
    if (bits != 0 && (bits & Prepared().versionMask) == 0) return false;
    return PassesLanguageFilter(name);
}

// Start of the inner archive stored as this member of the outer file.
uint32_t InnerArchiveStart(const char* archivePath, const ZipEntry& entry) {
    uint32_t position = entry.headerOffset + kLocalHeaderSize + static_cast<uint32_t>(strlen(entry.name));
    return position + FindEmbeddedArchive(archivePath, position);
}

bool IsChosenInnerArchive(const ZipEntry& entry, const char* member) {
    return entry.method == 0 && (!member || lstrcmpiA(entry.name, member) == 0);
}

// A member whose output cannot be written: reported and passed over in the
// Windows and System directories, the end of the entry elsewhere.
int OutputFailed(Placement placement, const char* name, const char* output) {
    SetLastTargetPath(output);
    if (placement == kSystemPlacement) {
        ShowSystemFileFailure('S', name + strlen(kSystemPrefix));
        return kNextMember;
    }
    if (placement == kWindowsPlacement) {
        ShowSystemFileFailure('W', name + strlen(kWindowsPrefix));
        return kNextMember;
    }
    return kEntryWriteError;
}

// A name that would lead out of the directory it is placed in: rooted, with
// a drive or stream colon, or with a ".." component.
bool EscapesItsDirectory(const char* name) {
    if (name[0] == '\\' || strchr(name, ':')) return true;
    for (const char* component = name; *component;) {
        const char* end = strchr(component, '\\');
        size_t length = end ? static_cast<size_t>(end - component) : strlen(component);
        if (length == 2 && component[0] == '.' && component[1] == '.') return true;
        if (!end) break;
        component = end + 1;
    }
    return false;
}

// One member that passed the filters; returns an entry result, or 1 to go on.

int UnpackMember(const char* archivePath, const ZipEntry& entry, const char* name, const char* targetDirectory,
                 uint32_t baseOffset) {
    if (EscapesItsDirectory(name)) return kEntryReadError;
    char output[kMaxPath];
    bool fits = true;
    Placement placement = OutputPathFor(name, targetDirectory, output, fits);
    if (!fits) return OutputFailed(placement, name, name);
    char original[kMaxPath];
    strcpy(original, output);
    bool redirected = false;
    if ((entry.attributes & 1) != 0 && PathExists(output)) {
        char temporary[kMaxPath];
        strcpy(temporary, output);
        temporary[strlen(temporary) - 1] = '$';
        if (!PathExists(temporary)) {
            strcpy(output, temporary);
            redirected = true;
        }
    }
    ShowProgressFile(output);
    bool stampedTime = (entry.stamp & 0xFFFF) != 0;
    if (!((placement == kDestinationPlacement && stampedTime) || !PathExists(output))) return kNextMember;
    int result = ExtractZipMember(archivePath, output, static_cast<uint16_t>(entry.attributes & ~1u),
                                  entry.headerOffset + baseOffset,
                                  reinterpret_cast<ProgressWindowHandle>(ProgressDialogHandle()), kProgressCommand);
    if (result == kExtractOutputFailed) return OutputFailed(placement, name, output);
    if (result == kExtractCancelled) return kEntryCancelled;
    if (result != kExtractOk) return kEntryReadError;
    if (redirected && ReplaceByNewer(output, original)) SetRestartNeeded(true);
    return kNextMember;
}

}  // namespace

int32_t MeasureArchive(const char* archivePath, uint32_t baseOffset, int32_t length) {
    if (!IsZipArchive(archivePath)) return 0;
    int32_t total = 0;
    ZipDirectory listing;
    for (int r = OpenZipDirectory(archivePath, listing, baseOffset, length); r == 0; r = NextZipEntry(listing)) {
        char name[kMaxPath];
        CopyBounded(name, listing.entry.name, kMaxPath);
        if (Wanted(name)) total = AddByteCount(total, listing.entry.size);
    }
    CloseZipDirectory(listing);
    return total;
}

int32_t MeasureNestedArchive(const char* archivePath, const char* member) {
    int32_t total = 0;
    ZipDirectory listing;
    for (int r = OpenZipDirectory(archivePath, listing, 0, 0); r == 0; r = NextZipEntry(listing)) {
        if (!IsChosenInnerArchive(listing.entry, member)) continue;
        uint32_t start = InnerArchiveStart(archivePath, listing.entry);
        int32_t inner = MeasureArchive(archivePath, start, static_cast<int32_t>(listing.entry.packedSize));
        total = AddByteCount(total, static_cast<uint32_t>(inner));
    }
    CloseZipDirectory(listing);
    return total;
}

int UnpackArchive(const char* archivePath, const char* targetPath, int32_t& runningBytes, uint32_t baseOffset,
                  int32_t length) {
    if (!IsZipArchive(archivePath)) return kEntryReadError;
    char targetDirectory[kMaxPath];
    CopyBounded(targetDirectory, targetPath, kMaxPath);
    *NamePart(targetDirectory, '\\') = '\0';
    ZipDirectory listing;
    int r = OpenZipDirectory(archivePath, listing, baseOffset, length);
    for (; r == 0; r = NextZipEntry(listing)) {
        char name[kMaxPath];
        CopyBounded(name, listing.entry.name, kMaxPath);
        if (!Wanted(name)) continue;
        BeginProgressItem(runningBytes, static_cast<int32_t>(listing.entry.size));
        runningBytes = AddByteCount(runningBytes, listing.entry.size);
        int result = UnpackMember(archivePath, listing.entry, name, targetDirectory, baseOffset);
        if (result != kNextMember) {
            CloseZipDirectory(listing);
            return result;
        }
    }
    CloseZipDirectory(listing);
    return r == 1 ? kEntryDone : kEntryReadError;
}

int UnpackNestedArchive(const char* archivePath, const char* targetPath, const char* member,
                        int32_t& runningBytes) {
    ZipDirectory listing;
    for (int r = OpenZipDirectory(archivePath, listing, 0, 0); r == 0; r = NextZipEntry(listing)) {
        if (!IsChosenInnerArchive(listing.entry, member)) continue;
        uint32_t start = InnerArchiveStart(archivePath, listing.entry);
        int result = UnpackArchive(archivePath, targetPath, runningBytes, start,
                                   static_cast<int32_t>(listing.entry.packedSize));
        if (result != kEntryDone) {
            CloseZipDirectory(listing);
            return result;
        }
    }
    CloseZipDirectory(listing);
    return kEntryDone;
}
