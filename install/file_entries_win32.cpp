#include "install/file_entries.h"

#include <windows.h>

#include <cstring>

#include "base/startup_flags.h"
#include "base/window_context.h"
#include "fs/file_ops.h"
#include "fs/file_search.h"
#include "fs/memory_block.h"
#include "fs/path_utils.h"
#include "install/install_state.h"
#include "install/member_plan.h"
#include "progress/progress_bars.h"
#include "progress/progress_dialog.h"
#include "resources/resource.h"

namespace {

const uint16_t kCopyBlock = 32000;

// done * 100 / size rounded half up, exactly, in integers.
int32_t RoundedPercent(uint32_t done, uint32_t size) {
    return static_cast<int32_t>((static_cast<uint64_t>(done) * 200 + size) / (static_cast<uint64_t>(size) * 2));
}

// Nothing of a failed copy may stay behind.
EntryResult Abandon(FileHandle source, FileHandle target, const char* targetPath, EntryResult result, void* buffer) {
    CloseFileHandle(source);
    CloseFileHandle(target);
    RemoveFile(targetPath);
    ReleaseBlock(buffer);
    return result;
}

// The target gets the source's attributes and its time of last change. NT
// keeps both when set through the open handle. Windows 95 may move the
// stamp while it closes the file: there the stamp goes through a second
// handle once the file is closed, and before the attributes, since a
// read-only target could not be opened for it.
void FinishTarget(FileHandle target, const char* path, uint32_t attributes, PackedStamp stamp) {
    const uint16_t kept = static_cast<uint16_t>(attributes);
    const bool nt = GetStartupFlags().nt;
    if (nt) SetFileStamp(target, stamp);
    const bool attributesSet = nt && SetAttributesOfOpenFile(target, kept);
    CloseFileHandle(target);
    if (!nt) {
        FileHandle file = OpenExistingFile(path, kModeReadWrite);
        if (FileErrorCode() == 0) {
            SetFileStamp(file, stamp);
            CloseFileHandle(file);
        }
    }
    if (!attributesSet) SetAttributes(path, kept);
}

// Creating the target truncates it: it must not be the source under another
// spelling (letter case, short names, another route to the same folder).
bool SameFile(FileHandle source, const char* sourcePath, const char* targetPath) {
    if (lstrcmpiA(sourcePath, targetPath) == 0) return true;
    HANDLE target = CreateFileA(targetPath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (target == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION a;
    BY_HANDLE_FILE_INFORMATION b;
    bool same = GetFileInformationByHandle(reinterpret_cast<HANDLE>(source), &a) &&
                GetFileInformationByHandle(target, &b) && a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
                a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
    CloseHandle(target);
    return same;
}

}  // namespace

EntryResult CopyPlainFile(const char* sourcePath, const char* realTargetPath, int32_t& runningBytes,
                          const char* written) {
    const char* targetPath = written ? written : realTargetPath;
    ShowProgressFile(targetPath);
    SetItemPercent(0);
    uint32_t attributes = GetAttributes(sourcePath);
    FileHandle source = OpenExistingFile(sourcePath, kModeRead);
    if (FileErrorCode() != 0) return kEntryReadError;
    if (SameFile(source, sourcePath, realTargetPath)) {
        CloseFileHandle(source);
        return kEntrySamePath;
    }
    PackedStamp stamp = GetFileStamp(source);
    FileHandle target = CreateNewFile(targetPath, 0);
    if (FileErrorCode() != 0) {
        CloseFileHandle(source);
        return kEntryWriteError;
    }
    uint32_t size = QueryFileSize(source);
    BeginProgressItem(runningBytes, static_cast<int32_t>(size));
    runningBytes = AddByteCount(runningBytes, size);
    void* buffer = AllocateZeroed(kCopyBlock);
    if (!buffer) return Abandon(source, target, targetPath, kEntryWriteError, buffer);
    uint32_t copied = 0;
    uint16_t got = 0;
    do {
        PumpPendingMessages();
        ShowDueProgressFile();
        if (ProgressAborted()) return Abandon(source, target, targetPath, kEntryCancelled, buffer);
        ReadBlock(source, buffer, kCopyBlock, &got);
        bool readFailed = FileErrorCode() != 0;
        bool writeFailed = false;
        if (!readFailed) {
            if (size > kCopyBlock) SetItemPercent(RoundedPercent(got / 2 + copied, size));
            uint16_t written = 0;
            WriteBlock(target, buffer, got, &written);
            // A short write is a full disk too.
            writeFailed = FileErrorCode() != 0 || written != got;
        }
        if (readFailed || writeFailed) {
            return Abandon(source, target, targetPath, readFailed ? kEntryReadError : kEntryDiskFull, buffer);
        }
        copied += got;
        if (size > 0) SetItemPercent(RoundedPercent(copied, size));
    } while (got == kCopyBlock);
    ReleaseBlock(buffer);
    FinishTarget(target, targetPath, attributes, stamp);
    CloseFileHandle(source);
    return kEntryDone;
}

namespace {

const unsigned long kFileNotFound = 2;

}  // namespace

// A shared file is copied under its temporary name (last character '$')
// and takes the old one's place only once whole: a copy cut short by a
// power loss or a kill must not leave a truncated shared file, whose
// missing version the next run would read as no version and keep. A
// temporary file left by such a run goes first. When the old file is gone
// and the new one cannot take its place, the new one stays under its
// temporary name for the user to copy by hand, as the message asks.
EntryResult CopySharedFile(const FileEntryPlan& plan, int32_t& runningBytes) {
    char temporary[kMaxPath];
    ReadOnlyTemporaryName(plan.target, temporary);
    RemoveFile(temporary);
    EntryResult result = CopyPlainFile(plan.source, plan.target, runningBytes, temporary);
    if (result != kEntryDone) return result;
    RemoveFile(plan.target);
    if (FileErrorCode() != 0 && FileErrorCode() != kFileNotFound) {
        RemoveFile(temporary);
        return kEntryWriteError;
    }
    MoveFileTo(temporary, plan.target);
    return FileErrorCode() == 0 ? kEntryDone : kEntryWriteError;
}
