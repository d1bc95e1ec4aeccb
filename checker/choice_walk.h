// One pass of a language and version choice. The file list is walked by
// the installation's own walk (install/installation_walk.h), with the
// checker as its walker: plan_walk.cpp gives the ports, which report each
// entry and member and note what the vendor should know. The sections
// around the list (destination, running programs, backups, profile
// entries, group, list ends) are in choice_sections.cpp.
#pragma once

#include <string>
#include <vector>

#include "checker/plan_walk.h"
#include "fs/file_search.h"
#include "install/installation_walk.h"

class ChoiceWalk {
public:
    ChoiceWalk(WalkSetting& setting, const ChoiceFacts& choice, Report& report, bool final)
        : s_(setting), choice_(choice), report_(report), final_(final) {}

    ChoiceTotals Run();
    // The paths the group's lines name, whether they exist or not.
    std::vector<std::string> GroupPaths();

private:
    // choice_sections.cpp
    void PreparePlaces();
    void WalkDestination();
    void WalkRunningPrograms();
    void WalkBackups();
    void WalkProfiles();
    void WalkGroup();
    void CheckListEnd(const std::string& what, const char* section, bool localized, int endKey, bool atLimit = false);
    std::vector<int> KeysPast(const char* section, bool localized, int endKey) const;
    // The file list's end: a gap that drops files of the distribution is
    // an error, told once whatever lettered section the language reads.
    void CheckFileListEnd(int endKey);
    // Reads the file list's key from the disk in the drive, as SETUP.EXE does.
    bool ReadEntry(int key, char* value);
    // A later disk's SETUP.inf that differs from disk 0's: noted once a walk.
    void CheckInfOnDisk(const std::string& what);
    // What a kind S or W copy does on the customer's machine.
    std::string SharedCopyNote(const FileEntryPlan& plan);
    // Member names that mislead: a mistyped version folder, a long name for
    // a 16-bit program.
    void CheckMemberName(const MemberPlan& plan, const std::string& member);
    // A key of disk 0's SETUP.inf (section, or its base section) that the
    // installer reads from the disk in the drive, lost there because that
    // disk has no SETUP.inf: noted.
    void LostOnDisk(const std::string& what, const std::string& section, const std::string& key);
    void Note(const std::string& code, const std::string& message) {
        if (final_) s_.findings.Add(code, message);
    }
    void Written(const std::string& path, const std::string& writer, bool skippedLater);

    // plan_walk.cpp: the file list.
    void Measure();
    void WalkFileList();
    void BeginEntry(int key, const char* value, const FileEntryPlan& plan);
    void ReportEntry(const std::string& note);
    EntryResult PlanCopy(const FileEntryPlan& plan);
    void BeginArchive(const ArchiveStep& step);
    void TakeMember(const MemberStep& step);
    void FlushMember(const std::string& consequence);
    void ReportMembersAfter(uint32_t headerOffset);
    void EndEntry(const FileEntryPlan& plan, EntryResult result);
    std::string Consequence() const;
    static WalkPorts Ports(ChoiceWalk* walk);

    WalkSetting& s_;
    const ChoiceFacts& choice_;
    Report& report_;
    bool final_;
    InstallPlaces places_;
    InstallPlaces longPlaces_;
    ChoiceTotals totals_;
    std::vector<int32_t> measured_;

    // The entry being walked.
    EntryFacts entry_;
    SearchRecord source_;
    bool entryReported_ = false;
    std::string where_;      // "the file list key N (file)"
    std::string cause_;      // why a copy fails, for its note
    bool stopped_ = false;
    int archives_ = 0;
    int64_t wanted_ = 0;
    std::string label_;      // the archive's
    ArchiveSpot spot_;
    bool memberPending_ = false;
    MemberFacts member_;     // reported once its consequence is known
    uint32_t memberOffset_ = 0;
    std::string memberCode_, memberFinding_;
    int listEnd_ = 1;
    bool infDiffersTold_ = false;
};
