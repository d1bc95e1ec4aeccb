#include <algorithm>
#include <cstring>

#include "checker/choice_walk.h"
#include "checker/choices.h"
#include "checker/member_names.h"
#include "checker/version_resource.h"
#include "fs/path_utils.h"
#include "install/data_backup.h"
#include "install/profile_entries.h"
#include "install/program_group.h"
#include "install/run_installation.h"
#include "install/running_program_entry.h"
#include "progman/program_items.h"
#include "setup/destination_entry.h"
#include "setup/language.h"
#include "setup/numbered_list.h"
#include "setup/setup_info.h"
#include "unzip/zip_directory.h"

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

bool RecordAll(const char* path, void* context) {
    static_cast<std::vector<std::string>*>(context)->push_back(path);
    return false;
}

bool PlannedToExist(const char* path, void* context) {
    return static_cast<TargetTracker*>(context)->WatchedExists(path);
}

}  // namespace

ChoiceTotals ChoiceWalk::Run() {
    ApplyChoiceLanguage(choice_);
    PreparePlaces();
    report_.BeginChoice(choice_);
    WalkDestination();
    WalkRunningPrograms();
    WalkBackups();
    Measure();
    WalkFileList();
    report_.EndChoice(totals_);
    return totals_;
}

void ChoiceWalk::PreparePlaces() {
    memset(&places_, 0, sizeof places_);
    // The drive holds the distribution: its files are named relative to it.
    places_.setupDirectory[0] = '\0';
    char typed[kMaxPath];
    if (!s_.options.destination.empty()) {
        CopyBounded(typed, s_.options.destination.c_str(), kMaxPath);
    } else {
        ReadSetupString("Destination", "Dir", "c:\\install", typed, kMaxPath);
    }
    PlaceDestination(places_, typed);
    CopyBounded(places_.windowsDirectory, s_.options.windowsDirectory.c_str(), kMaxPath - 1);
    AddBackslash(places_.windowsDirectory);
    CopyBounded(places_.systemDirectory, s_.options.systemDirectory.c_str(), kMaxPath - 1);
    AddBackslash(places_.systemDirectory);
    places_.versionMask = choice_.versionMask;
    PlaceLanguage(places_, Language());
    ReadSetupString("LangName", "langdir", "", places_.languageDirectory, kMaxPath);
    longPlaces_ = places_;
    CopyBounded(longPlaces_.destination, LongDestination().c_str(), kMaxPath);
}

// The members SETUP.EXE never looks at: those after the one that ended the
// installation, in the directory's order. On a later disk the archive's
// piece there has no directory, and they go unnamed.
void ChoiceWalk::ReportMembersAfter(uint32_t headerOffset) {
    ZipDirectory listing;
    bool after = false;
    for (int r = OpenZipDirectory(spot_.path.c_str(), listing, spot_.base, spot_.length); r == kListingEntry;
         r = NextZipEntry(listing)) {
        if (!after) {
            after = listing.entry.headerOffset == headerOffset;
            continue;
        }
        MemberFacts later;
        later.name = listing.entry.name;
        later.size = listing.entry.size;
        later.status = "stopped";
        later.detail = "not reached: SETUP.EXE stopped before it";
        report_.Member(later);
    }
    CloseZipDirectory(listing);
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

void ChoiceWalk::Written(const std::string& path, const std::string& writer, bool skippedLater) {
    totals_.written.push_back(path + " <- " + writer);
    std::string earlier = s_.tracker.Write(path, writer);
    if (earlier.empty()) return;
    Note("same-target", path + " is written by " + earlier + " and again by " + writer +
                            (skippedLater ? "; the later is skipped (stamped 00:00:00)" : "; the later wins"));
}

void ChoiceWalk::WalkProfiles() {
    char line[kMaxPath];
    int key = 1;
    for (; key <= kLastProfileEntryKey; ++key) {
        if (!ReadListEntry(kLocalizedList, places_.iniSection, key, line, kMaxPath)) break;
        ProfileEntryPlan plan;
        PlanProfileEntry(line, plan);
        ProfileFacts facts;
        facts.key = key;
        facts.action = plan.action == kProfileWrite ? "write" : plan.action == kProfileDelete ? "delete" : "nothing";
        facts.file = plan.file ? plan.file : "";
        facts.section = plan.section ? plan.section : "";
        facts.name = plan.key ? plan.key : "";
        facts.value = plan.value ? plan.value : "";
        const std::string where = std::string("[") + places_.iniSection + "] key " + KeyText(key);
        if (plan.valueCut) {
            Note("profile-comma", where + ": the value of " + facts.name + " holds a comma; only " +
                                      Quoted(facts.value) + " is written");
        }
        if (plan.action == kProfileNothing) Note("profile-nothing", where + ": no key given; the entry does nothing");
        report_.Profile(facts);
    }
    bool atLimit = key > kLastProfileEntryKey;
    CheckListEnd(std::string("[") + places_.iniSection + "]", places_.iniSection, true,
                 atLimit ? kLastProfileEntryKey : key, atLimit);
}

std::vector<std::string> ChoiceWalk::GroupPaths() {
    ApplyChoiceLanguage(choice_);
    PreparePlaces();
    std::vector<std::string> paths;
    ProgramItems items;
    CollectProgramItems(places_.groupSection, places_.destination, items, RecordAll, &paths);
    return paths;
}

void ChoiceWalk::WalkGroup() {
    GroupFacts group;
    char longName[kMaxPath];
    LocalizedRead(places_.groupSection, "Groupname", "none", longName, kMaxPath);
    char name[kGroupNameSize];
    LocalizedRead(places_.groupSection, "Groupname", "none", name, kGroupNameSize);
    group.name = name;
    group.offered = strcmp(name, "none") != 0;
    const std::string where = std::string("[") + places_.groupSection + "]";
    if (strlen(longName) >= static_cast<size_t>(kGroupNameSize)) {
        Note("group-name-long", where + " Groupname " + Quoted(longName) + " is over 63 characters; the group is named " +
                                    Quoted(name));
    }
    // Every line, to name those the group leaves out.
    int lines = 0;
    char value[kItemLineSize];
    const size_t baseLength = strlen(places_.destination);
    for (int key = 1; ReadListEntry(kLocalizedList, places_.groupSection, key, value, kItemLineSize); ++key) {
        ++lines;
        if (group.offered && baseLength + strlen(value) > static_cast<size_t>(kItemLineSize - 1)) {
            Note("group-item-missing", where + " key " + KeyText(key) + ": with the destination " +
                                           places_.destination + " the item is over 127 characters and left out");
        }
    }
    CheckListEnd(where, places_.groupSection, true, lines + 1);
    ProgramItems items;
    std::vector<std::string> asked;
    CollectProgramItems(places_.groupSection, places_.destination, items, RecordAll, &asked);
    CollectProgramItems(places_.groupSection, places_.destination, items, PlannedToExist, &s_.tracker);
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

// The numbered keys after endKey that the list never reads, in order.
std::vector<int> ChoiceWalk::KeysPast(const char* section, bool localized, int endKey) const {
    std::vector<int> past = s_.outline.NumberedKeysAbove(section, endKey);
    if (localized && Language().index != kLanguageEnglish) {
        std::string base = section;
        if (!base.empty()) base.pop_back();
        std::vector<int> more = s_.outline.NumberedKeysAbove(base, endKey);
        past.insert(past.end(), more.begin(), more.end());
    }
    std::sort(past.begin(), past.end());
    past.erase(std::unique(past.begin(), past.end()), past.end());
    return past;
}

// A list ends at endKey (empty or missing), or at its limit; keys after it
// are never read.
void ChoiceWalk::CheckListEnd(const std::string& what, const char* section, bool localized, int endKey, bool atLimit) {
    std::vector<int> past = KeysPast(section, localized, endKey);
    if (past.empty()) return;
    int first = past.front();
    if (atLimit) {
        Note("list-limit", what + ": only keys 1 to " + KeyText(endKey) + " are read; key " + KeyText(first) +
                               " and later are ignored");
    } else {
        Note("list-gap", what + " ends at key " + KeyText(endKey) + " (empty or missing); key " + KeyText(first) +
                             " and later are never read");
    }
}

// The message names no section: the lettered sections of every language
// that reads the same keys give one finding.
void ChoiceWalk::CheckFileListEnd(int endKey) {
    std::vector<int> past = KeysPast(places_.installSection, true, endKey);
    if (past.empty()) return;
    std::string dropped;
    for (int key : past) {
        char value[kMaxPath];
        if (!ReadListEntry(kLocalizedList, places_.installSection, key, value, kMaxPath)) continue;
        FileEntryPlan plan;
        PlanFileEntry(value, places_, plan);
        if (!plan.sourceFits || !s_.drive.AnyDiskHolds(plan.source)) continue;
        dropped += (dropped.empty() ? "" : ", ") + KeyText(key) + "=" + value;
    }
    const std::string gap = "the file list ends at key " + KeyText(endKey) + " (empty or missing); key " +
                            KeyText(past.front()) + " and later are never read";
    if (dropped.empty()) {
        Note("list-gap", gap);
    } else {
        Note("list-gap-drops", gap + ", so SETUP.EXE never installs these files of the distribution: " + dropped);
    }
}

bool ChoiceWalk::ReadEntry(int key, char* value) {
    CheckInfOnDisk("the file list from key " + KeyText(key) + " on, the profile entries and the group");
    if (ReadListEntry(kLocalizedList, places_.installSection, key, value, kMaxPath)) {
        FileEntryPlan plan;
        PlanFileEntry(value, places_, plan);
        BeginEntry(key, value, plan);
        return true;
    }
    listEnd_ = key;
    LostOnDisk("the file list's keys from " + KeyText(key) + " on", places_.installSection, KeyText(key));
    return false;
}

void ChoiceWalk::CheckInfOnDisk(const std::string& what) {
    int disk = s_.drive.CurrentDisk();
    if (infDiffersTold_ || disk == 0 || !SetupInfoExists() || s_.drive.SameAsFirstDisk(SetupInfoPath() + 2)) return;
    infDiffersTold_ = true;
    Note("inf-differs", "disk " + std::to_string(disk) + "'s " + (SetupInfoPath() + 2) +
                            " differs from the first disk's, and SETUP.EXE reads " + what +
                            " from it, the disk in the drive then, not from the first disk's; "
                            "put the same SETUP.inf on every disk");
}

std::string ChoiceWalk::SharedCopyNote(const FileEntryPlan& plan) {
    if (HasVersionResource(plan.source)) return "replaces an existing file only when it is newer";
    Note("no-version-resource", where_ + ": " + plan.file + " has no version resource, so the version check "
                                    "keeps any existing file of its name: SETUP.EXE copies it only where there is none");
    return "no version resource: copied only where no file of its name exists";
}

void ChoiceWalk::CheckMemberName(const MemberPlan& plan, const std::string& member) {
    std::string folder = MistypedVersionFolder(plan.name);
    if (plan.versionBits == 0 && !folder.empty()) {
        Note("version-folder", member + ": the folder " + folder + "\\ is no version prefix (16\\ or 32\\), so "
                                   "the member is installed whatever version is chosen, into " + folder + "\\");
    }
    std::string longPart = FirstLongComponent(plan.name);
    if ((plan.versionBits & 1) && !longPart.empty()) {
        Note("long-name-16", member + ": " + longPart + " is no 8.3 name; a 16-bit program sees only its short name");
    }
}

void ChoiceWalk::LostOnDisk(const std::string& what, const std::string& section, const std::string& key) {
    int disk = s_.drive.CurrentDisk();
    if (disk == 0) return;
    if (SetupInfoExists()) {
        CheckInfOnDisk(what);
        return;
    }
    std::string base = section;
    if (Language().index != kLanguageEnglish && !base.empty()) base.pop_back();
    if (!s_.outline.HasKey(section, key) && !s_.outline.HasKey(base, key)) return;
    Note("inf-not-on-disk", "disk " + std::to_string(disk) + " has no " + (SetupInfoPath() + 2) + ", and SETUP.EXE reads " +
                                what + " from it, the disk in the drive then: it finds none and says nothing; "
                                "put SETUP.inf on every disk");
}

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
