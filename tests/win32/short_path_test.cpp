// Short path form under Wine, branch by branch. Expected short names come
// from the file system (GetShortPathNameA), never from this file: Wine's
// differ from those of Windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <string>

#include "fs/file_ops.h"
#include "fs/file_search.h"
#include "fs/short_path.h"
#include "tests/fs/scratch_folder.h"

namespace {

std::string Short(const std::string& path) {
    char output[kMaxPath];
    return ShortPathForm(path.c_str(), output);
}

// The system's short form, drive letter in upper case as ours has it.
std::string SystemShort(const std::string& path) {
    char buffer[MAX_PATH] = "";
    if (GetShortPathNameA(path.c_str(), buffer, sizeof buffer) == 0) return "<" + path + " not found>";
    if (buffer[0] != '\0' && buffer[1] == ':') buffer[0] = static_cast<char>(toupper(buffer[0]));
    return buffer;
}

std::string LastComponent(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

class ShortPath : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(scratch_.Folder().empty());
        GetCurrentDirectoryA(sizeof savedDirectory_, savedDirectory_);
        MakeDirectory(Path("Long Directory Name").c_str());
        MakeDirectory(Path("Long Directory Name\\tools").c_str());
        MakeDirectory(Path("Other Long Name.dir").c_str());
        MakeDirectory(Path("a").c_str());
        ASSERT_EQ(FileErrorCode(), 0u);
        // The test is only worth something when the system gives short names.
        ASSERT_NE(LastComponent(SystemShort(Path("Long Directory Name"))), "Long Directory Name");
    }
    void TearDown() override { SetCurrentDirectoryA(savedDirectory_); }
    std::string Path(const char* name) const { return scratch_.Path(name); }

    ScratchFolder scratch_;
    char savedDirectory_[MAX_PATH];
};

TEST_F(ShortPath, ExistingDirectoriesGiveTheSystemsShortNames) {
    const std::string full = Path("Long Directory Name\\tools");
    EXPECT_EQ(Short(full), SystemShort(full));
    EXPECT_EQ(Short(full + "\\"), SystemShort(full));

    // The caller's lower-case drive letter comes back in upper case.
    std::string lower = full;
    lower[0] = static_cast<char>(tolower(lower[0]));
    EXPECT_EQ(Short(lower), SystemShort(full));
}

TEST_F(ShortPath, MissingLastDirectoryKeepsTheCallersLetters) {
    SetFileErrorCode(99);
    EXPECT_EQ(Short(Path("Long Directory Name\\Missing Tools.x.y")),
              SystemShort(Path("Long Directory Name")) + "\\MissingTools_x.y");
    EXPECT_EQ(FileErrorCode(), 0u);
    EXPECT_EQ(Short(Path("No Such\\Long Directory Name")), SystemShort(scratch_.Folder()) + "\\NoSuch\\LongDirectoryName");
}

TEST_F(ShortPath, MissingDirectoryOnTheDrive) {
    ASSERT_EQ(GetFileAttributesA("C:\\NEW DIR.V1.0"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Short("C:\\NEW DIR.V1.0"), "C:\\NEWDIR_V1.0");
}

TEST_F(ShortPath, RootsAndShortInputs) {
    EXPECT_EQ(Short("c:"), "C:");
    EXPECT_EQ(Short("c:\\"), "C:\\");
    EXPECT_EQ(Short("\\"), "\\");
    EXPECT_EQ(Short("c:dir"), "c:dir");  // drive-relative: unchanged
    EXPECT_EQ(Short(""), "");
}

TEST_F(ShortPath, NetworkPaths) {
    EXPECT_EQ(Short("\\\\server"), "");
    EXPECT_EQ(Short("\\\\server\\"), "");
    EXPECT_EQ(Short("\\\\Server\\Share"), "\\\\Server\\Share");
    EXPECT_EQ(Short("\\\\Server\\Share\\"), "\\\\Server\\Share");
    EXPECT_EQ(Short("\\\\Server\\Share\\My Dir"), "\\\\Server\\Share\\MyDir");
}

TEST_F(ShortPath, StopsAtAnEmptyComponent) {
    EXPECT_EQ(Short(Path("a\\\\b")), SystemShort(Path("a")) + "\\");
    EXPECT_EQ(Short(Path("Long Directory Name\\\\tools")), SystemShort(Path("Long Directory Name")) + "\\");
}

TEST_F(ShortPath, RootedAndRelativePaths) {
    ASSERT_TRUE(SetCurrentDirectoryA(scratch_.Folder().c_str()));
    const std::string full = Path("Long Directory Name\\tools");
    ASSERT_EQ(full[1], ':');
    EXPECT_EQ(Short(full.substr(2)), SystemShort(full).substr(2));  // \dir\name on the current drive

    EXPECT_EQ(Short("Long Directory Name\\tools"), SystemShort("Long Directory Name\\tools"));
    EXPECT_EQ(Short("Long Directory Name"), LastComponent(SystemShort(Path("Long Directory Name"))));
    EXPECT_EQ(Short("missing name.a.b"), "missingname_a.b");
}

TEST_F(ShortPath, DotsAndParentLinks) {
    const std::string longShort = SystemShort(Path("Long Directory Name"));
    const std::string otherShort = LastComponent(SystemShort(Path("Other Long Name.dir")));
    // ".." is taken over; the next component is looked up through it.
    EXPECT_EQ(Short(Path("Long Directory Name\\..\\Other Long Name.dir")), longShort + "\\..\\" + otherShort);
    // "." names the same directory and stays what it is.
    EXPECT_EQ(Short(Path(".\\Long Directory Name")), SystemShort(scratch_.Folder()) + "\\.\\" + LastComponent(longShort));
    // The search ignores a trailing dot, the result keeps one.
    EXPECT_EQ(Short(Path("Long Directory Name.")), longShort + ".");
    EXPECT_EQ(Short(Path("missing.")), SystemShort(scratch_.Folder()) + "\\missing..");
}

TEST_F(ShortPath, ShortNamesAreTheSearchRecordsToo) {
    SearchRecord record;
    FindFirstEntry(Path("Other Long Name.dir").c_str(), kSearchAll, record);
    ASSERT_EQ(FileErrorCode(), 0u);
    ASSERT_NE(record.shortName[0], '\0');
    EXPECT_EQ(LastComponent(Short(Path("Other Long Name.dir"))), record.shortName);
    CloseSearch(record);
}

}  // namespace
