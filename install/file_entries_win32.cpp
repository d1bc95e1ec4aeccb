#include "install/file_entries.h"

#include "fs/file_ops.h"
#include "fs/file_search.h"
#include "fs/path_utils.h"
#include "install/archive_entries.h"
#include "install/member_plan.h"
#include "install/system_files.h"

namespace {

const unsigned long kFileNotFound = 2;

// A shared file is copied under its temporary name (last character '$')
// and takes the old one's place only once whole: a copy cut short by a
// power loss or a kill must not leave a truncated shared file, whose
// missing version the next run would read as no version and keep. A
// temporary file left by such a run goes first. When the old file is gone
// and the new one cannot take its place, the new one stays under its
// temporary name for the user to copy by hand, as the message asks.
EntryResult CopySharedFile(const FileEntryPlan& plan, int32_t& runningBytes) {
    char temporary[kMaxPath];
    ReadOnlyTemporaryName(plan.target, temporary);
    RemoveFile(temporary);
    EntryResult result = CopyPlainFile(plan.source, plan.target, runningBytes, temporary);
    SetLastTargetPath(plan.target);
    if (result != kEntryDone) return result;
    RemoveFile(plan.target);
    if (FileErrorCode() != 0 && FileErrorCode() != kFileNotFound) {
        RemoveFile(temporary);
        return kEntryWriteError;
    }
    MoveFileTo(temporary, plan.target);
    return FileErrorCode() == 0 ? kEntryDone : kEntryWriteError;
}

}  // namespace

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
    if (IsSharedFileEntry(plan)) return CopySharedFile(plan, runningBytes);
    return CopyPlainFile(plan.source, plan.target, runningBytes);
}
