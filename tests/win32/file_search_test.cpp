// The product's directory search under Wine: the behaviour both builds
// share, then roots and the short names the file system keeps.
#include <windows.h>

#include "tests/fs/file_search_cases.h"

namespace {

using file_search_cases::FileSearch;

// Restores the process's current directory when the test ends.
class CurrentDirectoryKeeper {
public:
    CurrentDirectoryKeeper() { GetCurrentDirectoryA(sizeof saved_, saved_); }
    ~CurrentDirectoryKeeper() { SetCurrentDirectoryA(saved_); }

private:
    char saved_[MAX_PATH];
};

TEST_F(FileSearch, DriveRootBecomesTheCurrentDirectory) {
    CurrentDirectoryKeeper keeper;
    SetCurrentDirectoryA(scratch_.Folder().c_str());
    SetFileErrorCode(99);
    EXPECT_EQ(PathKind("C:\\"), kPathDirectory);
    EXPECT_EQ(FileErrorCode(), 99u);  // roots leave the code alone
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_STREQ(current, "C:\\");

    SetCurrentDirectoryA(scratch_.Folder().c_str());
    char missingDrive[] = "?:\\";
    const DWORD drives = GetLogicalDrives();
    for (int i = 25; i >= 3; --i)
        if (!(drives & (1u << i))) missingDrive[0] = static_cast<char>('A' + i);
    ASSERT_NE(missingDrive[0], '?');
    EXPECT_EQ(PathKind(missingDrive), kPathNothing);
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_EQ(scratch_.Folder(), current);
    EXPECT_EQ(PathKind(""), kPathNothing);
}

TEST_F(FileSearch, ShortNameOnlyWhenTheSystemKeepsADifferentOne) {
    scratch_.Put("Long File Name.text", "x");
    const std::string longPath = Path("Long File Name.text");
    char shortPath[MAX_PATH];
    ASSERT_NE(GetShortPathNameA(longPath.c_str(), shortPath, sizeof shortPath), 0u);
    const char* expected = strrchr(shortPath, '\\') + 1;
    ASSERT_STRNE(expected, "Long File Name.text");

    SearchRecord record;
    FindFirstEntry(longPath.c_str(), kSearchAll, record);
    ASSERT_EQ(FileErrorCode(), 0u);
    EXPECT_STREQ(record.name, "Long File Name.text");
    EXPECT_STREQ(record.shortName, expected);
    CloseSearch(record);

    // Whatever the system gives as the other name of a.txt, the record
    // holds it only when it differs from the name.
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(Path("a.txt").c_str(), &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    FindFirstEntry(Path("a.txt").c_str(), kSearchAll, record);
    EXPECT_STREQ(record.shortName, strcmp(data.cAlternateFileName, "a.txt") != 0 ? data.cAlternateFileName : "");
    CloseSearch(record);
}

}  // namespace
