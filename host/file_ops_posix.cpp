// The file layer on POSIX for the host build: the same operations and the
// same codes as the product for what the archive code, its fuzzers and
// benchmarks do. Sharing modes are not enforced, there are no short names,
// and the only attributes are read-only and directory.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "base/startup_flags.h"
#include "fs/file_ops.h"
#include "fs/made_directories.h"
#include "fs/path_utils.h"
#include "host/host_path.h"
#include "host/host_volumes.h"

namespace {

const unsigned long kNegativeSeek = 131;
const uint32_t kAttributeReadOnly = 0x01;
const uint32_t kAttributeDirectory = 0x10;
const uint32_t kAttributeNormal = 0x80;

int Descriptor(FileHandle file) { return static_cast<int>(file); }

void ReportErrno(const char* hostPath) { SetFileErrorCode(HostErrorCode(errno, hostPath)); }

int OpenFlags(const OpenRights& rights) {
    if (rights.read && rights.write) return O_RDWR;
    if (rights.write) return O_WRONLY;
    if (rights.read) return O_RDONLY;
#ifdef O_PATH
    return O_PATH;  // no access: positioned and closed only
#else
    return O_RDONLY;
#endif
}

FileHandle OpenWith(const char* path, uint32_t attributesAndFlags, bool create, unsigned mode) {
    char hostPath[kMaxPath];
    if (!ToHostPath(path, hostPath)) return kInvalidFile;
    if (create) mode = ModeForCreation(mode);
    int flags = OpenFlags(RightsOfMode(mode)) | O_CLOEXEC;
    if (create) flags |= O_CREAT | O_TRUNC;
    const mode_t permissions = (attributesAndFlags & kAttributeReadOnly) ? 0444 : 0666;
    int descriptor;
    do {
        descriptor = open(hostPath, flags, permissions);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        ReportErrno(hostPath);
        return kInvalidFile;
    }
    // Directories are no files to open, as on Win32.
    struct stat info;
    if (fstat(descriptor, &info) == 0 && S_ISDIR(info.st_mode)) {
        close(descriptor);
        SetFileErrorCode(kAccessDenied);
        return kInvalidFile;
    }
    SetFileErrorCode(0);
    return descriptor;
}

// Runs a read or write until count bytes moved, the end, or a failure.
template <typename Call>
void Transfer(Call call, uint16_t count, uint16_t* transferred) {
    unsigned done = 0;
    while (done < count) {
        const ssize_t moved = call(done);
        if (moved < 0 && errno == EINTR) continue;
        if (moved < 0) {
            SetFileErrorCode(HostErrorCode(errno, ""));
            *transferred = 0;
            return;
        }
        if (moved == 0) break;
        done += static_cast<unsigned>(moved);
    }
    SetFileErrorCode(0);
    *transferred = static_cast<uint16_t>(done);
}

}  // namespace

FileHandle OpenExistingFile(const char* path, unsigned mode) { return OpenWith(path, 0, false, mode); }

FileHandle CreateNewFile(const char* path, uint32_t attributesAndFlags) {
    return OpenWith(path, attributesAndFlags, true, kModeRead | kShareCompatible);
}

void ReadBlock(FileHandle file, void* buffer, uint16_t count, uint16_t* transferred) {
    char* bytes = static_cast<char*>(buffer);
    Transfer([&](unsigned done) { return read(Descriptor(file), bytes + done, count - done); }, count, transferred);
}

void WriteBlock(FileHandle file, const void* buffer, uint16_t count, uint16_t* transferred) {
    const char* bytes = static_cast<const char*>(buffer);
    Transfer([&](unsigned done) { return write(Descriptor(file), bytes + done, count - done); }, count,
             transferred);
}

int32_t SeekFile(FileHandle file, int32_t distance, int origin) {
    // Positions are 32-bit: work out the target first, as the product's
    // system call does without a high part.
    long long base = 0;
    if (origin == 1 || origin == 2) {
        const off_t current = lseek(Descriptor(file), 0, origin == 1 ? SEEK_CUR : SEEK_END);
        if (current < 0) {
            SetFileErrorCode(HostErrorCode(errno, ""));
            return -1;
        }
        base = current;
    } else if (origin != 0) {
        SetFileErrorCode(kInvalidParameter);
        return -1;
    }
    const long long target = base + distance;
    if (target < 0 || target > 0xFFFFFFFFLL) {
        SetFileErrorCode(target < 0 ? kNegativeSeek : kInvalidParameter);
        return -1;
    }
    if (lseek(Descriptor(file), static_cast<off_t>(target), SEEK_SET) < 0) {
        SetFileErrorCode(HostErrorCode(errno, ""));
        return -1;
    }
    SetFileErrorCode(0);
    return static_cast<int32_t>(static_cast<uint32_t>(target));
}

void TruncateAtPosition(FileHandle file) {
    const off_t position = lseek(Descriptor(file), 0, SEEK_CUR);
    if (position < 0 || ftruncate(Descriptor(file), position) != 0) {
        SetFileErrorCode(HostErrorCode(errno, ""));
        return;
    }
    SetFileErrorCode(0);
}

void CloseFileHandle(FileHandle file) {
    if (close(Descriptor(file)) != 0) {
        SetFileErrorCode(HostErrorCode(errno, ""));
        return;
    }
    SetFileErrorCode(0);
}

PackedStamp GetFileStamp(FileHandle file) {
    struct stat info;
    if (fstat(Descriptor(file), &info) != 0) {
        SetFileErrorCode(HostErrorCode(errno, ""));
        return 0;
    }
    SetFileErrorCode(0);
    struct tm local;
    if (!localtime_r(&info.st_mtime, &local)) return 0;
    StampFields fields = {static_cast<uint16_t>(local.tm_year + 1900), static_cast<uint16_t>(local.tm_mon + 1),
                          static_cast<uint16_t>(local.tm_mday),        static_cast<uint16_t>(local.tm_hour),
                          static_cast<uint16_t>(local.tm_min),         static_cast<uint16_t>(local.tm_sec)};
    return PackStamp(fields);
}

void SetFileStamp(FileHandle file, PackedStamp stamp) {
    const StampFields fields = UnpackStamp(stamp);
    struct tm local = {};
    local.tm_year = fields.year - 1900;
    local.tm_mon = fields.month - 1;
    local.tm_mday = fields.day;
    local.tm_hour = fields.hour;
    local.tm_min = fields.minute;
    local.tm_sec = fields.second;
    local.tm_isdst = -1;  // the stamp is local time, whatever the season
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;  // last access stays
    times[1].tv_sec = mktime(&local);
    times[1].tv_nsec = 0;
    if (futimens(Descriptor(file), times) != 0) {
        SetFileErrorCode(HostErrorCode(errno, ""));
        return;
    }
    SetFileErrorCode(0);
}

void RemoveFile(const char* path) {
    char hostPath[kMaxPath];
    if (!ToHostPath(path, hostPath)) return;
    struct stat info;
    if (lstat(hostPath, &info) != 0) {
        ReportErrno(hostPath);
        return;
    }
    // Directories and read-only files are not deleted, as on Win32.
    if (S_ISDIR(info.st_mode) || !(info.st_mode & S_IWUSR)) {
        SetFileErrorCode(kAccessDenied);
        return;
    }
    if (unlink(hostPath) != 0) {
        ReportErrno(hostPath);
        return;
    }
    SetFileErrorCode(0);
}

void MakeDirectory(const char* path) {
    char hostPath[kMaxPath];
    if (!ToHostPath(path, hostPath)) return;
    if (mkdir(hostPath, 0777) != 0) {
        ReportErrno(hostPath);
        return;
    }
    if (!NoteMadeDirectory(path)) SetAttributes(path, 0);
    SetFileErrorCode(0);
}

// The host sets attributes by path only.
bool SetAttributesOfOpenFile(FileHandle, uint16_t) { return false; }

void SetAttributes(const char* path, uint16_t attributes) {
    char hostPath[kMaxPath];
    if (!ToHostPath(path, hostPath)) return;
    struct stat info;
    if (stat(hostPath, &info) != 0) {
        ReportErrno(hostPath);
        return;
    }
    // Only the read-only bit has a POSIX counterpart: the write permissions.
    mode_t permissions = info.st_mode & 07777;
    if (attributes & kAttributeReadOnly) {
        permissions &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    } else {
        permissions |= S_IWUSR;
    }
    if (chmod(hostPath, permissions) != 0) {
        ReportErrno(hostPath);
        return;
    }
    SetFileErrorCode(0);
}

uint32_t GetAttributes(const char* path) {
    char hostPath[kMaxPath];
    if (!ToHostPath(path, hostPath)) return 0;
    struct stat info;
    if (stat(hostPath, &info) != 0) {
        ReportErrno(hostPath);
        return 0;
    }
    SetFileErrorCode(0);
    uint32_t attributes = 0;
    if (S_ISDIR(info.st_mode)) attributes |= kAttributeDirectory;
    if (!(info.st_mode & S_IWUSR)) attributes |= kAttributeReadOnly;
    return attributes == 0 ? kAttributeNormal : attributes;
}

void MoveFileTo(const char* existingPath, const char* newPath) {
    char hostExisting[kMaxPath];
    char hostNew[kMaxPath];
    if (!ToHostPath(existingPath, hostExisting) || !ToHostPath(newPath, hostNew)) return;
    struct stat info;
    if (lstat(hostExisting, &info) != 0) {
        ReportErrno(hostExisting);
        return;
    }
    // rename() would replace the target; the product's move refuses.
    if (lstat(hostNew, &info) == 0) {
        SetFileErrorCode(kAlreadyExists);
        return;
    }
    if (rename(hostExisting, hostNew) != 0) {
        ReportErrno(hostNew);
        return;
    }
    SetFileErrorCode(0);
}

namespace {
bool g_drivesNtfs = false;
}  // namespace

void SetHostDrivesNtfs(bool ntfs) { g_drivesNtfs = ntfs; }

bool IsNtfsDrive(char driveLetter) { return g_drivesNtfs && GetStartupFlags().nt && driveLetter != '\\'; }
