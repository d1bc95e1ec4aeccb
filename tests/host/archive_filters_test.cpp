// Member filters of the archive workers: version prefixes, the language
// directory, and finding an archive stored inside another.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "install/archive_entries.h"
#include "setup/language.h"
#include "setup/setup_info.h"

namespace {

struct PrefixCase {
    const char* name;
    const char* stripped;
    int bits;
};

TEST(StripVersionPrefix, OnlyAtTheStartOfAComponent) {
    const PrefixCase cases[] = {
        {"16\\README.TXT", "README.TXT", 1},   {"32\\PROG.EXE", "PROG.EXE", 2},
        {"DOC\\32\\HELP.HLP", "DOC\\HELP.HLP", 2}, {"X32\\A.DLL", "X32\\A.DLL", 0},
        {"16\\32\\BOTH.DLL", "BOTH.DLL", 3},   {"32\\16\\ODD.DLL", "ODD.DLL", 3},
        {"A\\X16\\16\\B", "A\\X16\\16\\B", 0},  // only the first occurrence counts
        {"PLAIN.TXT", "PLAIN.TXT", 0},         {"16\\", "", 1},
        {"", "", 0},
    };
    for (const PrefixCase& c : cases) {
        char name[260];
        snprintf(name, sizeof name, "%s", c.name);
        EXPECT_EQ(StripVersionPrefix(name), c.bits) << c.name;
        EXPECT_STREQ(name, c.stripped) << c.name;
    }
}

class LanguageFilter : public testing::Test {
protected:
    void SetUp() override {
        path_ = testing::TempDir() + "filter_setup.inf";
        FILE* file = fopen(path_.c_str(), "wb");
        fputs("[LangName]\r\nlangdir=Language\r\nd=DEUTSCH\r\n", file);
        fclose(file);
        SetSetupInfoPath(path_.c_str());
        ResetLanguage();
    }
    void TearDown() override {
        ResetLanguage();
        remove(path_.c_str());
    }
    void Choose(const char* single) {
        snprintf(Language().singleLanguageName, sizeof Language().singleLanguageName, "%s", single);
    }
    std::string path_;
};

TEST_F(LanguageFilter, OnlyTheChosenLanguageFromItsDirectory) {
    Choose("Deutsch");
    EXPECT_TRUE(PassesLanguageFilter("LANGUAGE\\DEUTSCH.LNG"));
    EXPECT_TRUE(PassesLanguageFilter("language\\deutsch2.hlp"));
    EXPECT_FALSE(PassesLanguageFilter("LANGUAGE\\FRANCAIS.LNG"));
    EXPECT_FALSE(PassesLanguageFilter("APP\\LANGUAGE\\FRANCAIS.LNG"));
    EXPECT_TRUE(PassesLanguageFilter("MYLANGUAGE\\FRANCAIS.LNG"));  // not a component start
    EXPECT_TRUE(PassesLanguageFilter("FRANCAIS.LNG"));
    EXPECT_TRUE(PassesLanguageFilter("OTHER\\FRANCAIS.LNG"));
}

TEST_F(LanguageFilter, AllLanguagesWithoutASingleName) {
    Choose("");
    EXPECT_TRUE(PassesLanguageFilter("LANGUAGE\\FRANCAIS.LNG"));
}

TEST_F(LanguageFilter, NoLanguageDirectoryAcceptsEverything) {
    FILE* file = fopen(path_.c_str(), "wb");
    fputs("[LangName]\r\nd=DEUTSCH\r\n", file);
    fclose(file);
    Choose("Deutsch");
    EXPECT_TRUE(PassesLanguageFilter("LANGUAGE\\FRANCAIS.LNG"));
}

struct EmbeddedCase {
    std::string bytes;
    uint32_t position;
    uint32_t expected;
};

TEST(FindEmbeddedArchive, FirstLocalHeaderWithinTheBlock) {
    const std::string header("PK\x03\x04", 4);
    const EmbeddedCase cases[] = {
        {header + std::string(40, 'x'), 0, 0},
        {std::string(17, 'e') + header + std::string(40, 'x'), 0, 17},
        {std::string(17, 'e') + header + std::string(40, 'x'), 10, 7},
        {std::string(5, 'e') + header, 0, 0},             // fewer than 10 bytes... read 9
        {std::string(1019, 'e') + header + "xx", 0, 0},  // beyond the last place searched
        {std::string(1018, 'e') + header + "xx", 0, 1018},
        {std::string(2000, 'e'), 0, 0},
    };
    const std::string path = testing::TempDir() + "embedded.bin";
    for (const EmbeddedCase& c : cases) {
        FILE* file = fopen(path.c_str(), "wb");
        fwrite(c.bytes.data(), 1, c.bytes.size(), file);
        fclose(file);
        EXPECT_EQ(FindEmbeddedArchive(path.c_str(), c.position), c.expected) << c.bytes.size();
    }
    remove(path.c_str());
    EXPECT_EQ(FindEmbeddedArchive(path.c_str(), 0), 0u);
}

}  // namespace
