// The checker's plan is the truth: for a language and version choice, the
// files SETUP.EXE installs (names, sizes, places), the profile entries it
// writes and the group items it creates are exactly those the checker
// plans for the same choice (sizes and CRC-32s too), also where the
// installation stops early or loses values. Distributions: the demo, atlas
// (three languages, both versions, lettered sections, a nested archive),
// orbit (an archive over
// three disks, swapped when SETUP.EXE asks, SETUP.inf on every disk; and
// without it on the last disk) and stopped (a member SETUP.EXE cannot
// decode).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "base/startup_flags.h"
#include "testlib/distribution.h"
#include "testlib/shell_group.h"
#include "testlib/window_driver.h"
#include "unzip/crc32.h"
#include "vendor/try_compare.h"
#include "vendor/try_drive.h"
#include "vendor/try_plan.h"

namespace {

const char kWindows[] = "C:\\windows";
const char kSystem[] = "C:\\windows\\system32";

struct Case {
    const char* distribution;  // a folder of CHECKER_DISTS_DIR
    int disks;                 // disk0, disk1, ... below it; 0: the folder itself
    int language;              // 0: no language dialog
    bool allLanguages;
    int versionMask;           // 0: no version dialog
    bool clean = true;         // the checker finds no error
    bool succeeds = true;      // SETUP.EXE ends with its success message
};

const char* FinalText(int language, bool succeeds) {
    if (!succeeds) return "Installation NOT successful!";
    if (language == 2) return "Installation erfolgreich!";
    if (language == 3) return "Installation compl\xE8te!";
    return "Installation successful!";
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

class PlanIsTheTruth : public testing::TestWithParam<Case> {
protected:
    static void SetUpTestSuite() {
        RecordStartupFlags();
        InitCrc32Table();
    }
    void SetUp() override {
        const Case& c = GetParam();
        const std::string source = std::string(CHECKER_DISTS_DIR) + "\\" + c.distribution;
        root_ = MakeTemporaryFolder("plan");
        destination_ = root_ + "\\app";
        folder_ = root_ + "\\dist";
        CreateDirectoryA(folder_.c_str(), nullptr);
        if (c.disks == 0) {
            // The demo's large file stays where it was made: SETUP.EXE is put beside it.
            folder_ = source;
            ownsFolder_ = false;
        } else {
            CopyFolderFiles(source + "\\disk0", folder_);
            for (int disk = 1; disk < c.disks; ++disk) disks_.push_back(source + "\\disk" + std::to_string(disk));
        }
        CopyFileA(SETUP_EXE_PATH, (folder_ + "\\SETUP.EXE").c_str(), FALSE);
        // What disk 0's SETUP.inf asks for, whether SETUP.EXE gets to it or not.
        const std::string inf = folder_ + "\\SETUP.inf";
        char value[260];
        GetPrivateProfileStringA("Group", "Groupname", "none", value, sizeof value, inf.c_str());
        listedGroup_ = value;
        GetPrivateProfileStringA("ini", "1", "", value, sizeof value, inf.c_str());
        listedProfile_ = value;
    }
    void TearDown() override {
        EndProcess(process_);
        for (const std::string& name : {plan_.group.name, listedGroup_}) {
            if (name.empty() || name == "none") continue;
            CloseGroupWindows(name);
            RemoveGroupFolder(name);
        }
        if (!listedProfile_.empty()) DeleteFileA(ProfilePath(listedProfile_.substr(0, listedProfile_.find(',')), kWindows).c_str());
        for (const auto& file : plan_.files) {
            if (UpperName(file.first).find(UpperName(destination_ + "\\")) != 0) DeleteFileA(file.first.c_str());
        }
        for (const ProfileFacts& profile : plan_.profiles) DeleteFileA(ProfilePath(profile.file, kWindows).c_str());
        if (!ownsFolder_) DeleteFileA((folder_ + "\\SETUP.EXE").c_str());
        RemoveTree(root_);
    }

    void Plan() {
        const Case& c = GetParam();
        CheckOptions options;
        options.distribution = folder_;
        options.disks = disks_;
        options.language = c.language;
        options.otherLanguages = c.allLanguages ? 1 : 0;
        options.versionMask = c.versionMask == 0 ? -1 : c.versionMask;
        options.destination = destination_;
        options.windowsDirectory = kWindows;
        options.systemDirectory = kSystem;
        Findings findings;
        std::string failure;
        ASSERT_TRUE(PlanOneChoice(options, plan_, findings, failure)) << failure;
        EXPECT_EQ(findings.Count(kSeverityError) == 0, c.clean);
    }

    // Plays the user: the choices of the case, the destination, Yes to the
    // group, OK to the end; swaps in the next disk when SETUP.EXE asks.
    TryRun Install(const std::string& caption) {
        const Case& c = GetParam();
        TryAnswers answers;
        answers.language = c.language;
        answers.allLanguages = c.allLanguages;
        answers.versionMask = c.versionMask;
        answers.destination = destination_;
        answers.caption = caption;
        return DriveSetup(folder_, disks_, answers, process_);
    }

    TryPlan plan_;
    DrivenProcess process_;
    std::string root_;
    std::string folder_;
    bool ownsFolder_ = true;
    std::vector<std::string> disks_;
    std::string destination_;
    std::string listedGroup_;
    std::string listedProfile_;
};

TEST_P(PlanIsTheTruth, InstalledFilesProfileEntriesAndGroupItemsAreThePlan) {
    Plan();
    if (HasFatalFailure()) return;
    char title[260];
    GetPrivateProfileStringA("Installation", "Program", "", title, sizeof title, (folder_ + "\\SETUP.inf").c_str());
    TryRun run = Install(std::string("Installation ") + title);
    EXPECT_EQ(run.lastMessage, FinalText(GetParam().language, GetParam().succeeds));
    // Every further disk was asked for once.
    EXPECT_EQ(run.swaps, static_cast<int>(disks_.size()));
    bool plansFiles = false;
    for (const auto& file : plan_.files) plansFiles |= UpperName(file.first).find(UpperName(destination_ + "\\")) == 0;
    EXPECT_TRUE(plansFiles);
    EXPECT_EQ(Lines(CompareFiles(plan_)), "");
    EXPECT_EQ(Lines(CompareProfiles(plan_, listedProfile_, kWindows)), "");
    EXPECT_EQ(Lines(CompareGroup(plan_, listedGroup_)), "");
}

INSTANTIATE_TEST_SUITE_P(Choices, PlanIsTheTruth,
                         testing::Values(Case{"demo", 0, 1, true, 2}, Case{"demo", 0, 2, false, 1},
                                         Case{"demo", 0, 3, false, 3}, Case{"atlas", 0, 1, true, 3},
                                         Case{"atlas", 0, 2, false, 2}, Case{"atlas", 0, 3, true, 1},
                                         Case{"orbit", 3, 1, true, 0}, Case{"orbit", 3, 2, false, 0},
                                         Case{"orbit-no-inf-last", 3, 1, true, 0, false},
                                         Case{"stopped", 0, 0, true, 0, false, false}));

}  // namespace
