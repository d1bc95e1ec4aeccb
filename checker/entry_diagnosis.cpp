#include "checker/entry_diagnosis.h"

#include <cstring>

#include "checker/inf_outline.h"
#include "checker/platform.h"
#include "fs/file_ops.h"
#include "fs/path_utils.h"
#include "install/installation_walk.h"
#include "unzip/zip_directory.h"

// A file named in another case: Windows finds it, a case-sensitive file
// system (where the checker may run) does not. Empty when there is none.
std::string CaseHint(const char* file) {
    std::string name = file;
    std::string folder = ".";
    size_t slash = name.rfind('\\');
    if (slash != std::string::npos) {
        folder = name.substr(0, slash);
        for (char& c : folder) c = c == '\\' ? '/' : c;
        name = name.substr(slash + 1);
    }
    for (const std::string& entry : FolderNames(folder)) {
        if (entry != name && SameNameIgnoringCase(entry, name)) {
            return " (there is " + entry + ": Windows would take it, this file system does not; name it alike)";
        }
    }
    return std::string();
}

std::string Head(const char* path) {
    unsigned char head[4] = {0, 0, 0, 0};
    FileHandle file = OpenExistingFile(path, kModeRead | kShareCompatible);
    if (file == kInvalidFile) return std::string();
    uint16_t got = 0;
    ReadBlock(file, head, sizeof head, &got);
    CloseFileHandle(file);
    return std::string(reinterpret_cast<char*>(head), got);
}

std::string NotZipReason(const char* path) {
    std::string head = Head(path);
    if (head.empty()) return "it cannot be read";
    if (head == std::string("PK\x07\x08", 4)) {
        return "it is a piece of a split archive (zip -s), which SETUP.EXE cannot read; see the guide on disks";
    }
    if (head.compare(0, 2, "MZ") == 0) return "it is a program that carries no archive SETUP.EXE can find";
    if (!ScanChar(path, '.')) return "its name has no dot";
    return "it does not start with a ZIP local header";
}

// Why a kind M entry whose outer archive was walked unpacked nothing.
std::string NestedNothing(const FileEntryPlan& plan, bool found) {
    ZipDirectory listing;
    int r = found ? OpenZipDirectory(plan.source, listing, 0, 0) : kListingUnreadable;
    if (r != kListingEntry) return std::string(plan.file) + (found ? " cannot be listed" : " is not in the distribution");
    const char* member = plan.hasMember ? plan.member : nullptr;
    bool namedButPacked = false;
    for (; r == kListingEntry; r = NextZipEntry(listing)) {
        ZipEntry stored = listing.entry;
        stored.method = 0;
        namedButPacked = namedButPacked || (member && IsChosenInnerArchive(stored, member));
    }
    CloseZipDirectory(listing);
    if (namedButPacked) return std::string("its member ") + member + " is compressed, and only stored ones are unpacked";
    return member ? std::string("no stored member is named ") + member : "it has no stored member";
}

bool FoundInPlan(TargetTracker& tracker, const char* path) {
    size_t length = strlen(path);
    return length > 0 && path[length - 1] != '\\' && tracker.Exists(path);
}

