// Names of the numbered backups of user data files.
#include <gtest/gtest.h>

#include <string>

#include "install/data_backup.h"

namespace {

struct NameCase {
    const char* entry;
    int digit;
    const char* backup;  // null: no name fits
};

TEST(BackupPathFor, StemPaddedToEightCharactersAndTheDigitAtItsEnd) {
    const NameCase cases[] = {
        {"SETTINGS.INI", 0, "C:\\APP\\SETTING0.INI"},
        {"SETTINGS.INI", 9, "C:\\APP\\SETTING9.INI"},
        {"USER.CFG", 0, "C:\\APP\\USER0.CFG"},
        {"NOTES", 3, "C:\\APP\\NOTES3."},
        {"LONGNAME.INI", 0, "C:\\APP\\LONGNAM0.INI"},
        {"VERYLONGNAME.INI", 1, "C:\\APP\\VERYLONGNAM1.INI"},
        {"A.B.C", 2, "C:\\APP\\A2.B.C"},
        {"DATA\\X.DAT", 0, "C:\\APP\\DATA\\X0.DAT"},
        {".HIDDEN", 0, "C:\\APP\\0.HIDDEN"},
    };
    for (const NameCase& c : cases) {
        char path[260] = "";
        bool made = BackupPathFor("C:\\APP\\", c.entry, c.digit, path);
        EXPECT_EQ(made, c.backup != nullptr) << c.entry;
        if (c.backup) EXPECT_STREQ(path, c.backup) << c.entry;
    }
}

TEST(BackupPathFor, TooLongForAPathIsRefused) {
    std::string directory = "C:\\" + std::string(250, 'd') + "\\";
    char path[260];
    EXPECT_TRUE(BackupPathFor(directory.c_str(), "A.B", 0, path));
    EXPECT_FALSE(BackupPathFor(directory.c_str(), "ABCDEFG.INI", 0, path));
}

}  // namespace
