#include "checker/distribution_check.h"

#include <cstring>

#include "checker/archive_inspector.h"
#include "checker/choices.h"
#include "checker/disk_drive.h"
#include "checker/disk_order.h"
#include "checker/inf_outline.h"
#include "checker/plan_walk.h"
#include "checker/platform.h"
#include "checker/progress_line.h"
#include "checker/target_tracker.h"
#include "fs/path_utils.h"
#include "setup/language.h"
#include "setup/setup_info.h"

namespace {

const char kProgramName[] = "SETUP.EXE";

// The folder's entry of that name, whatever its case (the customer's file
// systems ignore case); empty when there is none.
std::string EntryNamed(const std::string& folder, const std::string& name) {
    std::string found;
    for (const std::string& entry : FolderNames(folder)) {
        if (entry == name) return entry;
        if (found.empty() && SameNameIgnoringCase(entry, name)) found = entry;
    }
    return found;
}

std::string InfFilesIn(const std::string& folder) {
    std::string list;
    for (const std::string& entry : FolderNames(folder)) {
        if (entry.size() > 4 && SameNameIgnoringCase(entry.substr(entry.size() - 4), ".inf")) {
            list += (list.empty() ? "" : ", ") + entry;
        }
    }
    return list;
}

// Removes the scratch folder and returns to where the checker started,
// whatever way the check ends.
class Cleanup {
public:
    explicit Cleanup(std::string start) : start_(std::move(start)) {}
    ~Cleanup() {
        if (!start_.empty()) ChangeFolder(start_);
        if (!scratch.empty()) RemoveScratchFolder(scratch);
    }
    std::string scratch;

private:
    std::string start_;
};

}  // namespace

int ExitStatusOf(bool ran, const Findings& findings) {
    if (!ran) return 2;
    return findings.Count(kSeverityError) > 0 ? 1 : 0;
}

bool CheckDistribution(const CheckOptions& options, Report& report, Findings& findings, std::string& failure) {
    const std::string folder = FullFolderPath(options.distribution);
    if (folder.empty()) {
        failure = "cannot read the distribution folder " + options.distribution;
        return false;
    }
    std::vector<std::string> disks = {folder};
    for (const std::string& disk : options.disks) {
        std::string full = FullFolderPath(disk);
        if (full.empty()) {
            failure = "cannot read the disk folder " + disk;
            return false;
        }
        disks.push_back(full);
    }
    DistributionFacts facts;
    facts.disks = static_cast<int>(disks.size());
    facts.program = EntryNamed(folder, kProgramName);
    if (facts.program.empty()) {
        findings.Add("program-missing", std::string("no ") + kProgramName + " in " + options.distribution +
                                            "; SETUP.inf is checked as SETUP.EXE would look for it");
        facts.program = kProgramName;
    }
    char infName[kMaxPath];
    SetupInfoPathFor(facts.program.c_str(), infName);
    facts.setupInfo = infName;
    const std::string infEntry = EntryNamed(folder, infName);
    Summary summary;
    if (infEntry.empty()) {
        std::string others = InfFilesIn(folder);
        findings.Add("inf-missing", std::string(infName) + " is missing: " + facts.program + " looks for " + infName +
                                        " beside itself" + (others.empty() ? "" : " (found " + others + ")"));
        report.Begin(facts);
        summary.errors = findings.Count(kSeverityError);
        summary.warnings = findings.Count(kSeverityWarning);
        summary.notes = findings.Count(kSeverityNote);
        report.End(findings, summary);
        return true;
    }
    const std::string infPath = JoinNative(folder, infEntry);
    SetSetupInfoPath(infPath.c_str());
    InfOutline outline;
    if (!outline.Load(infPath)) {
        failure = "cannot read " + infPath;
        return false;
    }
    char title[kMaxPath];
    ReadSetupString("Installation", "Program", "", title, kMaxPath);
    facts.title = title;

    std::vector<ChoiceFacts> choices;
    if (!ListChoices(options, choices, failure)) return false;

    Cleanup cleanup(FullFolderPath("."));
    cleanup.scratch = MakeScratchFolder();
    if (cleanup.scratch.empty()) {
        failure = "cannot make a scratch folder for decoded members";
        return false;
    }
    DiskDrive drive(disks);
    if (!drive.Restart()) {
        failure = "cannot enter the distribution folder " + folder;
        return false;
    }
    // From here on SETUP.inf is read where SETUP.EXE reads it: beside
    // itself, on the disk in the drive then.
    SetSetupInfoPath(JoinNative(".", infEntry).c_str());
    ProgressLine progress(StderrIsTerminal());
    // One disk: every member is decoded once, in directory order. Several:
    // members are decoded as SETUP.EXE reads them, so that the disks
    // change as its prompts would change them.
    ArchiveInspector inspector(drive, findings, progress, JoinNative(cleanup.scratch, "member"), disks.size() == 1);
    TargetTracker tracker;
    WalkSetting setting{options, outline, findings, drive, inspector, tracker};

    report.Begin(facts);
    CheckLanguageSections(outline, findings);
    std::vector<ChoiceTotals> walked;
    for (const ChoiceFacts& choice : choices) {
        ChoiceTotals totals = WalkChoice(setting, choice, report);
        walked.push_back(totals);
        if (totals.files > summary.files || (totals.files == summary.files && totals.bytes > summary.bytes)) {
            summary.files = totals.files;
            summary.bytes = totals.bytes;
        }
    }
    progress.Finish();
    CheckDiskOrder(disks, options.disks, findings);
    CheckVersionChoices(choices, walked, findings);
    for (int disk = 1; disk < drive.DiskCount(); ++disk) {
        if (!drive.WasUsed(disk)) {
            findings.Add("disk-unused", "--disk " + options.disks[static_cast<size_t>(disk - 1)] + " (disk " +
                                            std::to_string(disk) + ") is never asked for");
        }
    }
    ResetLanguage();
    summary.errors = findings.Count(kSeverityError);
    summary.warnings = findings.Count(kSeverityWarning);
    summary.notes = findings.Count(kSeverityNote);
    report.End(findings, summary);
    return true;
}
