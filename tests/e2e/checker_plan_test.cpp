// The checker's plan is the truth: for a language and version choice, the
// files SETUP.EXE installs (names, sizes, places), the profile entries it
// writes and the group items it creates are exactly those the checker
// plans for the same choice, also where the installation stops early or
// loses values. Distributions: the demo, atlas (three languages, both
// versions, lettered sections, a nested archive), orbit (an archive over
// three disks, swapped when SETUP.EXE asks, SETUP.inf on every disk; and
// without it on the last disk) and stopped (a member SETUP.EXE cannot
// decode).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/startup_flags.h"
#include "checker/distribution_check.h"
#include "checker/report.h"
#include "resources/resource.h"
#include "testlib/distribution.h"
#include "testlib/setup_run.h"
#include "testlib/shell_group.h"
#include "testlib/window_driver.h"
#include "unzip/crc32.h"

namespace {

const char kWindows[] = "C:\\windows";
const char kSystem[] = "C:\\windows\\system32";

std::string Upper(std::string text) {
    CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.size() >= start.size() && Upper(text.substr(0, start.size())) == Upper(start);
}

// What the checker plans, as the test compares it.
class PlanRecorder : public SilentReport {
public:
    void BeginChoice(const ChoiceFacts&) override { ++choices; }
    void Entry(const EntryFacts& entry) override {
        if (entry.writes) files[Upper(entry.target)] = entry.sourceSize;
    }
    void Member(const MemberFacts& member) override {
        if (member.writes) files[Upper(member.output)] = member.size;
    }
    void Profile(const ProfileFacts& profile) override { profiles.push_back(profile); }
    void Group(const GroupFacts& facts) override { group = facts; }

    int choices = 0;
    std::map<std::string, uint32_t> files;  // upper-case path: size
    std::vector<ProfileFacts> profiles;
    GroupFacts group;
};

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

// The installed files by upper-case relative name, as the plan names them.
std::map<std::string, uint32_t> InstalledFiles(const std::string& folder) {
    std::map<std::string, uint32_t> files;
    for (const auto& file : FilesBelow(folder)) files[Upper(file.first)] = file.second;
    return files;
}

void CopyFolderFiles(const std::string& from, const std::string& to) {
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CreateDirectoryA((to + "\\" + name).c_str(), nullptr);
            CopyFolderFiles(from + "\\" + name, to + "\\" + name);
        } else {
            CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
        }
    } while (FindNextFileA(search, &data));
    FindClose(search);
}

// A floppy swapped: only SETUP.EXE, already running, stays.
void EmptyFolderBut(const std::string& folder, const std::string& keep) {
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && Upper(name) != Upper(keep)) {
            DeleteFileA((folder + "\\" + name).c_str());
        }
    } while (FindNextFileA(search, &data));
    FindClose(search);
}

// A profile file named without a folder lies in the Windows directory.
std::string ProfilePath(const std::string& file) {
    if (file.find('\\') != std::string::npos) return file;
    return std::string(kWindows) + "\\" + file;
}

std::string LinkName(const std::string& line) {
    std::string path = line.substr(0, line.find('"'));
    std::string name = path.substr(path.rfind('\\') + 1);
    return Upper(name.substr(0, name.rfind('.')) + ".lnk");
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
        for (const std::string& name : {recorder_.group.name, listedGroup_}) {
            if (name.empty() || name == "none") continue;
            CloseGroupWindows(name);
            RemoveGroupFolder(name);
        }
        if (!listedProfile_.empty()) DeleteFileA(ProfilePath(listedProfile_.substr(0, listedProfile_.find(','))).c_str());
        for (const auto& file : recorder_.files) {
            if (!StartsWith(file.first, destination_ + "\\")) DeleteFileA(file.first.c_str());
        }
        for (const ProfileFacts& profile : recorder_.profiles) DeleteFileA(ProfilePath(profile.file).c_str());
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
        ASSERT_TRUE(CheckDistribution(options, recorder_, findings, failure)) << failure;
        ASSERT_EQ(recorder_.choices, 1);
        EXPECT_EQ(findings.Count(kSeverityError) == 0, c.clean);
    }

    // Plays the user: the choices of the case, the destination, Yes to the
    // group, OK to the end; swaps in the next disk when SETUP.EXE asks.
    std::string Install(const std::string& caption) {
        const Case& c = GetParam();
        if (!StartProcess(folder_ + "\\SETUP.EXE", folder_, process_)) return "<not started>";
        if (c.language != 0) {
            HWND dialog = WaitForWindow(process_, "Corvane", "#32770");
            if (!dialog) return "<no language dialog>";
            SelectListLine(dialog, IDC_LANGUAGE_LIST, c.language - 1);
            ClickButton(dialog, IDOK);
            HWND box = WaitForWindow(process_, "Install", "#32770");
            if (!box) return "<no language question>";
            ClickButtonByText(box, c.allLanguages ? "&Yes" : "&No");
        }
        if (c.versionMask != 0) {
            HWND version = WaitForWindow(process_, "Install version", "#32770");
            if (!version) return "<no version dialog>";
            if (c.versionMask & 1) ClickButton(version, IDC_VERSION_16);  // 32 is ticked at first
            if (!(c.versionMask & 2)) ClickButton(version, IDC_VERSION_32);
            ClickButton(version, IDOK);
        }
        if (!ConfirmDestination(process_, caption.c_str(), destination_)) return "<no destination dialog>";
        std::string last = "<no message>";
        DWORD start = GetTickCount();
        while (WaitForSingleObject(process_.process, 0) != WAIT_OBJECT_0 && GetTickCount() - start < 120000) {
            HWND box = WaitForMessageBox(process_, nullptr, 200);
            if (!box) continue;
            std::string text = MessageBoxText(box);
            int disk = 0;
            if (WindowText(box) == "Unzip" && sscanf(text.c_str(), "Please insert disk number %d", &disk) == 1 &&
                disk >= 1 && disk <= static_cast<int>(disks_.size())) {
                EmptyFolderBut(folder_, "SETUP.EXE");
                CopyFolderFiles(disks_[static_cast<size_t>(disk - 1)], folder_);
                ++swaps_;
                ClickButtonByText(box, "OK");
            } else if (text.find("group") != std::string::npos || text.find("Gruppe") != std::string::npos ||
                       text.find("groupe") != std::string::npos) {
                ClickButtonByText(box, "&Yes");
            } else {
                last = text;
                ClickButtonByText(box, "OK");
            }
            for (int i = 0; i < 200 && IsWindow(box) && IsWindowVisible(box); ++i) Sleep(25);
        }
        if (WaitForExit(process_, 5000) != 0) return "<no clean exit>";
        return last;
    }

    void CompareFiles() {
        std::map<std::string, uint32_t> planned;
        const std::string prefix = Upper(destination_ + "\\");
        for (const auto& file : recorder_.files) {
            if (StartsWith(file.first, prefix)) {
                planned[file.first.substr(prefix.size())] = file.second;
                continue;
            }
            WIN32_FILE_ATTRIBUTE_DATA data;
            ASSERT_TRUE(GetFileAttributesExA(file.first.c_str(), GetFileExInfoStandard, &data)) << file.first;
            EXPECT_EQ(data.nFileSizeLow, file.second) << file.first;
        }
        std::map<std::string, uint32_t> installed = InstalledFiles(destination_);
        EXPECT_FALSE(planned.empty());
        EXPECT_EQ(installed, planned);
    }

    void CompareProfiles() {
        std::map<std::string, std::pair<bool, std::string>> expected;  // file|section|key: written, value
        for (const ProfileFacts& p : recorder_.profiles) {
            if (p.action == "nothing") continue;
            expected[p.file + "|" + p.section + "|" + p.name] = std::make_pair(p.action == "write", p.value);
        }
        // Nothing planned: disk 0's first profile entry is not written.
        if (expected.empty() && !listedProfile_.empty()) {
            std::string line = listedProfile_;
            std::vector<std::string> parts;
            for (size_t at = 0; parts.size() < 3; at = line.find(',', at) + 1) parts.push_back(line.substr(at, line.find(',', at) - at));
            char value[260];
            GetPrivateProfileStringA(parts[1].c_str(), parts[2].c_str(), "<absent>", value, sizeof value,
                                     ProfilePath(parts[0]).c_str());
            EXPECT_STREQ(value, "<absent>") << listedProfile_;
        }
        for (const auto& entry : expected) {
            std::string key = entry.first;
            std::string file = key.substr(0, key.find('|'));
            key = key.substr(file.size() + 1);
            std::string section = key.substr(0, key.find('|'));
            std::string name = key.substr(section.size() + 1);
            char value[260];
            GetPrivateProfileStringA(section.c_str(), name.c_str(), "<absent>", value, sizeof value, file.c_str());
            EXPECT_EQ(value, entry.second.first ? entry.second.second : std::string("<absent>")) << entry.first;
        }
    }

    void CompareGroup() {
        // A group not offered is looked for under the name disk 0 lists.
        const std::string name = recorder_.group.offered ? recorder_.group.name : listedGroup_;
        if (name == "none") return;
        const std::string folder = ProgramsFolder() + "\\" + name;
        std::set<std::string> planned;
        for (const auto& item : recorder_.group.items) {
            if (item.second) planned.insert(LinkName(item.first));
        }
        if (!recorder_.group.offered) planned.clear();
        std::set<std::string> links;
        CloseGroupWindows(name, planned.empty() ? 0 : 5000);
        WIN32_FIND_DATAA data;
        HANDLE search = FindFirstFileA((folder + "\\*.lnk").c_str(), &data);
        if (search != INVALID_HANDLE_VALUE) {
            do links.insert(Upper(data.cFileName));
            while (FindNextFileA(search, &data));
            FindClose(search);
        }
        EXPECT_EQ(links, planned) << folder;
    }

    PlanRecorder recorder_;
    DrivenProcess process_;
    std::string root_;
    std::string folder_;
    bool ownsFolder_ = true;
    std::vector<std::string> disks_;
    int swaps_ = 0;
    std::string destination_;
    std::string listedGroup_;
    std::string listedProfile_;
};

TEST_P(PlanIsTheTruth, InstalledFilesProfileEntriesAndGroupItemsAreThePlan) {
    Plan();
    if (HasFatalFailure()) return;
    char title[260];
    GetPrivateProfileStringA("Installation", "Program", "", title, sizeof title, (folder_ + "\\SETUP.inf").c_str());
    EXPECT_EQ(Install(std::string("Installation ") + title), FinalText(GetParam().language, GetParam().succeeds));
    // Every further disk was asked for once.
    EXPECT_EQ(swaps_, static_cast<int>(disks_.size()));
    CompareFiles();
    CompareProfiles();
    CompareGroup();
}

INSTANTIATE_TEST_SUITE_P(Choices, PlanIsTheTruth,
                         testing::Values(Case{"demo", 0, 1, true, 2}, Case{"demo", 0, 2, false, 1},
                                         Case{"demo", 0, 3, false, 3}, Case{"atlas", 0, 1, true, 3},
                                         Case{"atlas", 0, 2, false, 2}, Case{"atlas", 0, 3, true, 1},
                                         Case{"orbit", 3, 1, true, 0}, Case{"orbit", 3, 2, false, 0},
                                         Case{"orbit-no-inf-last", 3, 1, true, 0, false},
                                         Case{"stopped", 0, 0, true, 0, false, false}));

}  // namespace
