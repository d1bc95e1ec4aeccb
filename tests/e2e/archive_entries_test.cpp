// Archive entries of the file list through SETUP.EXE: members filtered by
// version prefix, placed in the destination, Windows or System directory,
// the overwrite rules, read-only members replaced by newer versions, and
// archives stored inside archives.
#include <gtest/gtest.h>

#include <string>

#include "testlib/distribution.h"
#include "testlib/setup_run.h"
#include "testlib/window_driver.h"

namespace {

const char kCaption[] = "Installation Archive Test";

std::string Fixture(const char* name) { return std::string(FIXTURE_DIR) + "/" + name; }

std::string InDirectory(UINT (WINAPI* which)(LPSTR, UINT), const char* name) {
    char directory[MAX_PATH];
    which(directory, MAX_PATH);
    return std::string(directory) + "\\" + name;
}

class ArchiveEntries : public testing::Test {
protected:
    void SetUp() override {
        root_ = MakeTemporaryFolder("arc");
        destination_ = root_ + "\\app";
        for (const char* name : {"app.zip", "system.zip", "nested.zip", "notzip.zip", "evil_parent.zip",
                                 "evil_rooted.zip", "evil_drive.zip", "bad_crc.zip", "damaged.zip", "sfx.exe"}) dist_.CopyIn(Fixture(name), name);
    }
    void TearDown() override {
        EndProcess(process_);
        RemoveTree(root_);
        DeleteFileA(InDirectory(GetSystemDirectoryA, "CVPROG.DLL").c_str());
        DeleteFileA(InDirectory(GetSystemDirectoryA, "CVPROG.DL$").c_str());
        DeleteFileA(InDirectory(GetWindowsDirectoryA, "CVWIN.TXT").c_str());
    }

    void Start(const std::string& install, int versionMask = 3) {
        dist_.WriteFile("SETUP.inf", "[Installation]\r\nProgram=Archive Test\r\n[VersionCheck]\r\nVernum=" +
                                         std::to_string(versionMask) + "\r\n[Destination]\r\nDir=" + destination_ +
                                         "\r\n[install]\r\n" + install);
        ASSERT_TRUE(dist_.StartSetup(process_));
        ASSERT_TRUE(ConfirmDestination(process_, kCaption));
    }
    std::string Answer(const char* button = "OK", const char* caption = kCaption) {
        return AnswerMessageBox(process_, caption, button);
    }
    std::string At(const char* name) const { return destination_ + "\\" + name; }
    bool Exists(const char* name) const { return GetFileAttributesA(At(name).c_str()) != INVALID_FILE_ATTRIBUTES; }

    Distribution dist_;
    DrivenProcess process_;
    std::string root_;
    std::string destination_;
};

TEST_F(ArchiveEntries, MembersFilteredByVersionPrefix) {
    Start("1=app.zip,z\r\n", 2);
    EXPECT_EQ(Answer(), "Installation successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(ReadWholeFile(At("README.TXT")).size(), 16u * 200);
    EXPECT_EQ(ReadWholeFile(At("DOC\\HELP.HLP")), "help for 32 bits");
    EXPECT_EQ(ReadWholeFile(At("NEW32.TXT")), "only 32 bits");
    EXPECT_FALSE(Exists("OLD16.TXT"));
    EXPECT_EQ(ReadWholeFile(At("X32\\A.DLL")), "no prefix here");
    EXPECT_EQ(ReadWholeFile(At("LANGUAGE\\FRANCAIS.LNG")), "francais");
    EXPECT_EQ(ReadWholeFile(At("ZERO.TXT")), "stamped at midnight");
    EXPECT_EQ(ReadWholeFile(At("STORED.BIN")).size(), 256u * 40);
}

TEST_F(ArchiveEntries, MidnightMembersNeverOverwrite) {
    CreateDirectoryA(destination_.c_str(), nullptr);
    FILE* file = fopen(At("ZERO.TXT").c_str(), "wb");
    fputs("the user's own", file);
    fclose(file);
    file = fopen(At("README.TXT").c_str(), "wb");
    fputs("old readme", file);
    fclose(file);
    Start("1=app.zip,Z\r\n", 1);
    EXPECT_EQ(Answer("&Yes").rfind("The specified directory already exists.", 0), 0u);
    EXPECT_EQ(Answer(), "Installation successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(ReadWholeFile(At("ZERO.TXT")), "the user's own");
    EXPECT_NE(ReadWholeFile(At("README.TXT")), "old readme");
    EXPECT_EQ(ReadWholeFile(At("OLD16.TXT")), "only 16 bits");
    EXPECT_FALSE(Exists("NEW32.TXT"));
}

TEST_F(ArchiveEntries, NotAnArchiveIsAReadError) {
    Start("1=notzip.zip,Z\r\n");
    EXPECT_EQ(Answer(), "Error reading " + dist_.PathOf("notzip.zip") + "!\rDisk may be defective!");
    EXPECT_EQ(Answer(), "Installation NOT successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
}

TEST_F(ArchiveEntries, NestedArchivesUnpackedInPlace) {
    Start("1=nested.zip,M\r\n2=notzip.zip,M\r\n");
    EXPECT_EQ(Answer(), "Installation successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(ReadWholeFile(At("INNER.TXT")).size(), 24u * 50);
    EXPECT_EQ(ReadWholeFile(At("SUB\\DEEP.TXT")), "deep");
    EXPECT_EQ(ReadWholeFile(At("OTHER.TXT")), "from the other inner archive");
    EXPECT_FALSE(Exists("FIRST.TXT"));
}

TEST_F(ArchiveEntries, NestedArchiveChosenByName) {
    Start("1=nested.zip,M,inner.zip\r\n");
    EXPECT_EQ(Answer(), "Installation successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(ReadWholeFile(At("SUB\\DEEP.TXT")), "deep");
    EXPECT_FALSE(Exists("OTHER.TXT"));
}

TEST_F(ArchiveEntries, ReadOnlySystemMemberReplacesAnOlderVersionAndAsksForARestart) {
    std::string existing = InDirectory(GetSystemDirectoryA, "CVPROG.DLL");
    CopyFileA(Fixture("ver4000.dll").c_str(), existing.c_str(), FALSE);
    Start("1=system.zip,Z\r\n");
    std::string question = Answer("&No", "install");
    EXPECT_EQ(question.rfind("Some files in your Windows System directory were updated.", 0), 0u) << question;
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(ReadWholeFile(existing), ReadWholeFile(Fixture("ver5000.dll")));
    EXPECT_EQ(GetFileAttributesA(InDirectory(GetSystemDirectoryA, "CVPROG.DL$").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadWholeFile(InDirectory(GetWindowsDirectoryA, "CVWIN.TXT")), "for the windows directory");
}

TEST_F(ArchiveEntries, SharedFilesAreNeverSimplyOverwritten) {
    std::string existing = InDirectory(GetSystemDirectoryA, "CVPROG.DLL");
    CopyFileA(Fixture("ver5000.dll").c_str(), existing.c_str(), FALSE);
    std::string windowsFile = InDirectory(GetWindowsDirectoryA, "CVWIN.TXT");
    FILE* file = fopen(windowsFile.c_str(), "wb");
    fputs("kept", file);
    fclose(file);
    Start("1=system.zip,Z\r\n");
    EXPECT_EQ(Answer(), "Installation successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(ReadWholeFile(windowsFile), "kept");
    EXPECT_EQ(GetFileAttributesA(InDirectory(GetSystemDirectoryA, "CVPROG.DL$").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ArchiveEntries, MembersLeadingOutOfTheDestinationAreNeverWritten) {
    for (const char* archive : {"evil_parent.zip", "evil_rooted.zip", "evil_drive.zip"}) {
        CreateDirectoryA(destination_.c_str(), nullptr);
        CreateDirectoryA(At("sub").c_str(), nullptr);
        Start(std::string("1=") + archive + ",Z\r\n");
        Answer("&Yes");
        EXPECT_EQ(Answer(), "Error reading " + dist_.PathOf(archive) + "!\rDisk may be defective!") << archive;
        EXPECT_EQ(Answer(), "Installation NOT successful!");
        EXPECT_EQ(WaitForExit(process_), 0);
        EXPECT_EQ(ReadWholeFile(At("GOOD.TXT")), "good");
        for (const std::string& place : {root_ + "\\evil.txt", At("evil.txt"), std::string("C:\\evil.txt"),
                                         dist_.Folder() + "\\evil.txt"}) {
            EXPECT_EQ(GetFileAttributesA(place.c_str()), INVALID_FILE_ATTRIBUTES) << archive << " " << place;
        }
        RemoveTree(destination_);
    }
}

TEST_F(ArchiveEntries, VersionMasksZeroToThree) {
    const struct {
        int mask;
        bool old16, new32;
    } cases[] = {{0, false, false}, {1, true, false}, {2, false, true}, {3, true, true}};
    for (const auto& c : cases) {
        Start("1=app.zip,Z\r\n", c.mask);
        EXPECT_EQ(Answer(), "Installation successful!");
        EXPECT_EQ(WaitForExit(process_), 0);
        EXPECT_EQ(Exists("OLD16.TXT"), c.old16) << c.mask;
        EXPECT_EQ(Exists("NEW32.TXT"), c.new32) << c.mask;
        EXPECT_EQ(Exists("DOC\\HELP.HLP"), c.new32) << c.mask;
        EXPECT_TRUE(Exists("X32\\A.DLL")) << c.mask;
        RemoveTree(destination_);
    }
}

TEST_F(ArchiveEntries, SelfExtractingArchiveInASubdirectoryOfTheDistribution) {
    CreateDirectoryA(dist_.PathOf("disk1").c_str(), nullptr);
    dist_.CopyIn(Fixture("sfx.exe"), "disk1\\sfx.exe");
    Start("1=disk1\\sfx.exe,Z\r\n");
    EXPECT_EQ(Answer(), "Installation successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
    // The entry's directory part is kept under the destination.
    EXPECT_EQ(ReadWholeFile(At("disk1\\SFX.TXT")).size(), 34u * 20);
    EXPECT_EQ(ReadWholeFile(At("disk1\\SFXDIR\\NESTED.TXT")), "nested in the self-extractor");
}

TEST_F(ArchiveEntries, DamagedMembersAreReadErrorsAndLeaveNoFile) {
    for (const char* archive : {"bad_crc.zip", "damaged.zip"}) {
        Start(std::string("1=") + archive + ",Z\r\n");
        EXPECT_EQ(Answer(), "Error reading " + dist_.PathOf(archive) + "!\rDisk may be defective!") << archive;
        EXPECT_EQ(Answer(), "Installation NOT successful!");
        EXPECT_EQ(WaitForExit(process_), 0);
        EXPECT_FALSE(Exists("DATA.TXT")) << archive;
        RemoveTree(destination_);
    }
}

TEST_F(ArchiveEntries, UnwritableMemberIsAWriteError) {
    CreateDirectoryA(destination_.c_str(), nullptr);
    CreateDirectoryA(At("README.TXT").c_str(), nullptr);  // a folder where the file goes
    Start("1=app.zip,Z\r\n");
    Answer("&Yes");
    EXPECT_EQ(Answer(), "Error writing " + At("README.TXT") + "!");
    EXPECT_EQ(Answer(), "Installation NOT successful!");
    EXPECT_EQ(WaitForExit(process_), 0);
}

}  // namespace
