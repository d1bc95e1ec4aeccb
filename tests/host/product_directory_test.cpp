// Folder browsing's product directory: the name taken from Dir, the rule
// that appends it to the picked folder, and the bounded browse prompt.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/dbcs_mode.h"
#include "setup/language.h"
#include "setup/product_directory.h"

namespace {

TEST(ProductDirectory, NameIsTheLastComponent) {
    EXPECT_STREQ(ProductDirectoryName("c:\\install"), "install");
    EXPECT_STREQ(ProductDirectoryName("c:\\programs\\corvane"), "corvane");
    EXPECT_STREQ(ProductDirectoryName("corvane"), "corvane");
    EXPECT_STREQ(ProductDirectoryName("c:\\"), "");
}

TEST(ProductDirectory, AppendRule) {
    const struct {
        const char* picked;
        const char* name;
        const char* expected;
    } cases[] = {
        {"D:\\Tools", "install", "D:\\Tools\\install"},
        {"D:\\", "install", "D:\\install"},
        {"D:\\Install", "install", "D:\\Install"},
        {"D:\\Installations", "install", "D:\\Installations"},
        {"D:\\INSTALL", "install", "D:\\INSTALL"},
        {"D:\\Instal", "install", "D:\\Instal\\install"},     // shorter than the name
        {"D:\\Tools\\install\\x", "install", "D:\\Tools\\install\\x\\install"},  // only the last part counts
        {"D:", "install", "D:"},                               // no backslash: unchanged
        {"\\\\server\\share", "install", "\\\\server\\share\\install"},
        {"D:\\Tools", "", "D:\\Tools"},                        // empty name: begins with it
        {"D:\\\xC4pfel", "\xE4pfel", "D:\\\xC4pfel\\\xE4pfel"}, // case folded for a to z only
    };
    for (const auto& c : cases) {
        char path[260];
        strcpy(path, c.picked);
        EXPECT_TRUE(AppendProductDirectory(path, c.name)) << c.picked;
        EXPECT_STREQ(path, c.expected) << c.picked;
    }
}

TEST(ProductDirectory, DoubleByteNamesAreComparedByCharacters) {
    DbcsMode mode(true);
    const struct {
        const char* picked;
        const char* name;
        const char* expected;
    } cases[] = {
        // 83 41 and 83 61 are two different characters, not one in two cases.
        {"D:\\\x83\x41", "\x83\x61", "D:\\\x83\x41\\\x83\x61"},
        {"D:\\\x83\x61pp", "\x83\x61", "D:\\\x83\x61pp"},
        {"D:\\\x83\x5C", "\x83\x5C", "D:\\\x83\x5C"},
        {"D:\\\x83\x5Cx", "\x83\x5C", "D:\\\x83\x5Cx"},
    };
    for (const auto& c : cases) {
        char path[260];
        strcpy(path, c.picked);
        EXPECT_TRUE(AppendProductDirectory(path, c.name)) << c.picked;
        EXPECT_STREQ(path, c.expected) << c.picked;
    }
}

TEST(ProductDirectory, ResultThatWouldNotFitIsRefused) {
    const std::string name = "install";
    // 251 + backslash + 7 = 259 characters: fits exactly.
    std::string fits = "D:\\" + std::string(248, 'a');
    char path[260];
    strcpy(path, fits.c_str());
    EXPECT_TRUE(AppendProductDirectory(path, name.c_str()));
    EXPECT_EQ(strlen(path), 259u);
    std::string tooLong = fits + "b";
    strcpy(path, tooLong.c_str());
    EXPECT_FALSE(AppendProductDirectory(path, name.c_str()));
    EXPECT_EQ(std::string(path), tooLong);
    std::string endsInBackslash = "D:\\" + std::string(249, 'a') + "\\";  // 253 + 7 = 260
    strcpy(path, endsInBackslash.c_str());
    EXPECT_FALSE(AppendProductDirectory(path, name.c_str()));
    EXPECT_EQ(std::string(path), endsInBackslash);
}

TEST(ProductDirectory, BrowsePromptByLanguage) {
    char prompt[260];
    Language().index = 1;
    FormatBrowsePrompt(prompt, "install");
    EXPECT_STREQ(prompt, "Please select the directory in which the install-directory shall be created:");
    Language().index = 2;
    FormatBrowsePrompt(prompt, "install");
    EXPECT_STREQ(prompt, "Bitte das Verzeichnis w\xE4hlen, in dem das install-Verzeichnis angelegt werden soll:");
    Language().index = 3;
    FormatBrowsePrompt(prompt, "install");
    EXPECT_STREQ(prompt, "S.v.p. choisissez le r\xE9pertoire dans lequel le r\xE9pertoire pour install sera cr\xE9\xE9:");
}

TEST(ProductDirectory, LongNameGivesAShortenedPrompt) {
    std::string name(259, 'n');
    char guard[300];
    memset(guard, '#', sizeof guard);
    Language().index = 1;
    FormatBrowsePrompt(guard, name.c_str());
    EXPECT_EQ(strlen(guard), 259u);
    EXPECT_EQ(std::string(guard, 41), "Please select the directory in which the ");
    EXPECT_EQ(guard[260], '#');
}

}  // namespace
