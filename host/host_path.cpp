#include "host/host_path.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "fs/char_step.h"
#include "fs/file_ops.h"
#include "fs/path_utils.h"

namespace {

// Further Win32 codes the product would report.
const unsigned long kTooManyOpenFiles = 4;
const unsigned long kNotSameDevice = 17;
const unsigned long kSharingViolation = 32;
const unsigned long kDiskFull = 112;
const unsigned long kDirectoryNotEmpty = 145;
const unsigned long kGeneralFailure = 31;

bool DirectoryExists(const char* path) {
    struct stat info;
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

// Missing file or missing directory: decided by the entry's parent.
unsigned long MissingCode(const char* hostPath) {
    if (*hostPath == '\0') return kPathNotFound;
    char parent[kMaxPath];
    CopyBounded(parent, hostPath, kMaxPath);
    char* slash = strrchr(parent, '/');
    if (!slash) return kFileNotFound;  // relative to the current directory, which exists
    if (slash == parent) return kFileNotFound;  // under the root
    *slash = '\0';
    return DirectoryExists(parent) ? kFileNotFound : kPathNotFound;
}

}  // namespace

bool ToHostPath(const char* path, char* hostPath) {
    if (strlen(path) >= static_cast<size_t>(kMaxPath)) {
        SetFileErrorCode(kHostNameTooLong);
        return false;
    }
    strcpy(hostPath, path);
    // Step by characters: a trail byte of 5C is no separator.
    for (char* p = hostPath; *p != '\0'; p = NextCharacter(p)) {
        if (*p == '\\') *p = '/';
    }
    return true;
}

unsigned long HostErrorCode(int error, const char* hostPath) {
    switch (error) {
        case ENOENT: return MissingCode(hostPath);
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
        case EMFILE:
        case ENFILE: return kTooManyOpenFiles;
        case ENAMETOOLONG: return kHostNameTooLong;
        case EBUSY:
        case ETXTBSY: return kSharingViolation;
        case ENOTEMPTY: return kDirectoryNotEmpty;
        case EXDEV: return kNotSameDevice;
        default: return kGeneralFailure;
    }
}
