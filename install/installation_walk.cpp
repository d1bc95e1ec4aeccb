#include "install/installation_walk.h"

#include "fs/path_utils.h"
#include "fs/text_compare.h"
#include "unzip/nested_archive.h"
#include "unzip/zip_probe.h"

namespace {

struct Walk {
    const InstallPlaces& places;
    const ListPorts& list;
    const WalkPorts* ports;       // null while measuring the progress total: no gates, no effects, no stops
    const char* failedPath;       // what a write error names
    char failedOutput[kMaxPath];  // a member's, which outlives its step
};

// A member whose output cannot be written: reported and passed over in the
// Windows and System directories, the end of the entry elsewhere.
EntryResult OutputFailed(Walk& walk, const MemberPlan& plan, const char* output) {
    CopyBounded(walk.failedOutput, output, kMaxPath);
    walk.failedPath = walk.failedOutput;
    if (plan.placement == kPlacedInDestination) return kEntryWriteError;
    walk.ports->sharedFileFailed(walk.list.context, plan.placement == kPlacedInSystem ? 'S' : 'W',
                                plan.name + plan.placedNameStart);
    return kEntryPassedOver;
}

// A read-only member whose target exists goes in under a temporary name
// (last character '$') and replaces the target only when it is newer. A
// temporary file found there was left by a run that ended before its
// replacement: it goes first, or it would stay and block every later one.
bool RedirectReadOnly(Walk& walk, const ZipEntry& entry, const char* target, char* output) {
    if ((entry.attributes & 1) == 0) return false;
    const WalkPorts* ports = walk.ports;
    char temporary[kMaxPath];
    ReadOnlyTemporaryName(target, temporary);
    if (ports->pathExists(walk.list.context, temporary)) ports->removeFile(walk.list.context, temporary);
    if (!ports->pathExists(walk.list.context, target) || ports->pathExists(walk.list.context, temporary)) return false;
    CopyBounded(output, temporary, kMaxPath);
    return true;
}

// One member that passed the filters, its fate noted in step; kEntryDone
// or kEntryPassedOver to go on with the next member, anything else ends
// the entry. output receives where it is written.
EntryResult UnpackMember(Walk& walk, ArchiveSession& session, MemberStep& step, uint32_t baseOffset, char* output) {
    const WalkPorts* ports = walk.ports;
    const ZipEntry& entry = *step.entry;
    const MemberPlan& plan = *step.plan;
    step.fate = kMemberUnplaceable;
    if (plan.verdict == kMemberTooLong) return OutputFailed(walk, plan, plan.name);
    step.fate = kMemberRefused;
    if (plan.verdict != kMemberInstalled) return kEntryReadError;
    CopyBounded(output, plan.output, kMaxPath);
    step.output = output;
    step.redirected = RedirectReadOnly(walk, entry, plan.output, output);
    ports->memberPlaced(walk.list.context, output);
    // A member stamped 00:00:00 never replaces a file; nor does any member
    // in the Windows or System directory.
    step.fate = kMemberKept;
    if (!MemberReplacesExisting(plan, entry.stamp) && ports->pathExists(walk.list.context, output)) return kEntryDone;
    step.fate = kMemberNotUnpacked;
    step.extraction = ports->extractMember(walk.list.context, session, entry, output,
                                          static_cast<uint16_t>(entry.attributes & ~1u), entry.headerOffset + baseOffset);
    if (step.extraction == kExtractOutputFailed) return OutputFailed(walk, plan, output);
    if (step.extraction != kExtractOk) return EntryResultOfExtraction(step.extraction);
    if (step.redirected) ports->placeRedirected(walk.list.context, output, plan.output);
    step.fate = kMemberUnpacked;
    return kEntryDone;
}

EntryResult UnpackArchive(Walk& walk, const FileEntryPlan& entryPlan, const ZipEntry* inner, uint32_t base,
                          int32_t length) {
    if (!IsZipArchive(entryPlan.source)) return kEntryReadError;
    const WalkPorts* ports = walk.ports;
    ArchiveStep archive = {&entryPlan, inner, base, length};
    if (walk.ports && ports->archiveBegins) ports->archiveBegins(walk.list.context, archive);
    char targetDirectory[kMaxPath];
    CopyBounded(targetDirectory, entryPlan.target, kMaxPath);
    *NamePart(targetDirectory, '\\') = '\0';
    ZipDirectory listing;
    ArchiveSession session;
    BeginArchiveSession(session, entryPlan.source);
    EntryResult result = kEntryDone;
    int r = OpenZipDirectory(entryPlan.source, listing, base, length);
    for (; r == kListingEntry; r = NextZipEntry(listing)) {
        MemberPlan plan;
        PlanMember(listing.entry.name, targetDirectory, walk.places, plan);
        MemberStep step = {&listing.entry, &plan, plan.output, false, kMemberNotWanted, kExtractOk};
        char output[kMaxPath];
        bool wanted = MemberWanted(plan);
        // Counted also when it is kept or fails later.
        if (wanted) walk.list.memberBegins(walk.list.context, listing.entry);
        if (!ports) continue;
        if (wanted) result = UnpackMember(walk, session, step, base, output);
        if (ports->memberDone) ports->memberDone(walk.list.context, step);
        if (result != kEntryDone && result != kEntryPassedOver) break;
        result = kEntryDone;
    }
    EndArchiveSession(session);
    CloseZipDirectory(listing);
    if (result != kEntryDone) return result;
    return r == kListingEnd ? kEntryDone : kEntryReadError;
}

// Kind M: every chosen stored member is an inner archive, unpacked in place.
// An outer archive that cannot be listed installs nothing and is no error.
EntryResult UnpackNestedArchive(Walk& walk, const FileEntryPlan& plan) {
    const char* member = plan.hasMember ? plan.member : nullptr;
    ZipDirectory listing;
    EntryResult result = kEntryDone;
    for (int r = OpenZipDirectory(plan.source, listing, 0, 0); r == kListingEntry; r = NextZipEntry(listing)) {
        if (!IsChosenInnerArchive(listing.entry, member)) continue;
        uint32_t start = 0;
        result = kEntryReadError;
        if (InnerArchiveStart(plan.source, listing.entry.headerOffset, start)) {
            ZipEntry inner = listing.entry;
            result = UnpackArchive(walk, plan, &inner, start, static_cast<int32_t>(inner.packedSize));
        }
        if (result != kEntryDone && walk.ports) break;
    }
    CloseZipDirectory(listing);
    return result;
}

EntryResult WalkEntry(Walk& walk, const FileEntryPlan& plan) {
    const WalkPorts* ports = walk.ports;
    // A name too long for a path can be neither read nor written.
    if (!plan.sourceFits) return kEntryReadError;
    walk.failedPath = plan.file;
    if (walk.ports) {
        if (!plan.targetFits) return kEntryWriteError;
        if (IsSharedFileEntry(plan) && !ports->versionGate(walk.list.context, plan)) return kEntryDone;
    }
    walk.failedPath = plan.target;
    if (plan.action == kUnpackArchive) return UnpackArchive(walk, plan, nullptr, 0, 0);
    if (plan.action == kUnpackNestedArchives) return UnpackNestedArchive(walk, plan);
    return walk.list.copyFile(walk.list.context, plan);
}

// The file list; returns the run's outcome, 0 for success. A shared file
// that fails is reported and passed over, and so is a source that is the
// target; any other failure ends the list.
int WalkList(Walk& walk, int& key) {
    const ListPorts& list = walk.list;
    const WalkPorts* ports = walk.ports;
    char value[kMaxPath];
    for (; list.readEntry(list.context, key, value); ++key) {
        FileEntryPlan plan;
        PlanFileEntry(value, walk.places, plan);
        EntryResult result = WalkEntry(walk, plan);
        bool ends = false;
        if (!walk.ports) {
        } else if (result != kEntryDone && IsSharedFileEntry(plan)) {
            ports->sharedFileFailed(list.context, plan.kind, plan.targetFits ? plan.target : plan.file);
        } else if (EndsRun(result)) {
            ports->entryFailed(list.context, result, plan, walk.failedPath);
            ends = true;
        }
        if (list.entryDone) list.entryDone(list.context, key, plan, result);
        if (ends) return result;
    }
    return 0;
}

}  // namespace

bool IsChosenInnerArchive(const ZipEntry& entry, const char* member) {
    return entry.method == 0 && (!member || SameTextIgnoringCase(entry.name, member));
}

void MeasureInstallation(const InstallPlaces& places, const ListPorts& ports) {
    // The installing ports are never asked while measuring.
    Walk walk = {places, ports, nullptr, nullptr, {0}};
    int key = 1;
    WalkList(walk, key);
}

int WalkInstallation(const InstallPlaces& places, const WalkPorts& ports) {
    Walk walk = {places, ports.list, &ports, nullptr, {0}};
    void* context = ports.list.context;
    int key = 1;
    int outcome = WalkList(walk, key);
    ports.listEnds(context, outcome);
    if (outcome != 0) {
        if (ports.entryNotReached) {
            char value[kMaxPath];
            for (++key; ports.list.readEntry(context, key, value); ++key) ports.entryNotReached(context, key, value);
        }
        if (ports.finishNotReached) ports.finishNotReached(context);
        return outcome;
    }
    ports.pruneBackups(context);
    ports.writeProfileEntries(context);
    ports.offerGroup(context);
    return 0;
}
