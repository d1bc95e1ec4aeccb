#include "tests/old_cpu/linux_path.h"

#include <asm/errno.h>
#include <linux/stat.h>

#include <cstring>

#include "fs/char_step.h"
#include "fs/file_ops.h"
#include "host/host_path.h"
#include "tests/old_cpu/linux_calls.h"

namespace {

// The Win32 codes come from the host stand-in's header (constants only);
// these two it keeps to itself.
const unsigned long kGeneralFailure = 31;
const unsigned long kDiskFull = 112;
const unsigned long kNameTooLong = kHostNameTooLong;

// Missing file or missing directory: decided by the entry's parent.
unsigned long MissingCode(const char* linuxPath) {
    char parent[kMaxPath];
    CopyBounded(parent, linuxPath, kMaxPath);
    char* slash = std::strrchr(parent, '/');
    if (!slash || slash == parent) return kFileNotFound;
    *slash = '\0';
    struct stat64 info;
    return !LinuxFailed(StatPath(parent, info)) && S_ISDIR(info.st_mode) ? kFileNotFound : kPathNotFound;
}

}  // namespace

bool ToLinuxPath(const char* path, char* linuxPath) {
    if (std::strlen(path) >= static_cast<size_t>(kMaxPath)) {
        SetFileErrorCode(kNameTooLong);
        return false;
    }
    std::strcpy(linuxPath, path);
    // Step by characters: a trail byte of 5C is no separator.
    for (char* p = linuxPath; *p != '\0'; p = NextCharacter(p)) {
        if (*p == '\\') *p = '/';
    }
    return true;
}

unsigned long Win32CodeOf(long result, const char* linuxPath) {
    switch (-result) {
    case ENOENT: return MissingCode(linuxPath);
    case ENOTDIR: return kPathNotFound;
    case EEXIST: return kAlreadyExists;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: return kAccessDenied;
    case EBADF: return kInvalidHandle;
    case ENOMEM: return kNotEnoughMemory;
    case EINVAL: return kInvalidParameter;
    case ENOSPC:
    case EDQUOT: return kDiskFull;
    case ENAMETOOLONG: return kNameTooLong;
    default: return kGeneralFailure;
    }
}

long StatPath(const char* linuxPath, struct stat64& info) {
    return LinuxCall(__NR_stat64, reinterpret_cast<long>(linuxPath), reinterpret_cast<long>(&info));
}
