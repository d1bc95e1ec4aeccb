// The file layer on Win32: one or two system calls per operation, the
// outcome left in the per-thread file error code.
#include <windows.h>

#include <cstring>

#include "base/startup_flags.h"
#include "fs/file_ops.h"
#include "fs/file_time_win32.h"
#include "fs/made_directories.h"
#include "fs/path_utils.h"

namespace {

HANDLE AsHandle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

// 0 when the call succeeded, else the system's code for it.
void Report(BOOL succeeded) { SetFileErrorCode(succeeded ? 0 : GetLastError()); }

FileHandle OpenWith(const char* path, DWORD attributesAndFlags, DWORD disposition, unsigned mode) {
    if (disposition != OPEN_EXISTING) mode = ModeForCreation(mode);
    const OpenRights rights = RightsOfMode(mode);
    const DWORD access = (rights.read ? GENERIC_READ : 0) | (rights.write ? GENERIC_WRITE : 0);
    const DWORD sharing = (rights.shareRead ? FILE_SHARE_READ : 0) | (rights.shareWrite ? FILE_SHARE_WRITE : 0);
    HANDLE handle = CreateFileA(path, access, sharing, nullptr, disposition, attributesAndFlags, nullptr);
    Report(handle != INVALID_HANDLE_VALUE);
    return reinterpret_cast<FileHandle>(handle);
}

}  // namespace

FileHandle OpenExistingFile(const char* path, unsigned mode) { return OpenWith(path, 0, OPEN_EXISTING, mode); }

// A file that is not there yet is made as a new one. Replacing it would
// first cut it to nothing, and a cut file is written out as soon as it is
// closed on some file systems (ext4 under Wine, every installed file).
// Only an existing file is replaced, with the same outcome as before.
FileHandle CreateNewFile(const char* path, uint32_t attributesAndFlags) {
    FileHandle file = OpenWith(path, attributesAndFlags, CREATE_NEW, kModeRead | kShareCompatible);
    const unsigned long code = FileErrorCode();
    if (file != kInvalidFile || (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS)) return file;
    return OpenWith(path, attributesAndFlags, CREATE_ALWAYS, kModeRead | kShareCompatible);
}

void ReadBlock(FileHandle file, void* buffer, uint16_t count, uint16_t* transferred) {
    DWORD done = 0;
    const BOOL ok = ReadFile(AsHandle(file), buffer, count, &done, nullptr);
    Report(ok);
    *transferred = static_cast<uint16_t>(ok ? done : 0);
}

void WriteBlock(FileHandle file, const void* buffer, uint16_t count, uint16_t* transferred) {
    DWORD done = 0;
    const BOOL ok = WriteFile(AsHandle(file), buffer, count, &done, nullptr);
    Report(ok);
    *transferred = static_cast<uint16_t>(ok ? done : 0);
}

int32_t SeekFile(FileHandle file, int32_t distance, int origin) {
    // FFFFFFFF is also a valid position; only the last-error code tells.
    SetLastError(NO_ERROR);
    const DWORD position = SetFilePointer(AsHandle(file), distance, nullptr, static_cast<DWORD>(origin));
    const DWORD code = position == INVALID_SET_FILE_POINTER ? GetLastError() : NO_ERROR;
    SetFileErrorCode(code);
    return code != NO_ERROR ? -1 : static_cast<int32_t>(position);
}

void TruncateAtPosition(FileHandle file) { Report(SetEndOfFile(AsHandle(file))); }

void CloseFileHandle(FileHandle file) { Report(CloseHandle(AsHandle(file))); }

PackedStamp GetFileStamp(FileHandle file) {
    FILETIME written;
    if (!GetFileTime(AsHandle(file), nullptr, nullptr, &written)) {
        Report(FALSE);
        return 0;
    }
    SetFileErrorCode(0);
    return FileTimeToStamp(written);
}

void SetFileStamp(FileHandle file, PackedStamp stamp) {
    const FILETIME written = StampToFileTime(stamp);
    // Creation and last-access times stay as they are.
    Report(SetFileTime(AsHandle(file), nullptr, nullptr, &written));
}

void RemoveFile(const char* path) { Report(DeleteFileA(path)); }

void MakeDirectory(const char* path) {
    if (!CreateDirectoryA(path, nullptr)) {
        Report(FALSE);
        return;
    }
    // Plain attributes whatever the parent passes on (a parent this run
    // made has nothing to pass on); a failure here is no failure.
    if (!NoteMadeDirectory(path)) SetAttributes(path, 0);
    SetFileErrorCode(0);
}

void SetAttributes(const char* path, uint16_t attributes) {
    Report(SetFileAttributesA(path, attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes));
}

namespace {

// NT's own call for a handle's basic information; Windows 95 has none.
struct BasicInformation {
    LARGE_INTEGER creation, access, write, change;  // 0: left as they are
    ULONG attributes;
};
struct IoStatus {
    LONG status;
    ULONG_PTR information;
};
typedef LONG(WINAPI* SetInformationFunction)(HANDLE, IoStatus*, void*, ULONG, int);
const int kFileBasicInformation = 4;

SetInformationFunction SetInformation() {
    static SetInformationFunction function = nullptr;
    static bool looked = false;
    if (!looked) {
        looked = true;
        HMODULE ntdll = GetStartupFlags().nt ? GetModuleHandleA("NTDLL.DLL") : nullptr;
        if (ntdll) {
            function = reinterpret_cast<SetInformationFunction>(
                reinterpret_cast<void*>(GetProcAddress(ntdll, "NtSetInformationFile")));
        }
    }
    return function;
}

}  // namespace

bool SetAttributesOfOpenFile(FileHandle file, uint16_t attributes) {
    SetInformationFunction set = SetInformation();
    if (!set || file == kInvalidFile) return false;
    BasicInformation information = {};
    information.attributes = attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
    IoStatus status = {};
    return set(reinterpret_cast<HANDLE>(file), &status, &information, sizeof information, kFileBasicInformation) >= 0;
}

uint32_t GetAttributes(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    Report(attributes != INVALID_FILE_ATTRIBUTES);
    return attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes;
}

void MoveFileTo(const char* existingPath, const char* newPath) { Report(MoveFileA(existingPath, newPath)); }

// Asked once per drive: the volume's file system does not change during a
// run, and the question reads the mount table each time under Wine.
bool IsNtfsDrive(char driveLetter) {
    if (!GetStartupFlags().nt || driveLetter == '\\') return false;
    enum DriveAnswer : char { kNotAsked, kNtfs, kOther };
    static DriveAnswer answers[26];
    char letter = driveLetter >= 'a' && driveLetter <= 'z' ? static_cast<char>(driveLetter - 'a' + 'A') : driveLetter;
    DriveAnswer* answer = letter >= 'A' && letter <= 'Z' ? &answers[letter - 'A'] : nullptr;
    if (answer && *answer != kNotAsked) return *answer == kNtfs;
    char root[] = "c:\\";
    root[0] = driveLetter;
    DWORD maximumComponent = 0;
    DWORD systemFlags = 0;
    char systemName[kMaxPath] = "";
    // A failure leaves the name empty (and is asked again next time: a disk
    // may be inserted meanwhile).
    bool known = GetVolumeInformationA(root, nullptr, 0, nullptr, &maximumComponent, &systemFlags, systemName,
                                       kMaxPath - 1) != FALSE;
    bool ntfs = strcmp(systemName, "NTFS") == 0;
    if (answer && known) *answer = ntfs ? kNtfs : kOther;
    return ntfs;
}
