// A whole installation under Wine set to report an older Windows: Windows
// 95 (no NT flag: no size reservation, stamps confirmed through a second
// open, attributes set by path), NT 3.51 (NT without the new shell: no
// browse button) and NT 4.0. The archive lies on two disks, so the run
// stops inside a member and its file can be looked at. The program runs
// once per system, each time in a prefix of its own; CORVANE_WINDOWS names
// the system.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "testlib/distribution.h"
#include "testlib/setup_run.h"
#include "testlib/shell_group.h"
#include "testlib/window_driver.h"

namespace {

struct OldWindows {
    const char* name;
    DWORD version;  // what GetVersion reports
    bool nt;        // the NT flag: on NTFS (Wine's C:) a member's size is reserved first
    bool browse;    // the new shell: the destination dialog offers folder browsing
};

const OldWindows kSystems[] = {
    {"win95", 0xC0000004, false, true},
    {"nt351", 0x04213303, true, false},
    {"nt40", 0x05650004, true, true},
};

const OldWindows* ThisSystem() {
    const char* name = std::getenv("CORVANE_WINDOWS");
    for (const OldWindows& system : kSystems) {
        if (name && std::string(name) == system.name) return &system;
    }
    return nullptr;
}

const char kCaption[] = "Installation Old Windows Test";
const int kBrowseButton = 102;

std::string Fixture(const std::string& name) { return std::string(FIXTURE_DIR) + "/" + name; }
std::string Tree(const std::string& name) { return Fixture("infozip/" + name); }

std::string InDirectory(UINT(WINAPI* which)(LPSTR, UINT), const char* name) {
    char directory[MAX_PATH];
    which(directory, MAX_PATH);
    return std::string(directory) + "\\" + name;
}

FILETIME LastWrite(const std::string& path) {
    FILETIME written = {};
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) written = data.ftLastWriteTime;
    return written;
}

std::string Fields(const FILETIME& time) {
    SYSTEMTIME t = {};
    FileTimeToSystemTime(&time, &t);
    char text[32];
    snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
             t.wSecond);
    return text;
}

// An installed file's time as the system shows it, in local time.
std::string LocalStamp(const std::string& path) {
    FILETIME utc = LastWrite(path), local;
    FileTimeToLocalFileTime(&utc, &local);
    return Fields(local);
}

// The member's stamp: the tree's times, which zip stored as UTC fields.
std::string MemberStamp(const std::string& treeName) { return Fields(LastWrite(Tree(treeName))); }

void SetLastWrite(const std::string& path, WORD year) {
    SYSTEMTIME time = {year, 3, 0, 14, 9, 26, 52, 0};
    FILETIME written;
    SystemTimeToFileTime(&time, &written);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
}

const DWORD kShownAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()) & kShownAttributes; }

TEST(OldWindows, GetVersionReportsThePrefixSystem) {
    const OldWindows* system = ThisSystem();
    ASSERT_NE(system, nullptr) << "CORVANE_WINDOWS names no system (win95, nt351, nt40)";
    EXPECT_EQ(GetVersion(), system->version) << system->name;
}

class OldWindowsInstallation : public testing::Test {
protected:
    void SetUp() override {
        system_ = ThisSystem();
        ASSERT_NE(system_, nullptr);
        ASSERT_EQ(GetVersion(), system_->version) << "not the prefix of " << system_->name;
        root_ = MakeTemporaryFolder("oldwin");
        destination_ = root_ + "\\app";
        group_ = std::string("Corvane on ") + system_->name;
        RemoveSharedFiles();
        // Older versions in the System directory: one the read-only member
        // replaces, one the kind S entry replaces.
        CopyFileA(Fixture("ver4000.dll").c_str(), SystemFile("CVOLDWIN.DLL").c_str(), FALSE);
        CopyFileA(Fixture("ver4000.dll").c_str(), SystemFile("CVOLDS.DLL").c_str(), FALSE);
        dist_.CopyIn(Fixture("infozip_disk0/infozip.zip"), "CORVANE.ZIP");
        dist_.CopyIn(Fixture("ver4001.dll"), "CVOLDS.DLL");
        dist_.WriteFile("PLAIN.TXT", "a plain file, read-only\r\n");
        // Even seconds: a stamp keeps no odd ones.
        SetLastWrite(dist_.PathOf("CVOLDS.DLL"), 1998);
        SetLastWrite(dist_.PathOf("PLAIN.TXT"), 1999);
        SetFileAttributesA(dist_.PathOf("PLAIN.TXT").c_str(), FILE_ATTRIBUTE_READONLY);
    }
    void TearDown() override {
        EndProcess(process_);
        CloseGroupWindows(group_);
        RemoveGroupFolder(group_);
        RemoveSharedFiles();
        RemoveTree(root_);
    }

    static std::string SystemFile(const char* name) { return InDirectory(GetSystemDirectoryA, name); }
    void RemoveSharedFiles() const {
        for (const char* name : {"CVOLDWIN.DLL", "CVOLDWIN.DL$", "CVOLDS.DLL"}) DeleteFileA(SystemFile(name).c_str());
        DeleteFileA(InDirectory(GetWindowsDirectoryA, "cvoldwin.ini").c_str());
    }
    std::string At(const std::string& name) const { return destination_ + "\\" + name; }

    const OldWindows* system_ = nullptr;
    Distribution dist_;
    DrivenProcess process_;
    std::string root_;
    std::string destination_;
    std::string group_;
};

TEST_F(OldWindowsInstallation, ArchivePlainAndSystemFilesProfileEntryAndGroup) {
    dist_.WriteFile("SETUP.inf", SimpleInf("Old Windows Test", destination_,
                                           "1=CORVANE.ZIP,Z\r\n2=PLAIN.TXT\r\n3=CVOLDS.DLL,S\r\n",
                                           "[ini]\r\n1=cvoldwin.ini,Installed,System," + std::string(system_->name) +
                                               "\r\n[Group]\r\nGroupname=" + group_ +
                                               "\r\n1=README.TXT\r\n2=DOCS\\MANUAL.TXT\r\n"));
    ASSERT_TRUE(dist_.StartSetup(process_));

    // The destination dialog offers browsing only with the new shell.
    HWND dialog = WaitForWindow(process_, kCaption, "#32770");
    ASSERT_NE(dialog, nullptr);
    for (int i = 0; i < 400 && !IsWindowVisible(dialog); ++i) Sleep(25);
    EXPECT_EQ(IsControlVisible(dialog, kBrowseButton), system_->browse) << system_->name;
    ASSERT_TRUE(ConfirmDestination(process_, kCaption));

    // The first disk ends inside RANDOM.BIN: on NT its file has its whole
    // size before the first write, on Windows 95 only what was written.
    HWND prompt = WaitForMessageBox(process_, "Unzip");
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(MessageBoxText(prompt), "Please insert disk number 1 and press ENTER!");
    const size_t whole = ReadWholeFile(Tree("RANDOM.BIN")).size();
    const size_t partial = ReadWholeFile(At("RANDOM.BIN")).size();
    if (system_->nt) {
        EXPECT_EQ(partial, whole);
    } else {
        EXPECT_LT(partial, whole);
    }
    dist_.CopyIn(Fixture("infozip_disk1/infozip.zip"), "CORVANE.ZIP");
    ClickButtonByText(prompt, "OK");

    EXPECT_EQ(AnswerMessageBox(process_, kCaption, "&Yes"),
              "Do you want to create a group in Program Manager/Start menu?");
    std::string restart = AnswerMessageBox(process_, "install", "&No");
    EXPECT_EQ(restart.rfind("Some files in your Windows System directory were updated.", 0), 0u) << restart;
    EXPECT_EQ(WaitForExit(process_), 0);

    // Every member of the destination, byte for byte, with its stamp; the
    // read-only bit is only the marker of replacing by version, and the
    // hidden one is kept.
    const std::map<std::string, DWORD> members = {
        {"README.TXT", 0}, {"NOTES.TXT", FILE_ATTRIBUTE_HIDDEN}, {"EMPTY.DAT", 0}, {"RANDOM.BIN", 0},
        {"DOCS\\MANUAL.TXT", 0},
    };
    std::map<std::string, uint32_t> expected;
    for (const auto& member : members) {
        std::string treeName = member.first;
        for (char& c : treeName) c = c == '\\' ? '/' : c;
        const std::string content = ReadWholeFile(Tree(treeName));
        expected[member.first] = static_cast<uint32_t>(content.size());
        EXPECT_TRUE(ReadWholeFile(At(member.first)) == content) << member.first;
        EXPECT_EQ(MemberStamp(treeName).rfind("1997-06-", 0), 0u) << treeName;
        EXPECT_EQ(LocalStamp(At(member.first)), MemberStamp(treeName)) << member.first;
        EXPECT_EQ(Attributes(At(member.first)), member.second) << member.first;
    }
    expected["PLAIN.TXT"] = 25;
    EXPECT_EQ(FilesBelow(destination_), expected);
    EXPECT_EQ(Attributes(At("DOCS")), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(Attributes(At("DOCS\\EMPTY")), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));

    // The plain file keeps its attributes and its time.
    EXPECT_EQ(ReadWholeFile(At("PLAIN.TXT")), "a plain file, read-only\r\n");
    EXPECT_EQ(Attributes(At("PLAIN.TXT")), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Fields(LastWrite(At("PLAIN.TXT"))), Fields(LastWrite(dist_.PathOf("PLAIN.TXT"))));

    // Both older system files replaced by the newer versions; no temporary
    // file left.
    EXPECT_TRUE(ReadWholeFile(SystemFile("CVOLDWIN.DLL")) == ReadWholeFile(Tree("SYSTEM/CVOLDWIN.DLL")));
    EXPECT_EQ(LocalStamp(SystemFile("CVOLDWIN.DLL")), MemberStamp("SYSTEM/CVOLDWIN.DLL"));
    EXPECT_EQ(Attributes(SystemFile("CVOLDWIN.DLL")), 0u);
    EXPECT_EQ(GetFileAttributesA(SystemFile("CVOLDWIN.DL$").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(ReadWholeFile(SystemFile("CVOLDS.DLL")) == ReadWholeFile(Fixture("ver4001.dll")));
    EXPECT_EQ(Fields(LastWrite(SystemFile("CVOLDS.DLL"))), Fields(LastWrite(dist_.PathOf("CVOLDS.DLL"))));

    // The profile entry, in the Windows directory.
    char value[64] = "";
    GetPrivateProfileStringA("Installed", "System", "", value, sizeof value, "cvoldwin.ini");
    EXPECT_STREQ(value, system_->name);

    // The group's links, made by Wine's shell for the PROGMAN conversation.
    const std::string folder = ProgramsFolder() + "\\" + group_;
    for (const char* item : {"README", "MANUAL"}) {
        const std::string link = folder + "\\" + item + ".lnk";
        EXPECT_NE(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES) << link;
        EXPECT_NE(ReadWholeFile(link).find(std::string(item) + ".TXT"), std::string::npos) << link;
    }
}

}  // namespace
