#include "checker/plan_walk.h"

#include <cstring>

#include "checker/choices.h"
#include "checker/platform.h"
#include "fs/file_search.h"
#include "fs/path_utils.h"
#include "install/archive_entries.h"
#include "install/data_backup.h"
#include "install/file_entries.h"
#include "install/file_entry.h"
#include "install/install_places.h"
#include "install/member_plan.h"
#include "install/plan_descriptions.h"
#include "install/profile_entries.h"
#include "install/program_group.h"
#include "install/run_installation.h"
#include "install/running_program_entry.h"
#include "progman/program_items.h"
#include "setup/destination_entry.h"
#include "setup/language.h"
#include "setup/numbered_list.h"
#include "setup/setup_info.h"
#include "unzip/nested_archive.h"
#include "unzip/zip_probe.h"

namespace {

const char kNotRunning[] = "Not running";
const char kBackupData[] = "Backup data";
const int kLongDestinationLength = 100;    // a destination a customer may well choose
const size_t kMaxDisplayName = 93;         // fits every running-program message

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string KeyText(int key) { return std::to_string(key); }

// A destination of kLongDestinationLength characters with its backslash.
std::string LongDestination() {
    std::string path = "C:\\";
    while (path.size() < static_cast<size_t>(kLongDestinationLength)) path += 'X';
    return path + "\\";
}

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

class ChoiceWalk {
public:
    ChoiceWalk(WalkSetting& setting, const ChoiceFacts& choice, Report& report, bool final)
        : s_(setting), choice_(choice), report_(report), final_(final) {}

    ChoiceTotals Run();
    // The paths the group's lines name, whether they exist or not.
    std::vector<std::string> GroupPaths();

private:
    void PreparePlaces();
    void WalkDestination();
    void WalkRunningPrograms();
    void WalkBackups();
    void Measure();
    void WalkEntries();
    void WalkEntry(int key, const char* value, int32_t measured);
    void WalkCopy(const FileEntryPlan& plan, EntryFacts& facts, const SearchRecord& source);
    void WalkArchiveEntry(const FileEntryPlan& plan, EntryFacts& facts, int32_t measured);
    void WalkNestedEntry(const FileEntryPlan& plan, EntryFacts& facts, int32_t measured);
    int64_t WalkArchive(const std::string& label, const std::string& form, const ArchiveSpot& spot,
                        const char* targetPath);
    void WalkMember(const std::string& label, const ArchiveSpot& spot, const ZipEntry& entry,
                    const char* targetDirectory, ArchiveSession& session, MemberFacts& facts);
    void WalkProfiles();
    void WalkGroup();
    void CheckListEnd(const std::string& what, const char* section, bool localized, int endKey, bool atLimit = false);
    void Note(const std::string& code, const std::string& message) {
        if (final_) s_.findings.Add(code, message);
    }
    void Written(const std::string& path, const std::string& writer, bool skippedLater);

    WalkSetting& s_;
    const ChoiceFacts& choice_;
    Report& report_;
    bool final_;
    InstallPlaces places_;
    InstallPlaces longPlaces_;
    ChoiceTotals totals_;
    std::vector<int32_t> measured_;
};

ChoiceTotals ChoiceWalk::Run() {
    ApplyChoiceLanguage(choice_);
    PreparePlaces();
    report_.BeginChoice(choice_);
    WalkDestination();
    WalkRunningPrograms();
    WalkBackups();
    Measure();
    WalkEntries();
    WalkProfiles();
    WalkGroup();
    report_.EndChoice(totals_);
    return totals_;
}

void ChoiceWalk::PreparePlaces() {
    memset(&places_, 0, sizeof places_);
    // The drive holds the distribution: its files are named relative to it.
    places_.setupDirectory[0] = '\0';
    if (!s_.options.destination.empty()) {
        CopyBounded(places_.destination, s_.options.destination.c_str(), kMaxPath);
    } else {
        ReadSetupString("Destination", "Dir", "c:\\install", places_.destination, kMaxPath);
    }
    NormaliseDestination(places_.destination);
    if (strlen(places_.destination) < static_cast<size_t>(kMaxPath - 1)) AddBackslash(places_.destination);
    CopyBounded(places_.windowsDirectory, s_.options.windowsDirectory.c_str(), kMaxPath - 1);
    AddBackslash(places_.windowsDirectory);
    CopyBounded(places_.systemDirectory, s_.options.systemDirectory.c_str(), kMaxPath - 1);
    AddBackslash(places_.systemDirectory);
    places_.versionMask = choice_.versionMask;
    CopyBounded(places_.singleLanguage, Language().singleLanguageName, kMaxPath);
    ReadSetupString("LangName", "langdir", "", places_.languageDirectory, kMaxPath);
    longPlaces_ = places_;
    CopyBounded(longPlaces_.destination, LongDestination().c_str(), kMaxPath);
}

void ChoiceWalk::WalkDestination() {
    std::string origin;
    if (!s_.options.destination.empty()) {
        origin = "given with --dest";
    } else if (s_.outline.HasKey("Destination", "Dir")) {
        origin = "Dir of [Destination]";
    } else {
        origin = "SETUP.EXE's own proposal: no Dir in [Destination]";
    }
    char value[kSetupValueSize];
    ReadSetupString("Destination", "Ini", "", value, kSetupValueSize);
    DestinationEntry entry;
    ParseDestinationEntry(value, entry);
    if (entry.used) {
        origin += std::string("; a value in ") + entry.file + " [" + entry.section + "] " + entry.key +
                  " from an earlier installation replaces it";
        if (entry.file[0]) origin += ", and the confirmed destination is written there";
    }
    report_.Destination(places_.destination, origin);
}

void ChoiceWalk::WalkRunningPrograms() {
    int key = 1;
    char value[kMaxPath];
    for (; ReadListEntry(kPlainList, kNotRunning, key, value, kMaxPath); ++key) {
        RunningProgramEntry entry;
        SplitRunningProgramEntry(value, entry);
        report_.RunningProgram(key, entry.className, entry.displayName, entry.title ? entry.title : "");
        if (strlen(entry.displayName) > kMaxDisplayName) {
            Note("display-name-long", "[Not running] key " + KeyText(key) + ": the display name " +
                                          Quoted(entry.displayName) + " is over 93 characters; the messages cut it");
        }
    }
    CheckListEnd("[Not running]", kNotRunning, false, key);
}

void ChoiceWalk::WalkBackups() {
    int key = 1;
    char value[kMaxPath];
    for (; ReadListEntry(kPlainList, kBackupData, key, value, kMaxPath); ++key) {
        char listed[kMaxPath];
        char first[kMaxPath];
        char last[kMaxPath];
        bool fits = JoinPath(places_.destination, value, listed) && BackupPathFor(places_.destination, value, 0, first) &&
                    BackupPathFor(places_.destination, value, 9, last);
        if (!fits) {
            Note("path-too-long", "[Backup data] key " + KeyText(key) + ": " + value +
                                      " and its backups are over 259 characters under " + places_.destination);
            report_.Backup(key, value, "", "", "");
            continue;
        }
        report_.Backup(key, value, listed, first, last);
    }
    CheckListEnd("[Backup data]", kBackupData, false, key);
}

// The progress total, measured before anything is installed: on the first disk.
void ChoiceWalk::Measure() {
    measured_.clear();
    char value[kMaxPath];
    for (int key = 1; ReadListEntry(kLocalizedList, Language().installSection, key, value, kMaxPath); ++key) {
        FileEntryPlan plan;
        PlanFileEntry(value, places_, plan);
        int32_t bytes = MeasureEntry(plan, places_);
        measured_.push_back(bytes);
        totals_.progressTotal = AddByteCount(totals_.progressTotal, static_cast<uint32_t>(bytes));
    }
}

void ChoiceWalk::WalkEntries() {
    char value[kMaxPath];
    int key = 1;
    for (; ReadListEntry(kLocalizedList, Language().installSection, key, value, kMaxPath); ++key) {
        int32_t measured = static_cast<size_t>(key) <= measured_.size() ? measured_[static_cast<size_t>(key - 1)] : 0;
        WalkEntry(key, value, measured);
    }
    CheckListEnd(std::string("the file list [") + Language().installSection + "]", Language().installSection, true, key);
}

void ChoiceWalk::Written(const std::string& path, const std::string& writer, bool skippedLater) {
    std::string earlier = s_.tracker.Write(path, writer);
    if (earlier.empty()) return;
    Note("same-target", path + " is written by " + earlier + " and again by " + writer +
                            (skippedLater ? "; the later is skipped (stamped 00:00:00)" : "; the later wins"));
}

void ChoiceWalk::WalkEntry(int key, const char* value, int32_t measured) {
    FileEntryPlan plan;
    PlanFileEntry(value, places_, plan);
    EntryFacts facts;
    facts.key = key;
    facts.value = value;
    facts.file = plan.file;
    facts.kind = plan.kind;
    facts.action = DescribeEntryAction(plan.action);
    facts.target = plan.target;
    facts.shared = IsSharedFileEntry(plan);
    SearchRecord source;
    facts.sourceFound = plan.sourceFits && FindEntry(plan.source, source) && !(source.attributes & kEntryDirectory);
    facts.sourceSize = facts.sourceFound ? source.size : 0;
    const std::string where = "the file list key " + KeyText(key) + " (" + plan.file + ")";
    if (!plan.sourceFits || !plan.targetFits) {
        Note("path-too-long", where + ": the " + (plan.sourceFits ? "target" : "source") +
                                  " path is over 259 characters");
        facts.note = "path over 259 characters: SETUP.EXE stops here";
        report_.Entry(facts);
        return;
    }
    if (plan.action == kUnpackArchive) {
        WalkArchiveEntry(plan, facts, measured);
    } else if (plan.action == kUnpackNestedArchives) {
        WalkNestedEntry(plan, facts, measured);
    } else {
        WalkCopy(plan, facts, source);
    }
}

void ChoiceWalk::WalkCopy(const FileEntryPlan& plan, EntryFacts& facts, const SearchRecord& source) {
    const std::string where = "the file list key " + KeyText(facts.key) + " (" + plan.file + ")";
    if (!facts.sourceFound) {
        Note("file-missing", where + ": " + plan.file + " is not in the distribution" +
                                 (facts.shared ? "; SETUP.EXE reports it and goes on" : "; SETUP.EXE stops there") +
                                 CaseHint(plan.file));
        facts.note = facts.shared ? "missing: reported, and the installation goes on"
                                  : "missing: a read error ends the installation";
        report_.Entry(facts);
        return;
    }
    if (plan.action == kCopyToDestination) {
        FileEntryPlan longPlan;
        PlanFileEntry(facts.value.c_str(), longPlaces_, longPlan);
        if (!longPlan.targetFits) {
            Note("long-destination", where + ": over 259 characters under a destination of 100 characters");
        }
    }
    // A plain copy makes no folders: one named in the entry must have come
    // with an earlier archive member.
    const char* folderEnd = ScanCharBack(plan.file, '\\');
    if (plan.action == kCopyToDestination && folderEnd) {
        std::string folder = std::string(places_.destination) + std::string(plan.file, folderEnd - plan.file + 1);
        if (!s_.tracker.FolderExists(folder)) {
            Note("folder-missing", where + ": no earlier archive member makes the folder " + folder +
                                       "; the copy fails and SETUP.EXE stops there");
            facts.note = "the folder is missing: a write error ends the installation";
            report_.Entry(facts);
            return;
        }
    }
    facts.writes = true;
    if (facts.shared) facts.note = "replaces an existing file only when it is newer";
    report_.Entry(facts);
    totals_.files += 1;
    totals_.bytes += source.size;
    Written(plan.target, "the file list key " + KeyText(facts.key) + " (" + plan.file + ")", false);
}

std::string NotZipReason(const char* path) {
    FileHandle file = OpenExistingFile(path, kModeRead | kShareCompatible);
    if (file == kInvalidFile) return "it cannot be read";
    unsigned char head[4] = {0, 0, 0, 0};
    uint16_t got = 0;
    ReadBlock(file, head, sizeof head, &got);
    CloseFileHandle(file);
    if (got >= 4 && head[0] == 'P' && head[1] == 'K' && head[2] == 7 && head[3] == 8) {
        return "it is a piece of a split archive (zip -s), which SETUP.EXE cannot read; see the guide on disks";
    }
    if (got >= 2 && head[0] == 'M' && head[1] == 'Z') {
        return "it is a program that carries no archive SETUP.EXE can find";
    }
    if (!ScanChar(path, '.')) return "its name has no dot";
    return "it does not start with a ZIP local header";
}

void ChoiceWalk::WalkArchiveEntry(const FileEntryPlan& plan, EntryFacts& facts, int32_t measured) {
    const std::string where = "the file list key " + KeyText(facts.key) + " (" + plan.file + ")";
    if (!facts.sourceFound) {
        Note("file-missing", where + ": " + plan.file + " is not in the distribution; SETUP.EXE stops there" +
                                 CaseHint(plan.file));
        facts.note = "missing: a read error ends the installation";
        report_.Entry(facts);
        return;
    }
    if (!IsZipArchive(plan.source)) {
        std::string reason = NotZipReason(plan.source);
        Note("not-zip", where + ": SETUP.EXE does not take " + plan.file + " for a ZIP archive: " + reason);
        facts.note = "not a ZIP archive: a read error ends the installation";
        report_.Entry(facts);
        return;
    }
    report_.Entry(facts);
    ArchiveSpot spot;
    spot.path = plan.source;
    unsigned char head[2] = {0, 0};
    FileHandle file = OpenExistingFile(plan.source, kModeRead | kShareCompatible);
    if (file != kInvalidFile) {
        uint16_t got = 0;
        ReadBlock(file, head, sizeof head, &got);
        CloseFileHandle(file);
    }
    const char* form = head[0] == 'M' && head[1] == 'Z' ? "self-extracting program" : "ZIP archive";
    int64_t wanted = WalkArchive(plan.file, form, spot, plan.target);
    if (wanted != measured) {
        Note("not-measured", where + ": the progress total counts " + std::to_string(measured) + " of its " +
                                 std::to_string(wanted) + " bytes (measured on the first disk)");
    }
}

void ChoiceWalk::WalkNestedEntry(const FileEntryPlan& plan, EntryFacts& facts, int32_t measured) {
    const std::string where = "the file list key " + KeyText(facts.key) + " (" + plan.file + ")";
    const char* member = plan.hasMember ? plan.member : nullptr;
    ZipDirectory listing;
    int r = facts.sourceFound ? OpenZipDirectory(plan.source, listing, 0, 0) : kListingUnreadable;
    if (r != kListingEntry) {
        Note("nested-nothing", where + ": " + plan.file +
                                   (facts.sourceFound ? " cannot be listed" : " is not in the distribution") +
                                   "; the entry installs nothing, and SETUP.EXE says nothing");
        facts.note = "installs nothing";
        report_.Entry(facts);
        return;
    }
    report_.Entry(facts);
    int chosen = 0;
    bool namedButPacked = false;
    int64_t wanted = 0;
    for (; r == kListingEntry; r = NextZipEntry(listing)) {
        ZipEntry entry = listing.entry;
        if (!IsChosenInnerArchive(entry, member)) {
            ZipEntry stored = entry;
            stored.method = 0;
            namedButPacked = namedButPacked || (member && IsChosenInnerArchive(stored, member));
            continue;
        }
        ++chosen;
        const std::string label = plan.file + std::string(" > ") + entry.name;
        uint32_t start = 0;
        if (!InnerArchiveStart(plan.source, entry.headerOffset, start)) {
            Note("bad-data", label + ": its local header cannot be read; SETUP.EXE stops there");
            continue;
        }
        ArchiveSpot spot;
        spot.path = plan.source;
        spot.base = start;
        spot.length = static_cast<int32_t>(entry.packedSize);
        wanted += WalkArchive(label, "inner archive at offset " + std::to_string(start), spot, plan.target);
    }
    CloseZipDirectory(listing);
    if (chosen == 0) {
        std::string why = member ? std::string("no stored member is named ") + member : "it has no stored member";
        if (namedButPacked) why = std::string("its member ") + member + " is compressed, and only stored ones are unpacked";
        Note("nested-nothing", where + ": " + why + "; the entry installs nothing");
    }
    if (wanted != measured) {
        Note("not-measured", where + ": the progress total counts " + std::to_string(measured) + " of its " +
                                 std::to_string(wanted) + " bytes (measured on the first disk)");
    }
}

int64_t ChoiceWalk::WalkArchive(const std::string& label, const std::string& form, const ArchiveSpot& spot,
                                const char* targetPath) {
    ArchiveFacts archive;
    archive.label = label;
    archive.form = form;
    archive.disk = s_.drive.CurrentDisk();
    report_.Archive(archive);
    s_.inspector.Inspect(label, spot);
    char targetDirectory[kMaxPath];
    CopyBounded(targetDirectory, targetPath, kMaxPath);
    *NamePart(targetDirectory, '\\') = '\0';
    int64_t wanted = 0;
    ZipDirectory listing;
    // One open archive for the entry's members, as SETUP.EXE keeps it.
    ArchiveSession session;
    BeginArchiveSession(session, spot.path.c_str());
    for (int r = OpenZipDirectory(spot.path.c_str(), listing, spot.base, spot.length); r == kListingEntry;
         r = NextZipEntry(listing)) {
        MemberFacts facts;
        WalkMember(label, spot, listing.entry, targetDirectory, session, facts);
        if (facts.status != "skip") wanted += listing.entry.size;
        report_.Member(facts);
    }
    EndArchiveSession(session);
    CloseZipDirectory(listing);
    return wanted;
}

void ChoiceWalk::WalkMember(const std::string& label, const ArchiveSpot& spot, const ZipEntry& entry,
                            const char* targetDirectory, ArchiveSession& session, MemberFacts& facts) {
    MemberPlan plan;
    PlanMember(entry.name, targetDirectory, places_, plan);
    facts.name = entry.name;
    facts.size = entry.size;
    facts.folder = plan.isDirectory || IsFolderMember(entry);
    const std::string member = label + ": member " + entry.name;
    char text[kMaxPath + 64];
    DescribeMemberPlan(plan, places_.versionMask, text, sizeof text);
    if (!MemberWanted(plan)) {
        facts.status = "skip";
        facts.detail = text;
        if (places_.versionMask == 0 && plan.versionBits != 0) {
            Note("version-mask", member + " is never installed: the version mask is 0 (Vernum 0 or missing)");
        }
        return;
    }
    if (plan.verdict != kMemberInstalled) {
        facts.status = "refuse";
        facts.detail = text;
        if (plan.verdict == kMemberTooLong) {
            Note("path-too-long", member + " would be over 259 characters under " + places_.destination +
                                      (plan.placement == kPlacedInDestination ? "; SETUP.EXE stops there"
                                                                              : "; SETUP.EXE reports it and goes on"));
        } else {
            Note("member-refused", member + ": " + text + "; SETUP.EXE stops there with a read error");
        }
        return;
    }
    if (plan.placement == kPlacedInDestination) {
        MemberPlan longPlan;
        PlanMember(entry.name, LongDestination().c_str(), longPlaces_, longPlan);
        if (longPlan.verdict == kMemberTooLong) {
            Note("long-destination", member + ": over 259 characters under a destination of 100 characters");
        }
    }
    facts.output = plan.output;
    std::string output = plan.output;
    if (facts.folder) {
        facts.status = "install";
        facts.detail = "folder";
        s_.tracker.MakeFolder(output);
        if (!output.empty() && output.back() == '\\') output.pop_back();
        s_.tracker.Write(output, member);
        return;
    }
    // The installer's rules for what is there already: a read-only member
    // goes in under a $ name (a leftover of that name removed first) and
    // replaces the file only when newer; otherwise only members that
    // replace existing files are written over them.
    bool exists = s_.tracker.Exists(output);
    bool redirected = (entry.attributes & 1) && exists;
    if (redirected) {
        char temporary[kMaxPath];
        ReadOnlyTemporaryName(output.c_str(), temporary);
        output = temporary;
        exists = false;
    }
    if (!MemberReplacesExisting(plan, entry.stamp) && exists) {
        facts.status = "keep";
        facts.detail = plan.placement == kPlacedInDestination ? "kept: stamped 00:00:00 and the file exists"
                                                              : "kept: the file exists, and this folder is shared";
        Written(output, member, true);
        return;
    }
    ExtractResult outcome = s_.inspector.DecodesEveryMember()
                                ? s_.inspector.KnownOutcome(spot, entry.headerOffset)
                                : s_.inspector.DecodeNow(label, spot, entry, session);
    if (outcome != kExtractOk) {
        facts.status = "fail";
        facts.detail = "cannot be extracted: SETUP.EXE stops there";
        return;
    }
    facts.status = "install";
    if (redirected) facts.detail = "read-only: replaces the earlier file only when newer";
    facts.writes = true;
    totals_.files += 1;
    totals_.bytes += entry.size;
    Written(plan.output, member, false);
}

void ChoiceWalk::WalkProfiles() {
    char line[kMaxPath];
    int key = 1;
    for (; key <= kLastProfileEntryKey; ++key) {
        if (!ReadListEntry(kLocalizedList, Language().iniSection, key, line, kMaxPath)) break;
        ProfileEntryPlan plan;
        PlanProfileEntry(line, plan);
        ProfileFacts facts;
        facts.key = key;
        facts.action = plan.action == kProfileWrite ? "write" : plan.action == kProfileDelete ? "delete" : "nothing";
        facts.file = plan.file ? plan.file : "";
        facts.section = plan.section ? plan.section : "";
        facts.name = plan.key ? plan.key : "";
        facts.value = plan.value ? plan.value : "";
        const std::string where = std::string("[") + Language().iniSection + "] key " + KeyText(key);
        if (plan.valueCut) {
            Note("profile-comma", where + ": the value of " + facts.name + " holds a comma; only " +
                                      Quoted(facts.value) + " is written");
        }
        if (plan.action == kProfileNothing) Note("profile-nothing", where + ": no key given; the entry does nothing");
        report_.Profile(facts);
    }
    bool atLimit = key > kLastProfileEntryKey;
    CheckListEnd(std::string("[") + Language().iniSection + "]", Language().iniSection, true,
                 atLimit ? kLastProfileEntryKey : key, atLimit);
}

bool RecordAll(const char* path, void* context) {
    static_cast<std::vector<std::string>*>(context)->push_back(path);
    return false;
}

bool PlannedToExist(const char* path, void* context) {
    return static_cast<TargetTracker*>(context)->WatchedExists(path);
}

std::vector<std::string> ChoiceWalk::GroupPaths() {
    ApplyChoiceLanguage(choice_);
    PreparePlaces();
    std::vector<std::string> paths;
    ProgramItems items;
    CollectProgramItems(Language().groupSection, places_.destination, items, RecordAll, &paths);
    return paths;
}

void ChoiceWalk::WalkGroup() {
    GroupFacts group;
    char longName[kMaxPath];
    LocalizedRead(Language().groupSection, "Groupname", "none", longName, kMaxPath);
    char name[kGroupNameSize];
    LocalizedRead(Language().groupSection, "Groupname", "none", name, kGroupNameSize);
    group.name = name;
    group.offered = strcmp(name, "none") != 0;
    const std::string where = std::string("[") + Language().groupSection + "]";
    if (strlen(longName) >= static_cast<size_t>(kGroupNameSize)) {
        Note("group-name-long", where + " Groupname " + Quoted(longName) + " is over 63 characters; the group is named " +
                                    Quoted(name));
    }
    // Every line, to name those the group leaves out.
    int lines = 0;
    char value[kItemLineSize];
    const size_t baseLength = strlen(places_.destination);
    for (int key = 1; ReadListEntry(kLocalizedList, Language().groupSection, key, value, kItemLineSize); ++key) {
        ++lines;
        if (group.offered && baseLength + strlen(value) > static_cast<size_t>(kItemLineSize - 1)) {
            Note("group-item-missing", where + " key " + KeyText(key) + ": with the destination " +
                                           places_.destination + " the item is over 127 characters and left out");
        }
    }
    CheckListEnd(where, Language().groupSection, true, lines + 1);
    ProgramItems items;
    std::vector<std::string> asked;
    CollectProgramItems(Language().groupSection, places_.destination, items, RecordAll, &asked);
    CollectProgramItems(Language().groupSection, places_.destination, items, PlannedToExist, &s_.tracker);
    for (int i = 0; i < items.count; ++i) group.items.push_back(std::make_pair(std::string(items.lines[i]), true));
    if (group.offered) {
        size_t shown = 0;
        for (const std::string& path : asked) {
            if (s_.tracker.WatchedExists(path)) {
                ++shown;
                if (shown > static_cast<size_t>(kMaxProgramItems)) {
                    Note("list-limit", where + ": more than 20 items exist; " + path + " and later ones are left out");
                    break;
                }
                continue;
            }
            Note("group-item-missing", where + ": " + path + " is installed by no entry; the group leaves it out");
            group.items.push_back(std::make_pair(path, false));
        }
    }
    report_.Group(group);
}

// A list ends at endKey (empty or missing), or at its limit; keys after it
// are never read.
void ChoiceWalk::CheckListEnd(const std::string& what, const char* section, bool localized, int endKey, bool atLimit) {
    std::vector<int> past = s_.outline.NumberedKeysAbove(section, endKey);
    if (localized && Language().index != kLanguageEnglish) {
        std::string base = section;
        if (!base.empty()) base.pop_back();
        std::vector<int> more = s_.outline.NumberedKeysAbove(base, endKey);
        past.insert(past.end(), more.begin(), more.end());
    }
    if (past.empty()) return;
    int first = past.front();
    for (int n : past) first = n < first ? n : first;
    if (atLimit) {
        Note("list-limit", what + ": only keys 1 to " + KeyText(endKey) + " are read; key " + KeyText(first) +
                               " and later are ignored");
    } else {
        Note("list-gap", what + " ends at key " + KeyText(endKey) + " (empty or missing); key " + KeyText(first) +
                             " and later are never read");
    }
}

}  // namespace

ChoiceTotals WalkChoice(WalkSetting& setting, const ChoiceFacts& choice, Report& report) {
    SilentReport silent;
    setting.findings.SetChoice(choice.label);
    setting.tracker.BeginFirstPass();
    setting.drive.Restart();
    ChoiceWalk(setting, choice, silent, false).Run();
    setting.tracker.BeginSecondPass(ChoiceWalk(setting, choice, silent, false).GroupPaths());
    setting.drive.Restart();
    ChoiceTotals totals = ChoiceWalk(setting, choice, report, true).Run();
    setting.findings.SetChoice(std::string());
    return totals;
}
