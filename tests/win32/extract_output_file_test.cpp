// Preparing the output of a member under Wine: every missing directory
// level on drive and UNC-style paths, directory members, the size
// reservation on NTFS (and none without the NT flag), the refusal of
// over-long paths.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/startup_flags.h"
#include "fs/file_ops.h"
#include "testlib/distribution.h"
#include "unzip/output_file.h"

namespace {

bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class OutputFile : public testing::Test {
protected:
    void SetUp() override {
        RecordStartupFlags();
        folder_ = MakeTemporaryFolder("outfile");
    }
    void TearDown() override {
        RecordStartupFlags();
        RemoveTree(folder_);
    }
    std::string In(const std::string& name) const { return folder_ + "\\" + name; }

    std::string folder_;
};

// Output paths below the test folder, as drive and as UNC-style paths.
struct LevelCase {
    const char* prefix;  // put in front of the drive path
    const char* below;
    bool directory;
};

const LevelCase kLevelCases[] = {
    {"", "file.txt", false},
    {"", "a\\file.txt", false},
    {"", "a\\b\\c\\d\\file.txt", false},
    {"", "dir\\", true},
    {"", "p\\q\\r\\", true},
    {"\\\\?\\", "u\\v\\file.txt", false},  // server "?", share "C:"
    {"\\\\?\\", "w\\x\\", true},
    {"\\\\.\\", "y\\z\\file.txt", false},  // server ".", share "C:"
};

class OutputLevels : public OutputFile, public testing::WithParamInterface<LevelCase> {};

TEST_P(OutputLevels, EveryMissingLevelIsCreated) {
    const LevelCase& c = GetParam();
    std::string path = c.prefix + In(c.below);
    FileHandle file = PrepareOutputFile(path.c_str(), c.directory, 0);
    if (c.directory) {
        EXPECT_EQ(file, kInvalidFile);
        EXPECT_EQ(FileErrorCode(), 0u);
        EXPECT_TRUE(IsFolder(In(c.below)));
    } else {
        ASSERT_NE(file, kInvalidFile) << path << " code " << FileErrorCode();
        EXPECT_EQ(FileErrorCode(), 0u);
        CloseFileHandle(file);
        DWORD attributes = GetFileAttributesA(In(c.below).c_str());
        EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
        EXPECT_FALSE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, OutputLevels, testing::ValuesIn(kLevelCases));

TEST_F(OutputFile, NtfsReservesEverySizeOnlyWithTheNtFlag) {
    for (bool nt : {true, false}) {
        StartupFlags flags = GetStartupFlags();
        flags.nt = nt;
        SetStartupFlags(flags);
        for (uint32_t size : {1u, 20000u, 32768u, 10u * 1024 * 1024}) {
            std::string path = In((nt ? "nt" : "win95") + std::to_string(size) + ".bin");
            FileHandle file = PrepareOutputFile(path.c_str(), false, size);
            ASSERT_NE(file, kInvalidFile);
            EXPECT_EQ(QueryFileSize(file), nt ? size : 0u) << size;
            EXPECT_EQ(SeekFile(file, 0, 1), 0);  // writing starts at the beginning
            EXPECT_EQ(FileErrorCode(), 0u);
            CloseFileHandle(file);
        }
    }
}

TEST_F(OutputFile, ExistingFileIsReplaced) {
    std::string path = In("old.txt");
    FILE* old = fopen(path.c_str(), "wb");
    fputs("old content", old);
    fclose(old);
    FileHandle file = PrepareOutputFile(path.c_str(), false, 0);
    ASSERT_NE(file, kInvalidFile);
    EXPECT_EQ(QueryFileSize(file), 0u);
    CloseFileHandle(file);
}

TEST_F(OutputFile, FileWhereADirectoryShouldBeLeavesTheCodeSet) {
    std::string blocker = In("blocker");
    FILE* file = fopen(blocker.c_str(), "wb");
    fclose(file);
    EXPECT_EQ(PrepareOutputFile((blocker + "\\inside.txt").c_str(), false, 0), kInvalidFile);
    EXPECT_NE(FileErrorCode(), 0u);
}

TEST_F(OutputFile, UncPathWithoutShareCreatesNothing) {
    EXPECT_EQ(PrepareOutputFile("\\\\nosuchserver", true, 0), kInvalidFile);
    EXPECT_EQ(PrepareOutputFile("\\\\nosuchserver\\", true, 0), kInvalidFile);
}

TEST_F(OutputFile, OverLongPathIsRefused) {
    std::string path = In(std::string(300, 'n'));
    EXPECT_EQ(PrepareOutputFile(path.c_str(), false, 0), kInvalidFile);
    EXPECT_EQ(FileErrorCode(), 206u);
}

}  // namespace
