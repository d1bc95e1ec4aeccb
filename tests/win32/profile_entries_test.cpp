// Profile entries written into real INI files: a value, an empty value, a
// deleted key, an entry that does nothing, values with commas, the end of
// the list, key 101 as the last one read, and the German fallback to ini.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "install/profile_entries.h"
#include "setup/language.h"
#include "setup/setup_info.h"
#include "tests/fs/scratch_folder.h"

namespace {

const char kAbsent[] = "<absent>";

class ProfileEntries : public testing::Test {
protected:
    void SetUp() override { ResetLanguage(); }
    void TearDown() override { ResetLanguage(); }

    void Setup(const std::string& body) {
        folder_.Put("setup.inf", body);
        SetSetupInfoPath(folder_.Path("setup.inf").c_str());
    }
    std::string Ini(const char* name) const { return folder_.Path(name); }

    std::string Read(const char* file, const char* section, const char* key) const {
        char value[512];
        GetPrivateProfileStringA(section, key, kAbsent, value, sizeof value, Ini(file).c_str());
        return value;
    }

    // The file as it lies on disk, after the system wrote back what it holds.
    std::string Raw(const char* file) const {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, Ini(file).c_str());
        return folder_.Get(file);
    }

    ScratchFolder folder_;
};

TEST_F(ProfileEntries, WriteEmptyDeleteAndNothing) {
    folder_.Put("corvane.ini", "[Options]\r\nOld=1\r\nKeep=yes\r\n");
    const std::string ini = Ini("corvane.ini");
    Setup("[ini]\n"
          "1=" + ini + ",Options,Language,English\n"
          "2=" + ini + ",Options,Empty,\n"
          "3=" + ini + ",Options,Old\n"
          "4=" + ini + ",Options\n"
          "5=" + ini + ",Window,Position,0,0,640,480\n"
          "6=" + ini + ",Fonts,Face, Arial Bold \n");
    WriteProfileEntries(Language().iniSection);
    const struct {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Options", "Language", "English"},
        {"Options", "Empty", ""},
        {"Options", "Old", kAbsent},
        {"Options", "Keep", "yes"},
        {"Window", "Position", "0"},  // the fourth token only
        {"Fonts", "Face", "Arial Bold"},  // handed over with its blanks; the system trims them
    };
    for (const auto& c : cases) EXPECT_EQ(Read("corvane.ini", c.section, c.key), c.expected) << c.key;
    std::string raw = Raw("corvane.ini");
    EXPECT_NE(raw.find("Empty=\r\n"), std::string::npos) << raw;
    EXPECT_EQ(raw.find("Old="), std::string::npos) << raw;
}

TEST_F(ProfileEntries, ListEndsAtTheFirstEmptyValue) {
    const std::string ini = Ini("list.ini");
    Setup("[ini]\n1=" + ini + ",S,One,1\n2=\n3=" + ini + ",S,Three,3\n");
    WriteProfileEntries(Language().iniSection);
    EXPECT_EQ(Read("list.ini", "S", "One"), "1");
    EXPECT_EQ(Read("list.ini", "S", "Three"), kAbsent);
}

TEST_F(ProfileEntries, Key101IsTheLastOneRead) {
    const std::string ini = Ini("many.ini");
    std::string body = "[ini]\n";
    for (int key = 1; key <= 103; ++key) {
        body += std::to_string(key) + "=" + ini + ",S,K" + std::to_string(key) + "," + std::to_string(key) + "\n";
    }
    Setup(body);
    WriteProfileEntries(Language().iniSection);
    EXPECT_EQ(Read("many.ini", "S", "K1"), "1");
    EXPECT_EQ(Read("many.ini", "S", "K100"), "100");
    EXPECT_EQ(Read("many.ini", "S", "K101"), "101");
    EXPECT_EQ(Read("many.ini", "S", "K102"), kAbsent);
    EXPECT_EQ(Read("many.ini", "S", "K103"), kAbsent);
}

TEST_F(ProfileEntries, GermanFallsBackToIniKeyByKey) {
    const std::string ini = Ini("lang.ini");
    Setup("[ini]\n"
          "1=" + ini + ",S,Language,English\n"
          "2=" + ini + ",S,Base,from ini\n"
          "3=" + ini + ",S,Third,from ini\n"
          "[inid]\n"
          "1=" + ini + ",S,Language,Deutsch\n"
          "2=" + ini + ",S,Lettered,from inid\n");
    Language().index = kLanguageGerman;
    BuildLetteredSections('d');
    WriteProfileEntries(Language().iniSection);
    EXPECT_EQ(Read("lang.ini", "S", "Language"), "Deutsch");
    EXPECT_EQ(Read("lang.ini", "S", "Lettered"), "from inid");
    EXPECT_EQ(Read("lang.ini", "S", "Base"), kAbsent);  // key 2 came from inid
    EXPECT_EQ(Read("lang.ini", "S", "Third"), "from ini");
}

TEST_F(ProfileEntries, EnglishWithALetterNeverFallsBack) {
    const std::string ini = Ini("english.ini");
    Setup("[ini]\n1=" + ini + ",S,Base,1\n[inie]\n");
    Language().index = kLanguageEnglish;
    BuildLetteredSections('e');
    WriteProfileEntries(Language().iniSection);
    EXPECT_EQ(Read("english.ini", "S", "Base"), kAbsent);
}

TEST_F(ProfileEntries, RefusedWriteIsIgnoredAndTheNextEntryWritten) {
    const std::string ini = Ini("after.ini");
    Setup("[ini]\n1=" + Ini("no such folder\\x.ini") + ",S,K,V\n2=" + ini + ",S,K,V\n");
    WriteProfileEntries(Language().iniSection);
    EXPECT_EQ(Read("after.ini", "S", "K"), "V");
}

}  // namespace
