// The language state: letters from language entries, the lettered section
// names, the LangName key, message choice by index and the localized
// lookup with its fallback to the base section.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "setup/language.h"
#include "setup/setup_info.h"

namespace {

struct EntryCase {
    const char* entry;
    char letter;
    const char* install;
    const char* group;
    const char* ini;
    const char* nameKey;
};

TEST(Language, LetterAndSectionsFromEntry) {
    const EntryCase cases[] = {
        {"Deutsch,d", 'd', "installd", "Groupd", "inid", "d"},
        {"Francais,fr,x", 'f', "installf", "Groupf", "inif", "f"},
        {"English", '\0', "install", "Group", "ini", "0"},       // no comma: no letter
        {"English,", '\0', "install", "Group", "ini", "0"},      // empty second field
        {"", '\0', "install", "Group", "ini", "0"},              // empty entry (key 2 missing)
        {",e", 'e', "installe", "Groupe", "inie", "e"},          // empty name still has a letter
        {"Deutsch, d", ' ', "install ", "Group ", "ini ", " "},  // blanks are not trimmed
    };
    for (const EntryCase& c : cases) {
        ApplyLanguageEntry(c.entry);
        const LanguageState& state = Language();
        EXPECT_EQ(state.letter, c.letter) << c.entry;
        EXPECT_STREQ(state.installSection, c.install) << c.entry;
        EXPECT_STREQ(state.groupSection, c.group) << c.entry;
        EXPECT_STREQ(state.iniSection, c.ini) << c.entry;
        char key[2];
        LanguageNameKey(key);
        EXPECT_STREQ(key, c.nameKey) << c.entry;
    }
}

TEST(Language, LongEntryIsCutNotOverrun) {
    std::string entry(600, 'n');
    entry += ",q";
    ApplyLanguageEntry(entry.c_str());
    EXPECT_EQ(Language().letter, '\0');  // the letter lay beyond the 512-character read
}

TEST(Language, TextsByExactIndex) {
    const LanguageTexts texts = {"en", "de", "fr"};
    const struct {
        unsigned short index;
        const char* expected;
    } cases[] = {{1, "en"}, {2, "de"}, {3, "fr"}, {0, "en"}, {4, "en"}, {258, "en"}, {65535, "en"}};
    for (const auto& c : cases) {
        Language().index = c.index;
        EXPECT_STREQ(Localized(texts), c.expected) << c.index;
    }
}

class LocalizedLookup : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/langXXXXXX";
        int fd = mkstemp(pattern);
        ASSERT_GE(fd, 0);
        path_ = pattern;
        FILE* file = fdopen(fd, "w");
        fputs("[install]\n1=base1.zip,Z\n2=base2.txt\n4=base4.txt\n"
              "[installd]\n1=de1.zip,Z\n3=\n4=?!?!?!\n"
              "[Groupd]\nGroupname=Deutsch\n",
              file);
        fclose(file);
        SetSetupInfoPath(path_.c_str());
    }
    void TearDown() override { remove(path_.c_str()); }

    std::string Lookup(unsigned short index, const char* section, const char* key, int size = 260) {
        Language().index = index;
        char buffer[260];
        LocalizedRead(section, key, "<default>", buffer, size);
        return buffer;
    }

    std::string path_;
};

TEST_F(LocalizedLookup, FallbackRules) {
    const struct {
        unsigned short index;
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {2, "installd", "1", "de1.zip,Z"},     // present in the lettered section
        {2, "installd", "2", "base2.txt"},     // absent: the base section
        {2, "installd", "3", ""},              // present and empty: kept
        {2, "installd", "4", "base4.txt"},     // the marker itself counts as absent
        {2, "installd", "9", "<default>"},     // absent in both
        {1, "installd", "2", "<default>"},     // English never falls back
        {1, "installd", "1", "de1.zip,Z"},
        {1, "install", "2", "base2.txt"},
        {3, "install", "2", "base2.txt"},      // no letter: found at once
        {3, "install", "9", "<default>"},      // base of "install" is "instal"
        {2, "Groupd", "Groupname", "Deutsch"},
        {2, "Groupd", "1", "<default>"},
        {0, "installd", "2", "base2.txt"},     // any index but 1 falls back
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Lookup(c.index, c.section, c.key), c.expected) << c.index << " " << c.section << "/" << c.key;
    }
}

TEST_F(LocalizedLookup, BufferSizeBoundsEveryPath) {
    EXPECT_EQ(Lookup(2, "installd", "1", 4), "de1");
    EXPECT_EQ(Lookup(2, "installd", "2", 4), "bas");
    EXPECT_EQ(Lookup(1, "installd", "9", 4), "<de");
    EXPECT_EQ(Lookup(2, "installd", "4", 4), "bas");  // the marker, cut, is still absent
    EXPECT_EQ(Lookup(2, "installd", "3", 1), "");
    EXPECT_EQ(Lookup(2, "installd", "1", 7), "de1.zi");
}

}  // namespace
