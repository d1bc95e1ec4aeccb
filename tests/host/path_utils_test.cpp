// Path and string utilities: the edge cases callers rely on, single-byte
// and with a double-byte character set (code page 932 on the host).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fs/path_utils.h"
#include "host/dbcs_mode.h"

namespace {

// All tokens of text, "<null>" marking the end.
std::vector<std::string> Tokens(const char* text) {
    char buffer[kMaxPath];
    CopyBounded(buffer, text, kMaxPath);
    std::vector<std::string> tokens;
    for (char* token = NextToken(buffer, ','); token; token = NextToken(nullptr, ',')) tokens.push_back(token);
    tokens.push_back("<null>");
    return tokens;
}

std::string Added(const char* path) {
    char buffer[kMaxPath];
    CopyBounded(buffer, path, kMaxPath);
    AddBackslash(buffer);
    return buffer;
}

std::string Removed(const char* path) {
    char buffer[kMaxPath];
    CopyBounded(buffer, path, kMaxPath);
    RemoveBackslash(buffer);
    return buffer;
}

// A Shift JIS character whose trail byte is the backslash code.
const char kSo[] = "\x83\x5C";

class PathUtils : public testing::TestWithParam<bool> {
protected:
    DbcsMode mode_{GetParam()};
};

TEST_P(PathUtils, NextTokenSplitsAtEveryComma) {
    EXPECT_EQ(Tokens("a,,b,"), (std::vector<std::string>{"a", "", "b", "", "<null>"}));
    EXPECT_EQ(Tokens("whole"), (std::vector<std::string>{"whole", "<null>"}));
    EXPECT_EQ(Tokens(""), (std::vector<std::string>{"", "<null>"}));
    EXPECT_EQ(Tokens("file, Z"), (std::vector<std::string>{"file", " Z", "<null>"}));
    EXPECT_EQ(NextToken(nullptr, ','), nullptr);
}

TEST_P(PathUtils, NewTextAbandonsThePreviousOne) {
    char first[] = "a,b,c";
    char second[] = "x,y";
    NextToken(first, ',');
    EXPECT_STREQ(NextToken(second, ','), "x");
    EXPECT_STREQ(NextToken(nullptr, ','), "y");
    EXPECT_EQ(NextToken(nullptr, ','), nullptr);
}

TEST_P(PathUtils, BackslashesAtTheEnd) {
    EXPECT_EQ(Added("C:"), "C:\\");
    EXPECT_EQ(Added("C:\\dir\\"), "C:\\dir\\");
    EXPECT_EQ(Added(""), "");
    EXPECT_EQ(Removed("C:\\dir\\"), "C:\\dir");
    EXPECT_EQ(Removed("C:\\"), "C:");
    EXPECT_EQ(Removed("\\"), "");
    EXPECT_EQ(Removed(""), "");
    EXPECT_EQ(Removed("C:\\dir"), "C:\\dir");
}

TEST_P(PathUtils, NamePartIsTheTextAfterTheLastSeparator) {
    EXPECT_STREQ(NamePart("C:\\dir\\file.ext", '\\'), "file.ext");
    EXPECT_STREQ(NamePart("file.ext", '\\'), "file.ext");
    EXPECT_STREQ(NamePart("C:\\dir\\", '\\'), "");
    EXPECT_STREQ(NamePart("", '\\'), "");
}

TEST_P(PathUtils, ScansFindFirstAndLast) {
    const char text[] = "a\\b\\c";
    EXPECT_EQ(ScanChar(text, '\\'), text + 1);
    EXPECT_EQ(ScanCharBack(text, '\\'), text + 3);
    EXPECT_EQ(ScanChar(text, 'x'), nullptr);
    EXPECT_EQ(ScanCharBack(text, 'x'), nullptr);
    EXPECT_EQ(ScanChar(text, '\0'), text + 5);
    EXPECT_EQ(ScanCharBack("", '\\'), nullptr);
    EXPECT_EQ(ScanCharBack("\\", '\\') != nullptr, true);
}

struct RootCase {
    const char* path;
    bool root;
};

TEST_P(PathUtils, RootsOfDrivesAndShares) {
    const RootCase cases[] = {
        {"C:\\", true},           {"C:", false},          {"C:\\dir", false},        {"", false},
        {"\\\\server", false},    {"\\\\server\\", false}, {"\\\\server\\share", true}, {"\\\\server\\share\\", true},
        {"\\\\server\\share\\dir", false}, {"\\\\", false}, {"x:\\", true},           {"C:/", false},
    };
    for (const RootCase& c : cases) EXPECT_EQ(IsRootPath(c.path), c.root) << c.path;
    EXPECT_TRUE(IsUncPath("\\\\s"));
    EXPECT_FALSE(IsUncPath("\\s"));
}

INSTANTIATE_TEST_SUITE_P(SingleAndDoubleByte, PathUtils, testing::Bool());

TEST(PathUtilsDbcs, TrailByteBackslashIsNotASeparator) {
    DbcsMode dbcs(true);
    std::string path = std::string("C:\\") + kSo + "\\" + kSo;  // C:\<so>\<so>
    const char* text = path.c_str();
    EXPECT_EQ(ScanChar(text + 3, '\\'), text + 5);
    EXPECT_EQ(ScanCharBack(text, '\\'), text + 5);
    EXPECT_STREQ(NamePart(text, '\\'), kSo);
    EXPECT_EQ(ScanChar(kSo, '\\'), nullptr);
    EXPECT_EQ(ScanCharBack(kSo, '\\'), nullptr);
    EXPECT_EQ(LastCharacter(text), text + 6);
    const char empty[] = "";
    EXPECT_EQ(LastCharacter(empty), empty);
    // A name ending in such a character still needs its backslash, and
    // loses nothing when one is removed.
    EXPECT_EQ(Added(text), path + "\\");
    EXPECT_EQ(Removed(text), path);
}

TEST(PathUtilsDbcs, SingleByteModeTakesTheTrailByteAsBackslash) {
    DbcsMode dbcs(false);
    EXPECT_EQ(ScanChar(kSo, '\\'), kSo + 1);
}

TEST(PathUtilsDbcs, TokensOfDoubleByteText) {
    DbcsMode dbcs(true);
    std::string text = std::string(kSo) + ",x";
    EXPECT_EQ(Tokens(text.c_str()), (std::vector<std::string>{kSo, "x", "<null>"}));
}

TEST(CopyBounded, CutsAndTerminates) {
    char buffer[4];
    CopyBounded(buffer, "abcdef", sizeof buffer);
    EXPECT_STREQ(buffer, "abc");
    CopyBounded(buffer, "", sizeof buffer);
    EXPECT_STREQ(buffer, "");
}

}  // namespace
