// The product's file layer under Wine: the behaviour both builds share,
// then what only Win32 has: sharing modes, the times a stamp leaves alone,
// the conversion from file times, and the NTFS test.
#include <windows.h>

#include "base/startup_flags.h"
#include "fs/file_time_win32.h"
#include "tests/fs/file_ops_cases.h"

namespace {

const unsigned long kSharingViolation = 32;

using file_ops_cases::FileOps;

// A handle held by someone else while the layer opens the same file.
class OtherHolder {
public:
    OtherHolder(const std::string& path, DWORD access, DWORD sharing)
        : handle_(CreateFileA(path.c_str(), access, sharing, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~OtherHolder() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// Whether the layer can open the file in mode while the other handle is held.
struct SharingCase {
    const char* what;
    DWORD otherAccess;
    DWORD otherSharing;
    unsigned mode;
    bool opens;
};

const SharingCase kSharingCases[] = {
    {"mode 0 beside a writer that shares writing", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, 0x00, true},
    {"mode 0 beside a reader that denies reading", GENERIC_READ, FILE_SHARE_WRITE, 0x00, false},
    {"mode 0 beside a writer that shares only reading", GENERIC_WRITE, FILE_SHARE_READ, 0x00, true},
    {"mode 0 beside a writer that shares nothing", GENERIC_WRITE, 0, 0x00, false},
    {"mode 1 beside a writer that shares only reading", GENERIC_WRITE, FILE_SHARE_READ, 0x01, false},
    {"mode 2 beside a writer that shares writing", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, 0x02, true},
    {"deny none beside a reader", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, 0x40, true},
    {"exclusive beside a reader", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, 0x10, false},
    {"mode 5x opens exclusively", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, 0x50, false},
    {"mode Fx opens exclusively", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, 0xF0, false},
    {"deny write beside a writer", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, 0x20, false},
    {"deny write beside a reader", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, 0x20, true},
    {"deny read beside a reader", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, 0x30, false},
    {"deny read beside a writer", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, 0x30, true},
};

TEST_F(FileOps, SharingAgainstAnotherHandle) {
    scratch_.Put("shared.txt", "content");
    const std::string path = Path("shared.txt");
    for (const SharingCase& c : kSharingCases) {
        OtherHolder other(path, c.otherAccess, c.otherSharing);
        ASSERT_TRUE(other.Valid()) << c.what;
        SetFileErrorCode(0);
        FileHandle file = OpenExistingFile(path.c_str(), c.mode);
        EXPECT_EQ(file != kInvalidFile, c.opens) << c.what;
        EXPECT_EQ(FileErrorCode(), c.opens ? 0 : kSharingViolation) << c.what;
        if (file != kInvalidFile) CloseFileHandle(file);
    }
}

TEST_F(FileOps, ExclusiveOpenShutsOthersOut) {
    scratch_.Put("mine.txt", "content");
    const std::string path = Path("mine.txt");
    FileHandle file = OpenExistingFile(path.c_str(), kModeRead | kShareExclusive);
    ASSERT_NE(file, kInvalidFile);
    OtherHolder reader(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_FALSE(reader.Valid());
    EXPECT_EQ(OpenExistingFile(path.c_str(), kModeRead), kInvalidFile);
    EXPECT_EQ(FileErrorCode(), kSharingViolation);
    CloseFileHandle(file);
}

TEST_F(FileOps, CreatedFileIsSharedForReadingAndWriting) {
    const std::string path = Path("made.txt");
    FileHandle file = CreateNewFile(path.c_str(), 0);
    ASSERT_NE(file, kInvalidFile);
    OtherHolder writer(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_TRUE(writer.Valid());
    CloseFileHandle(file);
}

TEST_F(FileOps, AttributesZeroClearsHiddenAndSystemToo) {
    scratch_.Put("h.txt", "x");
    const std::string path = Path("h.txt");
    SetAttributes(path.c_str(), 0x07);
    EXPECT_EQ(FileErrorCode(), 0u);
    EXPECT_EQ(GetAttributes(path.c_str()) & 0x07, 0x07u);
    SetAttributes(path.c_str(), 0);
    EXPECT_EQ(GetAttributes(path.c_str()) & 0x07, 0u);
}

FILETIME TimeOf(HANDLE handle, int which) {
    FILETIME times[3] = {};
    GetFileTime(handle, &times[0], &times[1], &times[2]);
    return times[which];
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

// Wine keeps no creation time of its own (it reports one derived from the
// other times), so only the last-access time can show what stays.
TEST_F(FileOps, SetFileStampChangesOnlyTheLastWriteTime) {
    scratch_.Put("times.txt", "x");
    const std::string path = Path("times.txt");
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    FILETIME access = StampToFileTime(0x25210000);
    ASSERT_TRUE(SetFileTime(handle, nullptr, &access, nullptr));

    SetFileStamp(reinterpret_cast<FileHandle>(handle), 0x2B2A6C2D);
    EXPECT_EQ(FileErrorCode(), 0u);
    EXPECT_TRUE(SameTime(TimeOf(handle, 1), access));
    EXPECT_TRUE(SameTime(TimeOf(handle, 2), StampToFileTime(0x2B2A6C2D)));
    CloseHandle(handle);
}

TEST_F(FileOps, StampIsLocalTime) {
    scratch_.Put("local.txt", "x");
    FileHandle file = OpenExistingFile(Path("local.txt").c_str(), kModeReadWrite);
    ASSERT_NE(file, kInvalidFile);
    SetFileStamp(file, 0x2B2A6C2D);
    FILETIME written = TimeOf(reinterpret_cast<HANDLE>(file), 2);
    CloseFileHandle(file);

    // What the system calls local for this UTC time is what the stamp says.
    FILETIME local;
    SYSTEMTIME parts;
    ASSERT_TRUE(FileTimeToLocalFileTime(&written, &local));
    ASSERT_TRUE(FileTimeToSystemTime(&local, &parts));
    EXPECT_EQ(parts.wYear, 2001);
    EXPECT_EQ(parts.wMonth, 9);
    EXPECT_EQ(parts.wDay, 10);
    EXPECT_EQ(parts.wHour, 13);
    EXPECT_EQ(parts.wMinute, 33);
    EXPECT_EQ(parts.wSecond, 26);
    EXPECT_EQ(FileTimeToStamp(written), 0x2B2A6C2Du);
}

TEST(FileTimeToStamp, DropsMillisecondsAndLeavesTheCode) {
    SYSTEMTIME parts = {};
    parts.wYear = 2001;
    parts.wMonth = 9;
    parts.wDay = 10;
    parts.wHour = 13;
    parts.wMinute = 33;
    parts.wSecond = 27;
    parts.wMilliseconds = 999;
    FILETIME local;
    FILETIME utc;
    ASSERT_TRUE(SystemTimeToFileTime(&parts, &local));
    ASSERT_TRUE(LocalFileTimeToFileTime(&local, &utc));
    SetFileErrorCode(42);
    EXPECT_EQ(FileTimeToStamp(utc), 0x2B2A6C2Du);
    EXPECT_EQ(FileErrorCode(), 42u);
    SetFileErrorCode(0);
}

class NtFlag {
public:
    explicit NtFlag(bool nt) : saved_(GetStartupFlags()) {
        StartupFlags flags = saved_;
        flags.nt = nt;
        SetStartupFlags(flags);
    }
    ~NtFlag() { SetStartupFlags(saved_); }

private:
    StartupFlags saved_;
};

// A drive letter with nothing behind it in this prefix.
char UnusedDriveLetter() {
    const DWORD drives = GetLogicalDrives();
    for (int i = 25; i >= 3; --i)
        if (!(drives & (1u << i))) return static_cast<char>('A' + i);
    return 0;
}

TEST(IsNtfsDrive, AnswersFromTheVolumeName) {
    NtFlag nt(true);
    SetFileErrorCode(42);
    EXPECT_TRUE(IsNtfsDrive('C'));  // Wine's C: reports NTFS
    EXPECT_TRUE(IsNtfsDrive('c'));
    EXPECT_FALSE(IsNtfsDrive('\\'));  // network path
    const char unused = UnusedDriveLetter();
    ASSERT_NE(unused, 0);
    EXPECT_FALSE(IsNtfsDrive(unused));
    EXPECT_EQ(FileErrorCode(), 42u);
    SetFileErrorCode(0);
}

TEST(IsNtfsDrive, NeverOnWindows95) {
    NtFlag nt(false);
    EXPECT_FALSE(IsNtfsDrive('C'));
}

}  // namespace
