// Reading the setup information file: the list and default rules, checked
// against the real profile functions, and our own reader compared with
// them on the same files.
#include <gtest/gtest.h>

#include <string>

#include "setup/profile.h"
#include "setup/profile_reader.h"
#include "setup/numbered_list.h"
#include "setup/setup_info.h"
#include "testlib/distribution.h"

namespace {

const char kSample[] =
    "[Installation]\r\n"
    "Program=Corvane 4.2\r\n"
    "  Copyright  =  (c) Corvane  \r\n"
    "[languages]\r\n"
    "Count=3\r\n"
    "Default=abc\r\n"
    "[install]\r\n"
    "1=a.zip,Z\r\n"
    "2=b.txt\r\n"
    "3=\r\n"
    "4=d.txt\r\n"
    "[INSTALL]\r\n"
    "3=second section never seen\r\n"
    "[Group]\r\n"
    "Groupname=None\r\n"
    "groupname=later duplicate\r\n"
    "Quoted=\"in quotes\"\r\n"
    "Half=\"open\r\n"
    "Single='single'\r\n"
    "Long=0123456789012345678901234567890123456789\r\n"
    "Negative=-5\r\n"
    "Plus=+7\r\n"
    "Trailing=12abc\r\n"
    "Empty=\r\n";

class SetupInfo : public testing::Test {
protected:
    void SetUp() override {
        folder_ = MakeTemporaryFolder("inf");
        path_ = folder_ + "\\SETUP.inf";
        FILE* file = fopen(path_.c_str(), "wb");
        fwrite(kSample, 1, sizeof kSample - 1, file);
        fclose(file);
        SetSetupInfoPath(path_.c_str());
    }
    void TearDown() override { RemoveTree(folder_); }

    std::string Read(const char* section, const char* key, const char* def = "<default>", int size = 260) {
        char buffer[260];
        ReadSetupString(section, key, def, buffer, size);
        return buffer;
    }

    std::string folder_;
    std::string path_;
};

TEST_F(SetupInfo, StringsWithDefaultsAndLimits) {
    EXPECT_EQ(Read("Installation", "Program"), "Corvane 4.2");
    EXPECT_EQ(Read("installation", "PROGRAM"), "Corvane 4.2");
    EXPECT_EQ(Read("Installation", "Copyright"), "(c) Corvane");
    EXPECT_EQ(Read("Installation", "Missing"), "<default>");
    EXPECT_EQ(Read("Nowhere", "Program"), "<default>");
    EXPECT_EQ(Read("Group", "Empty"), "");
    EXPECT_EQ(Read("Group", "Groupname"), "None");  // first match wins
    EXPECT_EQ(Read("Group", "Quoted"), "in quotes");
    EXPECT_EQ(Read("Group", "Long", "", 11), "0123456789");
}

TEST_F(SetupInfo, Integers) {
    EXPECT_EQ(ReadSetupInt("languages", "Count", 1), 3);
    EXPECT_EQ(ReadSetupInt("languages", "Missing", 1), 1);
    EXPECT_EQ(ReadSetupInt("languages", "Default", 1), 0);
    EXPECT_EQ(ReadSetupInt("Group", "Trailing", 1), 12);
    EXPECT_EQ(ReadSetupInt("Group", "Empty", 9), 9);
}

TEST_F(SetupInfo, ListsEndAtTheFirstEmptyValue) {
    char value[260];
    int count = 0;
    while (ReadListEntry(kPlainList, "install", count + 1, value, sizeof value)) ++count;
    EXPECT_EQ(count, 2);
    ASSERT_TRUE(ReadListEntry(kPlainList, "install", 1, value, sizeof value));
    EXPECT_STREQ(value, "a.zip,Z");
    EXPECT_FALSE(ReadListEntry(kPlainList, "install", 3, value, sizeof value));
    EXPECT_FALSE(ReadListEntry(kPlainList, "nothing", 1, value, sizeof value));
}

TEST_F(SetupInfo, OwnReaderAgreesWithTheProfileFunctions) {
    const char* keys[][2] = {
        {"Installation", "Program"}, {"Installation", "Copyright"}, {"languages", "Count"},
        {"install", "3"},            {"INSTALL", "1"},              {"Group", "groupname"},
        {"Group", "Quoted"},         {"Group", "Half"},             {"Group", "Single"},
        {"Group", "Long"},           {"Group", "Empty"},            {"Group", "Nothing"},
        {"None", "x"},
    };
    for (auto& key : keys) {
        for (int size : {260, 11, 1}) {
            char real[260] = "";
            char ours[260] = "";
            GetPrivateProfileStringA(key[0], key[1], "dflt", real, size, path_.c_str());
            ReadProfileFileString(key[0], key[1], "dflt", ours, size, path_.c_str());
            EXPECT_STREQ(ours, real) << key[0] << "/" << key[1] << " size " << size;
        }
    }
    const char* ints[] = {"Negative", "Plus", "Trailing", "Empty", "Nothing", "Groupname"};
    for (const char* key : ints) {
        EXPECT_EQ(ReadProfileFileInt("Group", key, 42, path_.c_str()),
                  static_cast<int>(GetPrivateProfileIntA("Group", key, 42, path_.c_str())))
            << key;
    }
}

TEST(SetupInfoPath, ExtensionBecomesInf) {
    char path[260];
    SetupInfoPathFor("D:\\SETUP\\SETUP.EXE", path);
    EXPECT_STREQ(path, "D:\\SETUP\\SETUP.inf");
    SetupInfoPathFor("D:\\SETUP\\INSTALL", path);
    EXPECT_STREQ(path, "D:\\SETUP\\INSTALL");
    SetupInfoPathFor("D:\\V1.0\\SETUP", path);
    EXPECT_STREQ(path, "D:\\V1.inf");
    std::string longPath = "C:\\" + std::string(254, 'x') + ".";
    SetupInfoPathFor(longPath.c_str(), path);
    EXPECT_EQ(std::string(path), longPath + "i");  // cut to 259 characters
}

}  // namespace
