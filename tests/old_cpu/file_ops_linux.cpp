// The file layer on Linux system calls for the i386 program: what listing
// and extracting archives do, with the codes of the host build. Sharing
// modes are not enforced, the only attributes are read-only and directory,
// and stamps are not kept: the program's lines do not show them.
#include <asm/fcntl.h>
#include <linux/stat.h>

#include "fs/file_ops.h"
#include "tests/old_cpu/linux_calls.h"
#include "tests/old_cpu/linux_path.h"

namespace {

const unsigned long kAccessDenied = 5;
const unsigned long kNegativeSeek = 131;
const unsigned long kInvalidParameter = 87;
const uint32_t kAttributeReadOnly = 0x01;
const unsigned kSeekSet = 0;
const unsigned kSeekCurrent = 1;
const unsigned kSeekEnd = 2;

// The call's outcome as the file error code: true when it succeeded.
bool Report(long result, const char* linuxPath = "") {
    SetFileErrorCode(LinuxFailed(result) ? Win32CodeOf(result, linuxPath) : 0);
    return !LinuxFailed(result);
}

int OpenFlags(const OpenRights& rights) {
    if (rights.read && rights.write) return O_RDWR;
    if (rights.write) return O_WRONLY;
    if (rights.read) return O_RDONLY;
    return O_PATH;  // no access: positioned and closed only
}

FileHandle OpenWith(const char* path, uint32_t attributesAndFlags, bool create, unsigned mode) {
    char linuxPath[kMaxPath];
    if (!ToLinuxPath(path, linuxPath)) return kInvalidFile;
    if (create) mode = ModeForCreation(mode);
    long flags = OpenFlags(RightsOfMode(mode)) | O_LARGEFILE;
    if (create) flags |= O_CREAT | O_TRUNC;
    const long permissions = (attributesAndFlags & kAttributeReadOnly) ? 0444 : 0666;
    const long descriptor = LinuxCall(__NR_open, reinterpret_cast<long>(linuxPath), flags, permissions);
    if (!Report(descriptor, linuxPath)) return kInvalidFile;
    // Directories are no files to open, as on Win32.
    struct stat64 info;
    if (!LinuxFailed(LinuxCall(__NR_fstat64, descriptor, reinterpret_cast<long>(&info))) && S_ISDIR(info.st_mode)) {
        LinuxCall(__NR_close, descriptor);
        SetFileErrorCode(kAccessDenied);
        return kInvalidFile;
    }
    return descriptor;
}

// Runs a read or write until count bytes moved, the end, or a failure.
void Transfer(long call, FileHandle file, char* bytes, uint16_t count, uint16_t* transferred) {
    unsigned done = 0;
    while (done < count) {
        const long moved = LinuxCall(call, file, reinterpret_cast<long>(bytes + done), count - done);
        if (!Report(moved)) {
            *transferred = 0;
            return;
        }
        if (moved == 0) break;
        done += static_cast<unsigned>(moved);
    }
    *transferred = static_cast<uint16_t>(done);
}

// The 64-bit position after a seek, or -1 with the code set.
long long Seek(FileHandle file, long long distance, unsigned whence) {
    long long position = 0;
    const long result = LinuxCall(__NR__llseek, file, static_cast<long>(distance >> 32), static_cast<long>(distance),
                                  reinterpret_cast<long>(&position), whence);
    return Report(result) ? position : -1;
}

}  // namespace

FileHandle OpenExistingFile(const char* path, unsigned mode) { return OpenWith(path, 0, false, mode); }

FileHandle CreateNewFile(const char* path, uint32_t attributesAndFlags) {
    return OpenWith(path, attributesAndFlags, true, kModeRead | kShareCompatible);
}

void ReadBlock(FileHandle file, void* buffer, uint16_t count, uint16_t* transferred) {
    Transfer(__NR_read, file, static_cast<char*>(buffer), count, transferred);
}

void WriteBlock(FileHandle file, const void* buffer, uint16_t count, uint16_t* transferred) {
    Transfer(__NR_write, file, static_cast<char*>(const_cast<void*>(buffer)), count, transferred);
}

int32_t SeekFile(FileHandle file, int32_t distance, int origin) {
    // Positions are 32-bit: work out the target first, as the product's
    // system call does without a high part.
    long long base = 0;
    if (origin == 1 || origin == 2) {
        base = Seek(file, 0, origin == 1 ? kSeekCurrent : kSeekEnd);
        if (base < 0) return -1;
    } else if (origin != 0) {
        SetFileErrorCode(kInvalidParameter);
        return -1;
    }
    const long long target = base + distance;
    if (target < 0 || target > 0xFFFFFFFFLL) {
        SetFileErrorCode(target < 0 ? kNegativeSeek : kInvalidParameter);
        return -1;
    }
    if (Seek(file, target, kSeekSet) < 0) return -1;
    return static_cast<int32_t>(static_cast<uint32_t>(target));
}

void TruncateAtPosition(FileHandle file) {
    const long long position = Seek(file, 0, kSeekCurrent);
    if (position >= 0) Report(LinuxCall(__NR_ftruncate64, file, static_cast<long>(position), static_cast<long>(position >> 32)));
}

void CloseFileHandle(FileHandle file) { Report(LinuxCall(__NR_close, file)); }

PackedStamp GetFileStamp(FileHandle) {
    SetFileErrorCode(0);
    return 0;
}

void SetFileStamp(FileHandle, PackedStamp) { SetFileErrorCode(0); }

void RemoveFile(const char* path) {
    char linuxPath[kMaxPath];
    if (!ToLinuxPath(path, linuxPath)) return;
    struct stat64 info;
    if (!Report(LinuxCall(__NR_lstat64, reinterpret_cast<long>(linuxPath), reinterpret_cast<long>(&info)), linuxPath))
        return;
    // Directories and read-only files are not deleted, as on Win32.
    if (S_ISDIR(info.st_mode) || !(info.st_mode & S_IWUSR)) {
        SetFileErrorCode(kAccessDenied);
        return;
    }
    Report(LinuxCall(__NR_unlink, reinterpret_cast<long>(linuxPath)), linuxPath);
}

void MakeDirectory(const char* path) {
    char linuxPath[kMaxPath];
    if (!ToLinuxPath(path, linuxPath)) return;
    Report(LinuxCall(__NR_mkdir, reinterpret_cast<long>(linuxPath), 0777), linuxPath);
}

// Attributes are set by path only, as in the host build.
bool SetAttributesOfOpenFile(FileHandle, uint16_t) { return false; }

void SetAttributes(const char* path, uint16_t attributes) {
    char linuxPath[kMaxPath];
    if (!ToLinuxPath(path, linuxPath)) return;
    struct stat64 info;
    if (!Report(StatPath(linuxPath, info), linuxPath)) return;
    // Only the read-only bit has a counterpart: the write permissions.
    long permissions = info.st_mode & 07777;
    if (attributes & kAttributeReadOnly) {
        permissions &= ~static_cast<long>(S_IWUSR | S_IWGRP | S_IWOTH);
    } else {
        permissions |= S_IWUSR;
    }
    Report(LinuxCall(__NR_chmod, reinterpret_cast<long>(linuxPath), permissions), linuxPath);
}

bool IsNtfsDrive(char) { return false; }  // no drive letters here
