// Whole installations of plain files through SETUP.EXE's windows: the
// destination, the copies with their attributes and stamps, the messages
// of failed entries, cancel, and the data backups.
#include <gtest/gtest.h>

#include <string>

#include "testlib/distribution.h"
#include "testlib/setup_run.h"
#include "testlib/window_driver.h"

namespace {

const char kCaption[] = "Installation Corvane Test";

class Installation : public testing::Test {
protected:
    void SetUp() override { destination_ = MakeTemporaryFolder("dest") + "\\app"; }
    void TearDown() override {
        EndProcess(process_);
        RemoveTree(destination_.substr(0, destination_.rfind('\\')));
    }

    void Start(const std::string& install, const std::string& more = "") {
        dist_.WriteFile("SETUP.inf", SimpleInf("Corvane Test", destination_, install, more));
        ASSERT_TRUE(dist_.StartSetup(process_));
        ASSERT_TRUE(ConfirmDestination(process_, kCaption));
    }

    std::string Answer(const char* button = "OK", const char* caption = kCaption) {
        return AnswerMessageBox(process_, caption, button);
    }

    std::string Installed(const std::string& name) const { return destination_ + "\\" + name; }

    Distribution dist_;
    DrivenProcess process_;
    std::string destination_;
};

FILETIME LastWrite(const std::string& path) {
    FILETIME written = {};
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    GetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    return written;
}

void SetLastWrite(const std::string& path, int year) {
    SYSTEMTIME time = {static_cast<WORD>(year), 5, 0, 17, 10, 20, 30, 0};
    FILETIME local, utc;
    SystemTimeToFileTime(&time, &local);
    LocalFileTimeToFileTime(&local, &utc);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &utc);
    CloseHandle(file);
}

TEST_F(Installation, PlainFilesArrivedWithAttributesAndTimes) {
    dist_.WriteFile("readme.txt", "Corvane readme\r\n");
    dist_.WriteFile("empty.dat", "");
    dist_.WriteFile("locked.ini", "[x]\r\n");
    SetLastWrite(dist_.PathOf("readme.txt"), 1997);
    SetLastWrite(dist_.PathOf("locked.ini"), 1996);
    SetFileAttributesA(dist_.PathOf("locked.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    Start("1=readme.txt\r\n2=empty.dat,\r\n3=locked.ini, x\r\n");
    EXPECT_EQ(Answer(), "Installation successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(ReadWholeFile(Installed("readme.txt")), "Corvane readme\r\n");
    EXPECT_EQ(ReadWholeFile(Installed("empty.dat")), "");
    FILETIME installed = LastWrite(Installed("readme.txt"));
    FILETIME original = LastWrite(dist_.PathOf("readme.txt"));
    EXPECT_EQ(CompareFileTime(&installed, &original), 0);
    EXPECT_TRUE(GetFileAttributesA(Installed("locked.ini").c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ReadWholeFile(Installed("locked.ini")), "[x]\r\n");
    // Stamp and read-only attribute both set through the target's own handle.
    installed = LastWrite(Installed("locked.ini"));
    original = LastWrite(dist_.PathOf("locked.ini"));
    EXPECT_EQ(CompareFileTime(&installed, &original), 0);
    SetFileAttributesA(Installed("locked.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Installation, MissingSourceIsAReadErrorAndStopsTheRun) {
    dist_.WriteFile("first.txt", "1");
    dist_.WriteFile("third.txt", "3");
    Start("1=first.txt\r\n2=missing.txt\r\n3=third.txt\r\n");
    EXPECT_EQ(Answer(), "Error reading " + dist_.PathOf("missing.txt") + "!\rDisk may be defective!");
    EXPECT_EQ(Answer(), "Installation NOT successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(ReadWholeFile(Installed("first.txt")), "1");
    EXPECT_EQ(GetFileAttributesA(Installed("third.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Installation, CopyIntoAMissingSubdirectoryIsAWriteError) {
    CreateDirectoryA(dist_.PathOf("sub").c_str(), nullptr);
    dist_.WriteFile("sub\\b.txt", "b");
    Start("1=sub\\b.txt\r\n");
    EXPECT_EQ(Answer(), "Error writing " + Installed("sub\\b.txt") + "!");
    EXPECT_EQ(Answer(), "Installation NOT successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
}

TEST_F(Installation, ExistingDestinationAsksFirst) {
    CreateDirectoryA(destination_.c_str(), nullptr);
    dist_.WriteFile("a.txt", "a");
    Start("1=a.txt\r\n");
    std::string question = Answer("&No");
    EXPECT_EQ(question.rfind("The specified directory already exists.", 0), 0u) << question;
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(GetFileAttributesA(Installed("a.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Installation, DestinationWithBackslashesAndEmptyList) {
    dist_.WriteFile("SETUP.inf", SimpleInf("Corvane Test", destination_ + "\\\\", ""));
    ASSERT_TRUE(dist_.StartSetup(process_));
    ASSERT_TRUE(ConfirmDestination(process_, kCaption));
    EXPECT_EQ(Answer(), "Installation successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_NE(GetFileAttributesA(destination_.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST_F(Installation, InstallingIntoTheSetupFolderAsksNothing) {
    dist_.WriteFile("a.txt", "a");
    // Typed in other letters than the folder's own: still the same files.
    destination_ = dist_.Folder();
    CharUpperA(&destination_[0]);
    dist_.WriteFile("SETUP.inf", SimpleInf("Corvane Test", destination_, "1=a.txt\r\n"));
    ASSERT_TRUE(dist_.StartSetup(process_));
    ASSERT_TRUE(ConfirmDestination(process_, kCaption));
    // The copy onto itself is no error, and the file is left alone.
    EXPECT_EQ(Answer(), "Installation successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(ReadWholeFile(dist_.PathOf("a.txt")), "a");
    EXPECT_EQ(ReadWholeFile(dist_.PathOf("SETUP.EXE")), ReadWholeFile(SETUP_EXE_PATH));
    destination_ = MakeTemporaryFolder("dest") + "\\app";
}

TEST_F(Installation, FullDiskIsReportedAndLeavesNoPartialFile) {
    ULARGE_INTEGER freeBytes = {}, totalBytes = {};
    if (!GetDiskFreeSpaceExA(SMALL_DISK_DIR "/", &freeBytes, &totalBytes, nullptr) ||
        totalBytes.QuadPart > 4 * 1024 * 1024) {
        GTEST_SKIP() << "no small file system could be mounted";
    }
    std::string small = std::string(SMALL_DISK_DIR) + "/app";
    for (char& c : small) c = c == '/' ? '\\' : c;
    RemoveTree(small);
    dist_.WriteFile("big.bin", std::string(3 * 1024 * 1024, 'x'));
    dist_.WriteFile("SETUP.inf", SimpleInf("Corvane Test", small, "1=big.bin\r\n"));
    ASSERT_TRUE(dist_.StartSetup(process_));
    ASSERT_TRUE(ConfirmDestination(process_, kCaption));
    EXPECT_EQ(Answer(), "Disk full!");
    EXPECT_EQ(Answer(), "Installation NOT successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(GetFileAttributesA((small + "\\big.bin").c_str()), INVALID_FILE_ATTRIBUTES);
    RemoveTree(small);
}

TEST_F(Installation, CancelDuringACopyLeavesNoPartialFile) {
    std::string big(24 * 1024 * 1024, 'x');
    dist_.WriteFile("big.bin", big);
    Start("1=big.bin\r\n");
    HWND progress = WaitForWindow(process_, "Unpacking files...", "#32770");
    ASSERT_NE(progress, nullptr);
    ClickButton(progress, IDCANCEL);
    EXPECT_EQ(Answer(), "Installation aborted!");
    EXPECT_EQ(Answer(), "Installation NOT successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(GetFileAttributesA(Installed("big.bin").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace

namespace {

std::string WindowsFile(const char* name) {
    char directory[MAX_PATH];
    GetWindowsDirectoryA(directory, MAX_PATH);
    return std::string(directory) + "\\" + name;
}

std::string SystemFile(const char* name) {
    char directory[MAX_PATH];
    GetSystemDirectoryA(directory, MAX_PATH);
    return std::string(directory) + "\\" + name;
}

std::string Fixture(const char* name) { return std::string(FIXTURE_DIR) + "/" + name; }

class SystemFileEntries : public Installation {
protected:
    void TearDown() override {
        for (const std::string& path : {WindowsFile("cvtest_w.dll"), SystemFile("cvtest_s.dll")}) {
            DeleteFileA(path.c_str());
        }
        Installation::TearDown();
    }
};

TEST_F(SystemFileEntries, OnlyNewerVersionsReplaceSharedFiles) {
    CopyFileA(Fixture("ver4000.dll").c_str(), WindowsFile("cvtest_w.dll").c_str(), FALSE);
    CopyFileA(Fixture("ver4001.dll").c_str(), SystemFile("cvtest_s.dll").c_str(), FALSE);
    dist_.CopyIn(Fixture("ver4001.dll"), "cvtest_w.dll");
    dist_.CopyIn(Fixture("ver4000.dll"), "cvtest_s.dll");
    dist_.WriteFile("after.txt", "after");
    Start("1=cvtest_w.dll,W\r\n2=cvtest_s.dll,s\r\n3=after.txt\r\n");
    EXPECT_EQ(Answer(), "Installation successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(ReadWholeFile(WindowsFile("cvtest_w.dll")), ReadWholeFile(Fixture("ver4001.dll")));
    EXPECT_EQ(ReadWholeFile(SystemFile("cvtest_s.dll")), ReadWholeFile(Fixture("ver4001.dll")));
    EXPECT_EQ(ReadWholeFile(Installed("after.txt")), "after");
}

TEST_F(SystemFileEntries, FailureIsReportedAndTheRunGoesOn) {
    dist_.WriteFile("after.txt", "after");
    Start("1=cvtest_s.dll,S\r\n2=after.txt\r\n");
    EXPECT_EQ(Answer(), "Could not install the file " + SystemFile("cvtest_s.dll") +
                            " to your Windows System directory!\rPlease leave Windows after the installation and "
                            "copy the file by hand to that directory (the big binary files are packed with pkzip)!");
    EXPECT_EQ(Answer(), "Installation successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(ReadWholeFile(Installed("after.txt")), "after");
}

}  // namespace
