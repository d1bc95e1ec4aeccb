// Backups of the user's data files across repeated installations.
#include <gtest/gtest.h>

#include <string>

#include "testlib/distribution.h"
#include "testlib/setup_run.h"
#include "testlib/window_driver.h"

namespace {

const char kCaption[] = "Installation Backup Test";
const char kBackupSection[] =
    "[Backup data]\r\n1=SETTINGS.INI\r\n2=USER.CFG\r\n3=NOTES\r\n4=LONGNAME.INI\r\n5=ABSENT.DAT\r\n";

class DataBackup : public testing::Test {
protected:
    void SetUp() override {
        root_ = MakeTemporaryFolder("bak");
        destination_ = root_ + "\\app";
        CreateDirectoryA(destination_.c_str(), nullptr);
        dist_.WriteFile("SETTINGS.INI", "installed settings");
    }
    void TearDown() override { RemoveTree(root_); }

    void UserFile(const char* name, const std::string& content) const {
        FILE* file = fopen(At(name).c_str(), "wb");
        fwrite(content.data(), 1, content.size(), file);
        fclose(file);
    }
    std::string At(const char* name) const { return destination_ + "\\" + name; }
    bool Exists(const char* name) const { return GetFileAttributesA(At(name).c_str()) != INVALID_FILE_ATTRIBUTES; }

    // One installation; the destination exists, so the question is answered Yes.
    std::string Run(const std::string& install) {
        dist_.WriteFile("SETUP.inf", SimpleInf("Backup Test", destination_, install, kBackupSection));
        DrivenProcess process;
        if (!dist_.StartSetup(process) || !ConfirmDestination(process, kCaption)) return "<not started>";
        AnswerMessageBox(process, kCaption, "&Yes");
        std::string final = AnswerMessageBox(process, kCaption, "OK");
        // A failed run shows the entry's message first.
        if (final != "Installation successful!") final = AnswerMessageBox(process, kCaption, "OK");
        WaitForExit(process);
        return final;
    }

    Distribution dist_;
    std::string root_;
    std::string destination_;
};

TEST_F(DataBackup, NumberedBackupsBesideTheFiles) {
    UserFile("SETTINGS.INI", "user settings 1");
    UserFile("USER.CFG", "user cfg");
    UserFile("NOTES", "notes");
    UserFile("LONGNAME.INI", "long");
    ASSERT_EQ(Run("1=SETTINGS.INI\r\n"), "Installation successful!");
    EXPECT_EQ(ReadWholeFile(At("SETTING0.INI")), "user settings 1");
    EXPECT_EQ(ReadWholeFile(At("SETTINGS.INI")), "installed settings");
    // Unchanged files are backed up and their equal backups pruned again.
    EXPECT_FALSE(Exists("USER0.CFG"));
    EXPECT_FALSE(Exists("NOTES0."));
    EXPECT_FALSE(Exists("LONGNAM0.INI"));
    EXPECT_FALSE(Exists("ABSENT0.DAT"));

    UserFile("SETTINGS.INI", "user settings 2");
    ASSERT_EQ(Run("1=SETTINGS.INI\r\n"), "Installation successful!");
    EXPECT_EQ(ReadWholeFile(At("SETTING0.INI")), "user settings 1");
    EXPECT_EQ(ReadWholeFile(At("SETTING1.INI")), "user settings 2");
}

TEST_F(DataBackup, NothingIsPrunedAfterAFailure) {
    UserFile("USER.CFG", "user cfg");
    UserFile("NOTES", "notes");
    ASSERT_EQ(Run("1=missing.txt\r\n"), "Installation NOT successful!");
    EXPECT_EQ(ReadWholeFile(At("USER0.CFG")), "user cfg");
    EXPECT_EQ(ReadWholeFile(At("NOTES0.")), "notes");
}

TEST_F(DataBackup, TheEleventhRunOverwritesNumberNine) {
    for (int digit = 0; digit <= 9; ++digit) {
        std::string name = "SETTING" + std::to_string(digit) + ".INI";
        UserFile(name.c_str(), "old " + std::to_string(digit));
    }
    UserFile("SETTINGS.INI", "eleventh");
    ASSERT_EQ(Run("1=SETTINGS.INI\r\n"), "Installation successful!");
    EXPECT_EQ(ReadWholeFile(At("SETTING9.INI")), "eleventh");
    EXPECT_EQ(ReadWholeFile(At("SETTING8.INI")), "old 8");
}

}  // namespace
