// Behaviour of the file layer that both builds share: the codes callers act
// on (2 missing file, 3 missing directory, 183 existing entry), the code
// cleared by every success, end of file, positions, sizes, attributes,
// directories, moves and stamps. Included by one test program per build.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "fs/file_ops.h"
#include "tests/fs/scratch_folder.h"

namespace file_ops_cases {

const unsigned long kFileNotFound = 2;
const unsigned long kPathNotFound = 3;
const unsigned long kAlreadyExists = 183;
const unsigned long kStale = 99;  // a code no operation here leaves by itself

class FileOps : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(scratch_.Folder().empty());
        SetFileErrorCode(kStale);
    }
    std::string Path(const char* name) const { return scratch_.Path(name); }

    ScratchFolder scratch_;
};

// Each operation on a missing file or below a missing directory.
struct MissingCase {
    const char* what;
    const char* name;
    unsigned long code;
};

const MissingCase kMissingCases[] = {
    {"open missing file", "nothing.txt", kFileNotFound},
    {"open below missing directory", "nodir\\nothing.txt", kPathNotFound},
    {"open two levels below missing directory", "nodir\\deeper\\nothing.txt", kPathNotFound},
};

TEST_F(FileOps, OpenReportsMissingFileAndMissingDirectory) {
    for (const MissingCase& c : kMissingCases) {
        SetFileErrorCode(kStale);
        EXPECT_EQ(OpenExistingFile(Path(c.name).c_str(), kModeRead), kInvalidFile) << c.what;
        EXPECT_EQ(FileErrorCode(), c.code) << c.what;
    }
}

TEST_F(FileOps, MissingEntriesForTheOtherOperations) {
    EXPECT_EQ(CreateNewFile(Path("nodir\\new.txt").c_str(), 0), kInvalidFile);
    EXPECT_EQ(FileErrorCode(), kPathNotFound);  // extraction creates the directories on exactly this

    SetFileErrorCode(kStale);
    EXPECT_EQ(GetAttributes(Path("nothing.txt").c_str()), 0u);  // never all bits set
    EXPECT_EQ(FileErrorCode(), kFileNotFound);

    SetFileErrorCode(kStale);
    RemoveFile(Path("nothing.txt").c_str());
    EXPECT_EQ(FileErrorCode(), kFileNotFound);

    SetFileErrorCode(kStale);
    MoveFileTo(Path("nothing.txt").c_str(), Path("other.txt").c_str());
    EXPECT_EQ(FileErrorCode(), kFileNotFound);

    SetFileErrorCode(kStale);
    SetAttributes(Path("nodir\\nothing.txt").c_str(), 0);
    EXPECT_EQ(FileErrorCode(), kPathNotFound);
}

TEST_F(FileOps, CreateWriteReadAndEndOfFile) {
    FileHandle file = CreateNewFile(Path("data.bin").c_str(), 0);
    ASSERT_NE(file, kInvalidFile);
    EXPECT_EQ(FileErrorCode(), 0u);

    uint16_t moved = 1234;
    SetFileErrorCode(kStale);
    WriteBlock(file, "hello, world", 12, &moved);
    EXPECT_EQ(FileErrorCode(), 0u);
    EXPECT_EQ(moved, 12);

    // Created files are open for reading too.
    EXPECT_EQ(SeekFile(file, 7, 0), 7);
    char buffer[64] = {};
    ReadBlock(file, buffer, sizeof buffer, &moved);
    EXPECT_EQ(FileErrorCode(), 0u);
    EXPECT_EQ(moved, 5);
    EXPECT_STREQ(buffer, "world");

    // The end of the file is no error.
    SetFileErrorCode(kStale);
    ReadBlock(file, buffer, sizeof buffer, &moved);
    EXPECT_EQ(FileErrorCode(), 0u);
    EXPECT_EQ(moved, 0);

    SetFileErrorCode(kStale);
    CloseFileHandle(file);
    EXPECT_EQ(FileErrorCode(), 0u);
    EXPECT_EQ(scratch_.Get("data.bin"), "hello, world");
}

TEST_F(FileOps, OpenExistingForReadingClearsTheCode) {
    scratch_.Put("a.txt", "abc");
    FileHandle file = OpenExistingFile(Path("a.txt").c_str(), kModeRead);
    ASSERT_NE(file, kInvalidFile);
    EXPECT_EQ(FileErrorCode(), 0u);
    // Opened for reading only: writing fails with some code.
    uint16_t moved = 77;
    WriteBlock(file, "x", 1, &moved);
    EXPECT_NE(FileErrorCode(), 0u);
    EXPECT_EQ(moved, 0);
    CloseFileHandle(file);
    EXPECT_EQ(scratch_.Get("a.txt"), "abc");
}

TEST_F(FileOps, WriteOnlyModeCannotRead) {
    scratch_.Put("w.txt", "abc");
    FileHandle file = OpenExistingFile(Path("w.txt").c_str(), kModeWrite);
    ASSERT_NE(file, kInvalidFile);
    char buffer[4];
    uint16_t moved = 77;
    ReadBlock(file, buffer, sizeof buffer, &moved);
    EXPECT_NE(FileErrorCode(), 0u);
    EXPECT_EQ(moved, 0);
    WriteBlock(file, "X", 1, &moved);
    EXPECT_EQ(FileErrorCode(), 0u);
    CloseFileHandle(file);
    EXPECT_EQ(scratch_.Get("w.txt"), "Xbc");
}

TEST_F(FileOps, ModeWithoutAccessOpensButNeitherReadsNorWrites) {
    scratch_.Put("n.txt", "abc");
    for (unsigned access = 3; access <= 15; access += 12) {
        FileHandle file = OpenExistingFile(Path("n.txt").c_str(), access);
        ASSERT_NE(file, kInvalidFile) << access;
        EXPECT_EQ(FileErrorCode(), 0u);
        char buffer[4];
        uint16_t moved = 77;
        ReadBlock(file, buffer, sizeof buffer, &moved);
        EXPECT_NE(FileErrorCode(), 0u) << access;
        EXPECT_EQ(moved, 0);
        WriteBlock(file, "X", 1, &moved);
        EXPECT_NE(FileErrorCode(), 0u) << access;
        CloseFileHandle(file);
    }
    EXPECT_EQ(scratch_.Get("n.txt"), "abc");
}

TEST_F(FileOps, CreateTruncatesAnExistingFile) {
    scratch_.Put("old.txt", "previous content");
    FileHandle file = CreateNewFile(Path("old.txt").c_str(), 0);
    ASSERT_NE(file, kInvalidFile);
    EXPECT_EQ(QueryFileSize(file), 0u);
    CloseFileHandle(file);
    EXPECT_EQ(scratch_.Get("old.txt"), "");
}

TEST_F(FileOps, SeekPositionsAndSize) {
    scratch_.Put("s.txt", "0123456789");
    FileHandle file = OpenExistingFile(Path("s.txt").c_str(), kModeRead);
    ASSERT_NE(file, kInvalidFile);
    EXPECT_EQ(SeekFile(file, 0, 2), 10);  // from the end: the size
    EXPECT_EQ(SeekFile(file, -4, 1), 6);
    EXPECT_EQ(SeekFile(file, 3, 0), 3);
    EXPECT_EQ(SeekFile(file, 20, 0), 20);  // beyond the end is allowed
    EXPECT_EQ(FileErrorCode(), 0u);

    // A negative position fails and keeps the old one.
    EXPECT_EQ(SeekFile(file, -1, 0), -1);
    EXPECT_NE(FileErrorCode(), 0u);
    EXPECT_EQ(SeekFile(file, 0, 1), 20);

    // The size query leaves the position where it was.
    EXPECT_EQ(SeekFile(file, 4, 0), 4);
    SetFileErrorCode(kStale);
    EXPECT_EQ(QueryFileSize(file), 10u);
    EXPECT_EQ(FileErrorCode(), 0u);
    EXPECT_EQ(SeekFile(file, 0, 1), 4);
    char c = 0;
    uint16_t moved = 0;
    ReadBlock(file, &c, 1, &moved);
    EXPECT_EQ(c, '4');
    CloseFileHandle(file);
}

TEST_F(FileOps, InvalidHandleFailsEveryHandleOperation) {
    SetFileErrorCode(0);
    EXPECT_EQ(SeekFile(kInvalidFile, 0, 2), -1);
    EXPECT_NE(FileErrorCode(), 0u);

    SetFileErrorCode(0);
    EXPECT_EQ(QueryFileSize(kInvalidFile), 0u);
    EXPECT_NE(FileErrorCode(), 0u);

    SetFileErrorCode(0);
    char buffer[4];
    uint16_t moved = 77;
    ReadBlock(kInvalidFile, buffer, sizeof buffer, &moved);
    EXPECT_NE(FileErrorCode(), 0u);
    EXPECT_EQ(moved, 0);

    SetFileErrorCode(0);
    EXPECT_EQ(GetFileStamp(kInvalidFile), 0u);
    EXPECT_NE(FileErrorCode(), 0u);

}

TEST_F(FileOps, ClosedHandleFails) {
    scratch_.Put("c.txt", "abc");
    FileHandle file = OpenExistingFile(Path("c.txt").c_str(), kModeRead);
    ASSERT_NE(file, kInvalidFile);
    CloseFileHandle(file);
    EXPECT_EQ(FileErrorCode(), 0u);
    EXPECT_EQ(SeekFile(file, 0, 2), -1);
    EXPECT_NE(FileErrorCode(), 0u);
    SetFileErrorCode(0);
    CloseFileHandle(file);
    EXPECT_NE(FileErrorCode(), 0u);
}

TEST_F(FileOps, TruncateAtPositionCutsAndExtends) {
    scratch_.Put("t.txt", "0123456789");
    FileHandle file = OpenExistingFile(Path("t.txt").c_str(), kModeReadWrite);
    ASSERT_NE(file, kInvalidFile);
    SeekFile(file, 4, 0);
    SetFileErrorCode(kStale);
    TruncateAtPosition(file);
    EXPECT_EQ(FileErrorCode(), 0u);
    EXPECT_EQ(QueryFileSize(file), 4u);
    // Extending to a preset length, as extraction does.
    SeekFile(file, 1000, 0);
    TruncateAtPosition(file);
    EXPECT_EQ(FileErrorCode(), 0u);
    EXPECT_EQ(QueryFileSize(file), 1000u);
    CloseFileHandle(file);
    EXPECT_EQ(scratch_.Get("t.txt").substr(0, 4), "0123");
}

TEST_F(FileOps, AttributesZeroMeansNormal) {
    scratch_.Put("r.txt", "x");
    const std::string path = Path("r.txt");
    SetAttributes(path.c_str(), 0x01);
    EXPECT_EQ(FileErrorCode(), 0u);
    EXPECT_EQ(GetAttributes(path.c_str()) & 0x01, 0x01u);
    SetFileErrorCode(kStale);
    SetAttributes(path.c_str(), 0);
    EXPECT_EQ(FileErrorCode(), 0u);
    SetFileErrorCode(kStale);
    const uint32_t plain = GetAttributes(path.c_str());
    EXPECT_EQ(FileErrorCode(), 0u);
    EXPECT_EQ(plain & 0x17, 0u);
    // Wine reports the archive bit on every file whatever was set.
    EXPECT_TRUE(plain == 0x80 || plain == 0x20) << plain;
}

TEST_F(FileOps, Directories) {
    const std::string dir = Path("sub");
    MakeDirectory(dir.c_str());
    EXPECT_EQ(FileErrorCode(), 0u);
    EXPECT_EQ(GetAttributes(dir.c_str()), 0x10u);

    SetFileErrorCode(kStale);
    MakeDirectory(dir.c_str());
    EXPECT_EQ(FileErrorCode(), kAlreadyExists);

    SetFileErrorCode(kStale);
    MakeDirectory(Path("missing\\sub").c_str());  // one level only
    EXPECT_EQ(FileErrorCode(), kPathNotFound);

    MakeDirectory(Path("sub\\deeper").c_str());
    EXPECT_EQ(FileErrorCode(), 0u);
    // Made inside a directory just made: plain attributes without a reset.
    EXPECT_EQ(GetAttributes(Path("sub\\deeper").c_str()), 0x10u);

    // A directory is no file to open, to delete or to make again.
    EXPECT_EQ(OpenExistingFile(dir.c_str(), kModeRead), kInvalidFile);
    EXPECT_NE(FileErrorCode(), 0u);
    RemoveFile(dir.c_str());
    EXPECT_NE(FileErrorCode(), 0u);
    EXPECT_EQ(GetAttributes(dir.c_str()), 0x10u);

    scratch_.Put("plain", "x");
    MakeDirectory(Path("plain").c_str());
    EXPECT_EQ(FileErrorCode(), kAlreadyExists);
}

TEST_F(FileOps, RemoveFileDeletes) {
    scratch_.Put("gone.txt", "x");
    RemoveFile(Path("gone.txt").c_str());
    EXPECT_EQ(FileErrorCode(), 0u);
    EXPECT_EQ(scratch_.Get("gone.txt"), "<missing>");

    // A read-only file stays until its attributes are reset.
    scratch_.Put("kept.txt", "x");
    SetAttributes(Path("kept.txt").c_str(), 0x01);
    RemoveFile(Path("kept.txt").c_str());
    EXPECT_NE(FileErrorCode(), 0u);
    EXPECT_EQ(scratch_.Get("kept.txt"), "x");
    SetAttributes(Path("kept.txt").c_str(), 0);
    RemoveFile(Path("kept.txt").c_str());
    EXPECT_EQ(FileErrorCode(), 0u);
}

TEST_F(FileOps, MoveRenamesButNeverReplaces) {
    scratch_.Put("a.txt", "A");
    scratch_.Put("b.txt", "B");
    MoveFileTo(Path("a.txt").c_str(), Path("b.txt").c_str());
    EXPECT_EQ(FileErrorCode(), kAlreadyExists);
    EXPECT_EQ(scratch_.Get("a.txt"), "A");
    EXPECT_EQ(scratch_.Get("b.txt"), "B");

    MakeDirectory(Path("dir").c_str());
    MoveFileTo(Path("a.txt").c_str(), Path("dir\\c.txt").c_str());
    EXPECT_EQ(FileErrorCode(), 0u);
    EXPECT_EQ(scratch_.Get("a.txt"), "<missing>");
    EXPECT_EQ(scratch_.Get("dir\\c.txt"), "A");

    MoveFileTo(Path("b.txt").c_str(), Path("nodir\\b.txt").c_str());
    EXPECT_EQ(FileErrorCode(), kPathNotFound);
    EXPECT_EQ(scratch_.Get("b.txt"), "B");
}

// Stamps written through a handle read back as the same packed value; odd
// seconds lose one.
struct StampCase {
    PackedStamp written;
    PackedStamp read;
};

const StampCase kStampCases[] = {
    {0x2B2A6C2D, 0x2B2A6C2D},  // 2001-09-10 13:33:26
    {0x2B2A6C26, 0x2B2A6C26},  // 13:33:12
    {0x21210000, 0x21210000},  // 1996-09-01 00:00:00
    {0x3C8FBF7D, 0x3C8FBF7D},  // 2010-04-15 23:59:58
};

TEST_F(FileOps, StampsRoundTripThroughAFile) {
    scratch_.Put("stamp.txt", "x");
    FileHandle file = OpenExistingFile(Path("stamp.txt").c_str(), kModeReadWrite);
    ASSERT_NE(file, kInvalidFile);
    for (const StampCase& c : kStampCases) {
        SetFileErrorCode(kStale);
        SetFileStamp(file, c.written);
        EXPECT_EQ(FileErrorCode(), 0u);
        SetFileErrorCode(kStale);
        EXPECT_EQ(GetFileStamp(file), c.read) << std::hex << c.written;
        EXPECT_EQ(FileErrorCode(), 0u);
    }
    // 13 seconds are stored as 6 and read back as 12.
    StampFields fields = {2001, 9, 10, 13, 33, 13};
    SetFileStamp(file, PackStamp(fields));
    EXPECT_EQ(UnpackStamp(GetFileStamp(file)).second, 12);
    CloseFileHandle(file);

    // And the stamp stays with the closed file.
    file = OpenExistingFile(Path("stamp.txt").c_str(), kModeRead);
    EXPECT_EQ(GetFileStamp(file), 0x2B2A6C26u);
    CloseFileHandle(file);
}

TEST_F(FileOps, ErrorCodeBelongsToTheThread) {
    unsigned long seenByOther = kStale;
    std::thread other([&seenByOther] {
        seenByOther = FileErrorCode();  // each thread starts at 0
        OpenExistingFile("no such file anywhere", kModeRead);
    });
    other.join();
    EXPECT_EQ(seenByOther, 0u);
    EXPECT_EQ(FileErrorCode(), kStale);
}

}  // namespace file_ops_cases
