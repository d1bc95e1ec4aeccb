// Short path form on the host: every branch that needs no short names of a
// file system (the host keeps none), the sanitizing of missing components,
// and the upper-casing stand-in.
#include <gtest/gtest.h>

#include <string>

#include "base/startup_flags.h"
#include "fs/file_search.h"
#include "fs/short_path.h"
#include "fs/upper_case.h"
#include "tests/fs/scratch_folder.h"

namespace {

std::string Sanitized(const char* name) {
    char buffer[kMaxPath];
    CopyBounded(buffer, name, kMaxPath);
    SanitizeName(buffer);
    return buffer;
}

struct NameCase {
    const char* name;
    const char* sanitized;
};

const NameCase kNameCases[] = {
    {"My Dir", "MyDir"},
    {"a.b.c", "a_b.c"},
    {".profile", "_profile"},
    {"setup.inf", "setup.inf"},
    {"NEW DIR.V1.0", "NEWDIR_V1.0"},
    {"  lead and trail  ", "leadandtrail"},
    {"..", "_."},
    {"abc.", "abc."},
    {"", ""},
    {" ", ""},
    {". .", "_."},
    {"Case Stays", "CaseStays"},
};

TEST(SanitizeName, BlanksGoAndOnlyTheLastDotStays) {
    for (const NameCase& c : kNameCases) EXPECT_EQ(Sanitized(c.name), c.sanitized) << "[" << c.name << "]";
}

std::string Short(const std::string& path) {
    char output[kMaxPath];
    return ShortPathForm(path.c_str(), output);
}

struct ShortCase {
    const char* path;
    const char* expected;
};

// Paths whose components are all missing on the host.
const ShortCase kShortCases[] = {
    {"\\", "\\"},
    {"c:", "C:"},
    {"c:\\", "C:\\"},
    {"c:x", "C:X"},  // three characters: upper-cased whole
    {"c:dir", "c:dir"},  // drive-relative stays as given
    {"c:dir\\", "c:dir"},
    {"C:\\NEW DIR.V1.0", "C:\\NEWDIR_V1.0"},
    {"c:\\program files\\tools\\", "C:\\programfiles\\tools"},
    {"C:\\a\\\\b", "C:\\a\\"},  // stops at the empty component
    {"c:\\\\", "C:\\"},
    {"\\\\server", ""},
    {"\\\\server\\", ""},
    {"\\\\Server\\Share", "\\\\Server\\Share"},
    {"\\\\Server\\Share\\", "\\\\Server\\Share"},
    {"\\\\Server\\Share\\\\", "\\\\Server\\Share\\"},
    {"\\\\Server\\Share\\My Dir", "\\\\Server\\Share\\MyDir"},
    {"\\\\", "\\"},
    {"\\no such root dir\\x y", "\\nosuchrootdir\\xy"},
    {"no such relative.a.b", "nosuchrelative_a.b"},
    {"no such\\rel ative", "nosuch\\relative"},
    {"c:\\x\\..\\y", "C:\\x\\..\\y"},
    {"c:\\x\\.\\y", "C:\\x\\.\\y"},
    {"c:\\abc.", "C:\\abc.."},  // a missing name keeps its dot and gains one
    {"", ""},
};

TEST(ShortPathForm, BranchesWithMissingComponents) {
    for (const ShortCase& c : kShortCases) {
        SetFileErrorCode(99);
        EXPECT_EQ(Short(c.path), c.expected) << "[" << c.path << "]";
    }
}

TEST(ShortPathForm, MissingComponentsClearTheCode) {
    SetFileErrorCode(99);
    Short("\\no such root dir\\x");
    EXPECT_EQ(FileErrorCode(), 0u);
}

// Host folders as rooted paths: \tmp\... with backslashes.
std::string Rooted(const std::string& hostPath) {
    std::string path = hostPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

TEST(ShortPathForm, ExistingComponentsKeepTheirStoredSpelling) {
    ScratchFolder scratch;
    const std::string root = Rooted(scratch.Folder());
    MakeDirectory((root + "\\Long Dir.v2").c_str());
    scratch.Put("Long Dir.v2\\Read Me.txt", "x");

    EXPECT_EQ(Short(root + "\\Long Dir.v2\\Read Me.txt"), root + "\\Long Dir.v2\\Read Me.txt");
    EXPECT_EQ(Short(root + "\\Long Dir.v2\\new sub.a.b\\"), root + "\\Long Dir.v2\\newsub_a.b");
    EXPECT_EQ(Short(root + "\\Long Dir.v2\\..\\Long Dir.v2"), root + "\\Long Dir.v2\\..\\Long Dir.v2");
    EXPECT_EQ(Short(root + "\\Long Dir.v2\\\\Read Me.txt"), root + "\\Long Dir.v2\\");
    // A wildcard component takes the name of the first match.
    EXPECT_EQ(Short(root + "\\Long*"), root + "\\Long Dir.v2");
}

TEST(ShortPathForm, ResultStaysWithinItsBuffer) {
    // Each missing component with a trailing dot gains a dot; 85 of them
    // would need more than the buffer holds.
    std::string path;
    while (path.size() + 3 <= 259) path += "\\a.";
    ASSERT_LE(path.size(), 259u);
    const std::string result = Short(path);
    EXPECT_EQ(result.size(), 259u);
    std::string unbounded;
    while (unbounded.size() < 400) unbounded += "\\a..";
    EXPECT_EQ(result, unbounded.substr(0, 259));
}

TEST(ShortPathForm, OverlongInputIsCut) {
    const std::string path = "\\" + std::string(400, 'x');
    const std::string result = Short(path);
    EXPECT_LE(result.size(), 259u);
}

TEST(UpperCaseText, AnsiLetters) {
    char text[] = "c:\\program files\\\xe9t\xe9 \xff\xf7";
    UpperCaseText(text);
    EXPECT_STREQ(text, "C:\\PROGRAM FILES\\\xc9T\xc9 \x9f\xf7");
}

class DbcsMode {
public:
    DbcsMode() : saved_(GetStartupFlags()) {
        StartupFlags flags = saved_;
        flags.dbcs = true;
        SetStartupFlags(flags);
    }
    ~DbcsMode() { SetStartupFlags(saved_); }

private:
    StartupFlags saved_;
};

// Shift JIS characters whose trail bytes are a backslash and a small
// letter: neither separates components nor changes case.
TEST(ShortPathForm, DoubleByteCharactersStayWhole) {
    DbcsMode dbcs;
    EXPECT_EQ(Short("\\\x83\x5C" " dir\\a\x83\x61" " b"), "\\\x83\x5C" "dir\\a\x83\x61" "b");
    EXPECT_EQ(Sanitized("\x83\x5C" ".a.\x83\x5C" " b"), "\x83\x5C" "_a.\x83\x5C" "b");
    char text[] = "ab\x83\x61";
    UpperCaseText(text);
    EXPECT_STREQ(text, "AB\x83\x61");
}

}  // namespace
