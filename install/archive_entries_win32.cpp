#include "install/archive_entries.h"

#include <windows.h>

#include <cstring>

#include "fs/file_ops.h"
#include "fs/file_search.h"
#include "install/decoder_ports.h"
#include "install/member_plan.h"
#include "install/system_files.h"
#include "progress/progress_bars.h"
#include "progress/progress_dialog.h"
#include "unzip/extract_member.h"
#include "unzip/nested_archive.h"
#include "unzip/zip_directory.h"
#include "unzip/zip_probe.h"

namespace {

// A member whose output cannot be written: reported and passed over in the
// Windows and System directories, the end of the entry elsewhere.
EntryResult OutputFailed(const MemberPlan& plan, const char* output) {
    SetLastTargetPath(output);
    if (plan.placement == kPlacedInDestination) return kEntryWriteError;
    ShowSystemFileFailure(plan.placement == kPlacedInSystem ? 'S' : 'W', plan.name + plan.placedNameStart);
    return kEntryPassedOver;
}

// A read-only member whose target exists goes in under a temporary name
// (last character '$') and replaces the target only when it is newer. A
// temporary file found there was left by a run that ended before its
// replacement: it goes first, or it would stay and block every later one.
bool RedirectReadOnly(const ZipEntry& entry, const char* target, char* output) {
    if ((entry.attributes & 1) == 0) return false;
    char temporary[kMaxPath];
    ReadOnlyTemporaryName(target, temporary);
    if (PathExists(temporary)) RemoveFile(temporary);
    if (!PathExists(target) || PathExists(temporary)) return false;
    CopyBounded(output, temporary, kMaxPath);
    return true;
}

// One member that passed the filters; kEntryDone or kEntryPassedOver to go
// on with the next member, anything else ends the entry.
EntryResult UnpackMember(ArchiveSession& archive, const ZipEntry& entry, const MemberPlan& plan,
                         uint32_t baseOffset) {
    if (plan.verdict == kMemberTooLong) return OutputFailed(plan, plan.name);
    if (plan.verdict != kMemberInstalled) return kEntryReadError;
    char output[kMaxPath];
    CopyBounded(output, plan.output, kMaxPath);
    bool redirected = RedirectReadOnly(entry, plan.output, output);
    ShowProgressFile(output);
    // A member stamped 00:00:00 never replaces a file; nor does any member
    // in the Windows or System directory.
    if (!MemberReplacesExisting(plan, entry.stamp) && PathExists(output)) return kEntryDone;
    ExtractResult result = ExtractSessionMember(archive, output, static_cast<uint16_t>(entry.attributes & ~1u),
                                                entry.headerOffset + baseOffset, InstallerDecoderPorts());
    if (result == kExtractOutputFailed) return OutputFailed(plan, output);
    if (result != kExtractOk) return EntryResultOfExtraction(result);
    if (redirected && ReplaceByNewer(output, plan.output)) SetRestartNeeded(true);
    return kEntryDone;
}

}  // namespace

EntryResult UnpackArchive(const char* archivePath, const char* targetPath, int32_t& runningBytes,
                          uint32_t baseOffset, int32_t length, const InstallPlaces& places) {
    if (!IsZipArchive(archivePath)) return kEntryReadError;
    char targetDirectory[kMaxPath];
    CopyBounded(targetDirectory, targetPath, kMaxPath);
    *NamePart(targetDirectory, '\\') = '\0';
    ZipDirectory listing;
    ArchiveSession archive;
    BeginArchiveSession(archive, archivePath);
    int r = OpenZipDirectory(archivePath, listing, baseOffset, length);
    for (; r == kListingEntry; r = NextZipEntry(listing)) {
        MemberPlan plan;
        PlanMember(listing.entry.name, targetDirectory, places, plan);
        if (!MemberWanted(plan)) continue;
        BeginProgressItem(runningBytes, static_cast<int32_t>(listing.entry.size));
        runningBytes = AddByteCount(runningBytes, listing.entry.size);
        EntryResult result = UnpackMember(archive, listing.entry, plan, baseOffset);
        if (result != kEntryDone && result != kEntryPassedOver) {
            EndArchiveSession(archive);
            CloseZipDirectory(listing);
            return result;
        }
    }
    EndArchiveSession(archive);
    CloseZipDirectory(listing);
    return r == kListingEnd ? kEntryDone : kEntryReadError;
}

EntryResult UnpackNestedArchive(const char* archivePath, const char* targetPath, const char* member,
                                int32_t& runningBytes, const InstallPlaces& places) {
    ZipDirectory listing;
    for (int r = OpenZipDirectory(archivePath, listing, 0, 0); r == kListingEntry; r = NextZipEntry(listing)) {
        if (!IsChosenInnerArchive(listing.entry, member)) continue;
        uint32_t start = 0;
        EntryResult result = kEntryReadError;
        if (InnerArchiveStart(archivePath, listing.entry.headerOffset, start)) {
            result = UnpackArchive(archivePath, targetPath, runningBytes, start,
                                   static_cast<int32_t>(listing.entry.packedSize), places);
        }
        if (result != kEntryDone) {
            CloseZipDirectory(listing);
            return result;
        }
    }
    CloseZipDirectory(listing);
    return kEntryDone;
}
