// The checker as a walker of the installation's walk, which decides every
// step and stop; these ports answer from the distribution and the plan.
#include <cstring>

#include "checker/choice_walk.h"
#include "checker/entry_diagnosis.h"
#include "fs/file_search.h"
#include "install/plan_descriptions.h"
#include "setup/language.h"
#include "setup/numbered_list.h"

// The progress total, measured before anything is installed: on the first disk.
void ChoiceWalk::Measure() {
    measured_.clear();
    wanted_ = 0;
    ListPorts ports = {this,
        [](void* c, int key, char* value) {
            return ReadListEntry(kLocalizedList, static_cast<ChoiceWalk*>(c)->places_.installSection, key, value,
                                 kMaxPath);
        },
        [](void* c, const FileEntryPlan& plan) {
            SearchRecord record;
            if (FindEntry(plan.source, record)) static_cast<ChoiceWalk*>(c)->wanted_ += static_cast<int32_t>(record.size);
            return kEntryDone;
        },
        [](void* c, const ZipEntry& entry) {
            ChoiceWalk& w = *static_cast<ChoiceWalk*>(c);
            w.wanted_ = AddByteCount(static_cast<int32_t>(w.wanted_), entry.size);
        },
        [](void* c, int, const FileEntryPlan&, EntryResult) {
            ChoiceWalk& w = *static_cast<ChoiceWalk*>(c);
            w.measured_.push_back(static_cast<int32_t>(w.wanted_));
            w.totals_.progressTotal = AddByteCount(w.totals_.progressTotal, static_cast<uint32_t>(w.wanted_));
            w.wanted_ = 0;
        }};
    MeasureInstallation(places_, ports);
}

WalkPorts ChoiceWalk::Ports(ChoiceWalk* walk) {
    WalkPorts ports = {};
    ports.list.context = walk;
    ports.list.readEntry = [](void* c, int key, char* value) { return static_cast<ChoiceWalk*>(c)->ReadEntry(key, value); };
    ports.list.copyFile = [](void* c, const FileEntryPlan& plan) { return static_cast<ChoiceWalk*>(c)->PlanCopy(plan); };
    ports.list.memberBegins = [](void*, const ZipEntry&) {};
    ports.list.entryDone = [](void* c, int, const FileEntryPlan& plan, EntryResult result) {
        static_cast<ChoiceWalk*>(c)->EndEntry(plan, result);
    };
    ports.pathExists = [](void* c, const char* path) { return FoundInPlan(static_cast<ChoiceWalk*>(c)->s_.tracker, path); };
    ports.removeFile = [](void*, const char*) {};
    // A customer's machine may hold any version: the plan assumes none.
    ports.versionGate = [](void*, const FileEntryPlan&) { return true; };
    ports.memberPlaced = [](void*, const char*) {};
    ports.extractMember = [](void* c, ArchiveSession& session, const ZipEntry& entry, const char* output, uint16_t,
                             uint32_t) {
        ChoiceWalk& w = *static_cast<ChoiceWalk*>(c);
        size_t length = strlen(output);
        if (IsFolderMember(entry) || (length > 0 && output[length - 1] == '\\')) return kExtractOk;
        if (w.s_.inspector.DecodesEveryMember()) return w.s_.inspector.KnownOutcome(w.spot_, entry.headerOffset);
        return w.s_.inspector.DecodeNow(w.label_, w.spot_, entry, session);
    };
    ports.placeRedirected = [](void*, const char*, const char*) {};
    // Passed over by the walk; the entry's or member's end tells it.
    ports.sharedFileFailed = [](void*, char, const char*) {};
    ports.entryFailed = [](void* c, EntryResult, const FileEntryPlan&, const char*) {
        static_cast<ChoiceWalk*>(c)->stopped_ = true;
    };
    ports.listEnds = [](void*, int) {};
    ports.pruneBackups = [](void*) {};
    ports.writeProfileEntries = [](void* c) {
        ChoiceWalk& w = *static_cast<ChoiceWalk*>(c);
        w.LostOnDisk("the profile entries", w.places_.iniSection, "1");
        w.LostOnDisk("the group", w.places_.groupSection, "Groupname");
        w.WalkProfiles();
    };
    ports.offerGroup = [](void* c) { static_cast<ChoiceWalk*>(c)->WalkGroup(); };
    ports.archiveBegins = [](void* c, const ArchiveStep& step) { static_cast<ChoiceWalk*>(c)->BeginArchive(step); };
    ports.memberDone = [](void* c, const MemberStep& step) { static_cast<ChoiceWalk*>(c)->TakeMember(step); };
    ports.entryNotReached = [](void* c, int, const char*) {
        static_cast<ChoiceWalk*>(c)->ReportEntry("not reached: SETUP.EXE stopped before it");
    };
    ports.finishNotReached = [](void* c) {
        GroupFacts group;
        group.reached = false;
        static_cast<ChoiceWalk*>(c)->report_.Group(group);
    };
    return ports;
}

void ChoiceWalk::WalkFileList() {
    listEnd_ = 1;
    WalkPorts ports = Ports(this);
    WalkInstallation(places_, ports);
    CheckFileListEnd(listEnd_);
}

// The walk reads each entry just before it walks it.
void ChoiceWalk::BeginEntry(int key, const char* value, const FileEntryPlan& plan) {
    entry_ = EntryFacts();
    entry_.key = key;
    entry_.value = value;
    entry_.file = plan.file;
    entry_.source = plan.source;
    entry_.kind = plan.kind;
    entry_.action = DescribeEntryAction(plan.action);
    // An archive entry writes its members, never a file of its own name.
    entry_.target = plan.action == kUnpackArchive || plan.action == kUnpackNestedArchives ? "" : plan.target;
    entry_.shared = IsSharedFileEntry(plan);
    entry_.sourceFound = plan.sourceFits && FindEntry(plan.source, source_) && !(source_.attributes & kEntryDirectory);
    entry_.sourceSize = entry_.sourceFound ? source_.size : 0;
    entryReported_ = false;
    where_ = "the file list key " + std::to_string(key) + " (" + plan.file + ")";
    cause_.clear();
    archives_ = 0;
    wanted_ = 0;
}

void ChoiceWalk::ReportEntry(const std::string& note) {
    if (entryReported_) return;
    entry_.note = note;
    report_.Entry(entry_);
    entryReported_ = true;
}

// What the walk made of a failure: reported and passed over, or the end.
std::string ChoiceWalk::Consequence() const {
    return stopped_ ? "SETUP.EXE stops there" : "SETUP.EXE reports it and goes on";
}

EntryResult ChoiceWalk::PlanCopy(const FileEntryPlan& plan) {
    if (!entry_.sourceFound) {
        cause_ = "file-missing";
        return kEntryReadError;
    }
    if (plan.action == kCopyToDestination) {
        FileEntryPlan longPlan;
        PlanFileEntry(plan.file, longPlaces_, longPlan);
        if (!longPlan.targetFits) Note("long-destination", where_ + ": over 259 characters under a destination of 100 characters");
    }
    // A plain copy makes no folders: one named in the entry must have come
    // with an earlier archive member.
    const char* folderEnd = ScanCharBack(plan.file, '\\');
    if (plan.action == kCopyToDestination && folderEnd) {
        std::string folder = std::string(places_.destination) + std::string(plan.file, folderEnd - plan.file + 1);
        if (!s_.tracker.FolderExists(folder)) {
            cause_ = "folder-missing " + folder;
            return kEntryWriteError;
        }
    }
    entry_.writes = true;
    ReportEntry(entry_.shared ? SharedCopyNote(plan) : "");
    totals_.files += 1;
    totals_.bytes += source_.size;
    Written(plan.target, where_, false);
    return kEntryDone;
}

void ChoiceWalk::BeginArchive(const ArchiveStep& step) {
    FlushMember("");
    ReportEntry("");
    ++archives_;
    const FileEntryPlan& plan = *step.entry;
    ArchiveFacts archive;
    archive.label = step.inner ? plan.file + std::string(" > ") + step.inner->name : std::string(plan.file);
    archive.form = step.inner ? "inner archive at offset " + std::to_string(step.base)
                   : Head(plan.source).compare(0, 2, "MZ") == 0 ? "self-extracting program" : "ZIP archive";
    archive.disk = s_.drive.CurrentDisk();
    archive.diskPrompt = s_.drive.TakePrompt();
    report_.Archive(archive);
    label_ = archive.label;
    spot_ = ArchiveSpot();
    spot_.path = plan.source;
    spot_.base = step.base;
    spot_.length = step.length;
    s_.inspector.Inspect(label_, spot_);
}

void ChoiceWalk::TakeMember(const MemberStep& step) {
    FlushMember("");
    const ZipEntry& entry = *step.entry;
    const MemberPlan& plan = *step.plan;
    member_ = MemberFacts();
    memberOffset_ = entry.headerOffset;
    member_.name = entry.name;
    member_.size = entry.size;
    member_.crc = entry.crc;
    member_.folder = plan.isDirectory || IsFolderMember(entry);
    memberCode_.clear();
    const std::string member = label_ + ": member " + entry.name;
    char text[kMaxPath + 64];
    DescribeMemberPlan(plan, places_, text, sizeof text);
    if (step.fate != kMemberNotWanted) wanted_ += entry.size;
    bool placed = step.fate == kMemberKept || step.fate == kMemberUnpacked || step.fate == kMemberNotUnpacked;
    if (placed && plan.placement == kPlacedInDestination) {
        MemberPlan longPlan;
        PlanMember(entry.name, longPlaces_.destination, longPlaces_, longPlan);
        if (longPlan.verdict == kMemberTooLong) Note("long-destination", member + ": over 259 characters under a destination of 100 characters");
    }
    member_.diskPrompt = s_.drive.TakePrompt();
    CheckMemberName(plan, member);
    switch (step.fate) {
    case kMemberNotWanted:
        member_.status = "skip";
        member_.detail = text;
        if (places_.versionMask == 0 && plan.versionBits != 0) {
            Note("version-mask", member + " is never installed: the version mask is 0 (Vernum 0 or missing)");
        }
        break;
    case kMemberRefused:
    case kMemberUnplaceable:
        member_.status = "refuse";
        member_.detail = text;
        memberCode_ = step.fate == kMemberRefused ? "member-refused" : "path-too-long";
        memberFinding_ = step.fate == kMemberRefused
                             ? member + ": " + text
                             : member + " would be over 259 characters under " + places_.destination;
        break;
    case kMemberKept:
        member_.status = "keep";
        member_.output = step.output;
        member_.detail = plan.placement == kPlacedInDestination ? "kept: stamped 00:00:00 and the file exists"
                                                                : "kept: the file exists, and this folder is shared";
        Written(step.output, member, true);
        break;
    case kMemberNotUnpacked:
        member_.status = "fail";
        member_.detail = "cannot be extracted";
        break;
    case kMemberUnpacked:
        member_.status = "install";
        if (member_.folder) {
            member_.detail = "folder";
            std::string output = plan.output;
            s_.tracker.MakeFolder(output);
            if (!output.empty() && output.back() == '\\') output.pop_back();
            s_.tracker.Write(output, member);
            break;
        }
        member_.output = plan.output;
        if (step.redirected) member_.detail = "read-only: replaces the earlier file only when newer";
        member_.writes = true;
        totals_.files += 1;
        totals_.bytes += entry.size;
        Written(plan.output, member, false);
        break;
    }
    memberPending_ = true;
}

// A failed member is told with what the walk made of it: the next member
// or the entry's end shows whether it was passed over.
void ChoiceWalk::FlushMember(const std::string& consequence) {
    if (!memberPending_) return;
    memberPending_ = false;
    bool failed = member_.status == "refuse" || member_.status == "fail";
    std::string outcome = consequence.empty() ? "SETUP.EXE reports it and goes on" : consequence;
    if (failed) member_.detail += ": " + outcome;
    if (!memberCode_.empty()) Note(memberCode_, memberFinding_ + "; " + outcome);
    report_.Member(member_);
}

void ChoiceWalk::EndEntry(const FileEntryPlan& plan, EntryResult result) {
    bool memberFailed = memberPending_ && (member_.status == "refuse" || member_.status == "fail");
    FlushMember(result == kEntryDone ? std::string() : Consequence());
    if (memberFailed && stopped_) ReportMembersAfter(memberOffset_);
    const std::string consequence = Consequence();
    if (!plan.sourceFits || !plan.targetFits) {
        Note("path-too-long", where_ + ": the " + (plan.sourceFits ? "target" : "source") + " path is over 259 characters; " +
                                  consequence);
        ReportEntry("path over 259 characters: " + consequence);
    } else if (cause_ == "file-missing" || (!entry_.sourceFound && plan.action == kUnpackArchive)) {
        Note("file-missing", where_ + ": " + plan.file + " is not in the distribution; " + consequence + CaseHint(plan.file));
        ReportEntry("missing: a read error; " + consequence);
    } else if (cause_.compare(0, 14, "folder-missing") == 0) {
        Note("folder-missing", where_ + ": no earlier archive member makes the folder " + cause_.substr(15) +
                                   "; the copy fails and " + consequence);
        ReportEntry("the folder is missing: a write error; " + consequence);
    } else if (plan.action == kUnpackArchive && archives_ == 0) {
        Note("not-zip", where_ + ": SETUP.EXE does not take " + plan.file + " for a ZIP archive: " + NotZipReason(plan.source));
        ReportEntry("not a ZIP archive: a read error; " + consequence);
    } else if (plan.action == kUnpackNestedArchives && result != kEntryDone && !memberFailed) {
        Note("bad-data", where_ + ": the local header or the directory of an inner archive cannot be read; " +
                             consequence);
        ReportEntry("");
    } else if (plan.action == kUnpackNestedArchives && archives_ == 0) {
        std::string why = NestedNothing(plan, entry_.sourceFound);
        Note("nested-nothing", where_ + ": " + why + "; the entry installs nothing, and SETUP.EXE says nothing");
        ReportEntry("installs nothing");
    } else if (result == kEntryDone && archives_ > 0) {
        int32_t measured = static_cast<size_t>(entry_.key) <= measured_.size() ? measured_[static_cast<size_t>(entry_.key - 1)] : 0;
        if (wanted_ != measured) {
            Note("not-measured", where_ + ": the progress total counts " + std::to_string(measured) + " of its " +
                                     std::to_string(wanted_) + " bytes (measured on the first disk)");
        }
    }
    ReportEntry("");
}
