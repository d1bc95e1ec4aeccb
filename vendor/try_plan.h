// The checker's plan of one choice, as a try compares it with what SETUP.EXE
// left behind: the files that land (by upper-case path, with size and
// CRC-32), the profile entries, the group, and which dialogs are asked.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "checker/distribution_check.h"
#include "checker/report.h"

struct PlannedFile {
    uint32_t size = 0;
    uint32_t crc = 0;
};

class TryPlan : public SilentReport {
public:
    void Begin(const DistributionFacts& facts) override { title = facts.title; }
    void BeginChoice(const ChoiceFacts& facts) override;
    void Destination(const std::string& path, const std::string& origin) override;
    void Entry(const EntryFacts& entry) override;
    void Member(const MemberFacts& member) override;
    void Profile(const ProfileFacts& profile) override { profiles.push_back(profile); }
    void Group(const GroupFacts& facts) override { group = facts; }

    std::string title;  // Program of [Installation]: the destination dialog's caption
    int choices = 0;
    ChoiceFacts choice;
    std::string destination;
    std::map<std::string, PlannedFile> files;  // upper-case path
    std::vector<ProfileFacts> profiles;
    GroupFacts group;
};

// Plans exactly one choice; false with the reason when the checker could
// not run or the options name more than one choice.
bool PlanOneChoice(const CheckOptions& options, TryPlan& plan, Findings& findings, std::string& failure);

// Upper-case, as Windows compares names.
std::string UpperName(std::string text);

// The CRC-32 of a file's bytes; false when it cannot be read.
bool FileCrc(const std::string& path, uint32_t& crc);
