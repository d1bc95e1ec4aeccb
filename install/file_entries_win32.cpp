#include "install/file_entries.h"

#include "fs/file_search.h"
#include "install/archive_entries.h"
#include "install/system_files.h"

EntryResult InstallEntry(const FileEntryPlan& plan, const InstallPlaces& places, int32_t& runningBytes) {
    // A name too long for a path can be neither read nor written.
    if (!plan.sourceFits) return kEntryReadError;
    if (!plan.targetFits) {
        SetLastTargetPath(plan.file);
        return kEntryWriteError;
    }
    if (IsSharedFileEntry(plan) && !VersionGate(plan.source, plan.target)) return kEntryDone;
    SetLastTargetPath(plan.target);
    if (plan.action == kUnpackArchive) return UnpackArchive(plan.source, plan.target, runningBytes, 0, 0, places);
    if (plan.action == kUnpackNestedArchives) {
        return UnpackNestedArchive(plan.source, plan.target, plan.hasMember ? plan.member : nullptr, runningBytes,
                                   places);
    }
    return CopyPlainFile(plan.source, plan.target, runningBytes);
}
