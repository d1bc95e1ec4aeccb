// Behaviour of the directory search and the path classifier that both
// builds share. Included by one test program per build.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "fs/file_search.h"
#include "tests/fs/scratch_folder.h"

namespace file_search_cases {

const unsigned long kFileNotFound = 2;
const unsigned long kPathNotFound = 3;
const unsigned long kNoMoreFiles = 18;

class FileSearch : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(scratch_.Folder().empty());
        scratch_.Put("a.txt", "1");
        scratch_.Put("b.txt", "22");
        scratch_.Put("C.TXT", "333");
        scratch_.Put("other.dat", "4444");
        MakeDirectory(Path("sub").c_str());
        ASSERT_EQ(FileErrorCode(), 0u);
    }
    std::string Path(const char* name) const { return scratch_.Path(name); }

    // Every entry the search visits, by name, with how often it was seen.
    std::map<std::string, int> Visit(const std::string& pattern, uint16_t mask) {
        std::map<std::string, int> seen;
        SearchRecord record;
        FindFirstEntry(pattern.c_str(), mask, record);
        int guard = 0;
        while (FileErrorCode() == 0 && ++guard < 100) {
            ++seen[record.name];
            FindNextEntry(record);
        }
        lastRecordClosed_ = record.searchHandle == kNoSearch;
        return seen;
    }

    ScratchFolder scratch_;
    bool lastRecordClosed_ = false;
};

TEST_F(FileSearch, NothingFoundLeavesCodeTwoAndAClosedRecord) {
    SearchRecord record;
    record.searchHandle = 12345;  // not initialised by callers
    FindFirstEntry(Path("nothing.txt").c_str(), kSearchAll, record);
    EXPECT_EQ(FileErrorCode(), kFileNotFound);
    EXPECT_EQ(record.searchHandle, kNoSearch);
    CloseSearch(record);  // changes nothing
    EXPECT_EQ(FileErrorCode(), kFileNotFound);
    EXPECT_EQ(record.searchHandle, kNoSearch);

    FindFirstEntry(Path("*.none").c_str(), kSearchAll, record);
    EXPECT_EQ(FileErrorCode(), kFileNotFound);
    FindFirstEntry(Path("nodir\\*.txt").c_str(), kSearchAll, record);
    EXPECT_EQ(FileErrorCode(), kPathNotFound);
    FindFirstEntry(Path("nodir\\a.txt").c_str(), kSearchAll, record);
    EXPECT_EQ(FileErrorCode(), kPathNotFound);
}

TEST_F(FileSearch, EveryMatchOnceThenEighteen) {
    const std::map<std::string, int> expected = {{"a.txt", 1}, {"b.txt", 1}, {"C.TXT", 1}};
    EXPECT_EQ(Visit(Path("*.txt"), kSearchAll), expected);
    EXPECT_EQ(FileErrorCode(), kNoMoreFiles);
    EXPECT_TRUE(lastRecordClosed_);

    const std::map<std::string, int> single = {{"other.dat", 1}};
    EXPECT_EQ(Visit(Path("other.dat"), kSearchAll), single);
    EXPECT_EQ(FileErrorCode(), kNoMoreFiles);
    EXPECT_TRUE(lastRecordClosed_);

    EXPECT_EQ(Visit(Path("?.txt"), kSearchAll).count("a.txt"), 1u);
    EXPECT_EQ(Visit(Path("?.txt"), kSearchAll), (std::map<std::string, int>{{"a.txt", 1}, {"b.txt", 1}, {"C.TXT", 1}}));
}

TEST_F(FileSearch, RecordCarriesSizeStampAndAttributes) {
    FileHandle file = OpenExistingFile(Path("other.dat").c_str(), kModeReadWrite);
    SetFileStamp(file, 0x2B2A6C2D);
    CloseFileHandle(file);
    SetAttributes(Path("b.txt").c_str(), kEntryReadOnly);

    SearchRecord record;
    FindFirstEntry(Path("other.dat").c_str(), kSearchAll, record);
    ASSERT_EQ(FileErrorCode(), 0u);
    EXPECT_STREQ(record.name, "other.dat");
    EXPECT_EQ(record.size, 4u);
    EXPECT_EQ(record.stamp, 0x2B2A6C2Du);
    EXPECT_EQ(record.attributes & ~kEntryArchive, 0);
    EXPECT_EQ(record.attributeMask, kSearchAll);
    CloseSearch(record);
    EXPECT_EQ(FileErrorCode(), 0u);
    EXPECT_EQ(record.searchHandle, kNoSearch);

    FindFirstEntry(Path("b.txt").c_str(), kSearchAll, record);
    EXPECT_EQ(record.attributes & ~kEntryArchive, kEntryReadOnly);
    CloseSearch(record);
    FindFirstEntry(Path("sub").c_str(), kSearchAll, record);
    EXPECT_EQ(record.attributes & ~kEntryArchive, kEntryDirectory);
    EXPECT_EQ(record.size, 0u);
    CloseSearch(record);
    SetAttributes(Path("b.txt").c_str(), 0);
}

TEST_F(FileSearch, MaskLeavesOutWhatItLacks) {
    SetAttributes(Path("b.txt").c_str(), kEntryReadOnly);
    // Mask 0: neither directories (sub, the dot entries) nor read-only files.
    auto plain = Visit(Path("*"), 0);
    EXPECT_EQ(plain.count("sub"), 0u);
    EXPECT_EQ(plain.count("b.txt"), 0u);
    EXPECT_EQ(plain.count("a.txt"), 1u);
    EXPECT_EQ(plain.count("other.dat"), 1u);

    auto withDirectories = Visit(Path("*"), kEntryDirectory);
    EXPECT_EQ(withDirectories.count("sub"), 1u);
    EXPECT_EQ(withDirectories.count("b.txt"), 0u);

    // A single entry that the mask excludes: the search runs out (18).
    SearchRecord record;
    FindFirstEntry(Path("sub").c_str(), 0, record);
    EXPECT_EQ(FileErrorCode(), kNoMoreFiles);
    EXPECT_EQ(record.searchHandle, kNoSearch);
    SetAttributes(Path("b.txt").c_str(), 0);
}

TEST_F(FileSearch, NextOnAClosedRecordFails) {
    SearchRecord record;
    FindFirstEntry(Path("a.txt").c_str(), kSearchAll, record);
    CloseSearch(record);
    SetFileErrorCode(0);
    FindNextEntry(record);
    EXPECT_NE(FileErrorCode(), 0u);
    EXPECT_EQ(record.searchHandle, kNoSearch);
}

TEST_F(FileSearch, PathKinds) {
    EXPECT_EQ(PathKind(nullptr), kPathNothing);
    EXPECT_EQ(PathKind(Path("a.txt").c_str()), kPathFile);
    EXPECT_EQ(FileErrorCode(), kNoMoreFiles);  // the search ran to its end
    EXPECT_EQ(PathKind(Path("sub").c_str()), kPathDirectory);
    EXPECT_EQ(PathKind((Path("sub") + "\\").c_str()), kPathDirectory);
    EXPECT_EQ(PathKind(Path("nothing").c_str()), kPathNothing);
    EXPECT_NE(FileErrorCode(), 0u);
    EXPECT_EQ(PathKind(Path("nodir\\nothing").c_str()), kPathNothing);
    EXPECT_EQ(PathKind((Path("a.txt") + "\\").c_str()), kPathFile);
    EXPECT_TRUE(IsDirectory(Path("sub").c_str()));
    EXPECT_FALSE(IsDirectory(Path("a.txt").c_str()));
    EXPECT_FALSE(IsDirectory(Path("nothing").c_str()));
}

}  // namespace file_search_cases
