#include "unzip/extract_member.h"

#include <cstring>

#include "base/startup_flags.h"
#include "fs/path_utils.h"
#include "unzip/data_descriptor.h"
#include "unzip/decoder_io.h"
#include "unzip/inflate.h"
#include "unzip/local_header.h"
#include "unzip/output_file.h"
#include "unzip/zip_format.h"

namespace {

const unsigned long kNameTooLong = 206;
const uint32_t kMaxPackedSize = 0x7FFFFFFFu;

void CloseIfOpen(FileHandle file) {
    if (file != kInvalidFile) CloseFileHandle(file);
}

// The directory bit asks for a trailing backslash; a path of 259
// characters has no room for it but is a directory member all the same.
bool MakeDirectoryPath(char* path, uint16_t attributes) {
    if ((attributes & kAttributeDirectory) && path[0] != '\0') {
        if (std::strlen(path) < static_cast<size_t>(kMaxPath - 1)) AddBackslash(path);
        return true;
    }
    return EndsWithBackslash(path);
}

// The stamp once more through a handle opened for writing, for the FAT
// volumes of Windows 95, which may move it while the file is closed. NT
// keeps a stamp set through the handle: no second open there.
void ConfirmStamp(const char* path, PackedStamp stamp) {
    if (GetStartupFlags().nt) return;
    FileHandle file = OpenExistingFile(path, kModeReadWrite | kShareCompatible);
    if (file == kInvalidFile) return;
    if (GetFileStamp(file) != stamp) SetFileStamp(file, stamp);
    CloseFileHandle(file);
}

void FillState(DecoderState& state, FileHandle archive, const char* archivePath, FileHandle output,
               const LocalHeader& header, const DecoderPorts& ports) {
    std::memset(&state, 0, sizeof state);
    state.archiveFile = archive;
    CopyBounded(state.archivePath, archivePath, kMaxPath);
    state.outputFile = output;
    state.compressedSize = static_cast<int32_t>(header.packedSize);
    state.crc = kCrcStart;
    state.ports = &ports;
    state.lastReportTime = kNoReportYet;
    state.inputEnd = -1;
}

// The method was checked before any output existed: stored or deflated.
DecodeResult Decode(DecoderState& state, uint16_t method) {
    return method == kMethodStored ? CopyStoredMember(state) : InflateMember(state);
}

// The compressed bytes the decoder has taken: read, less what still waits
// in the input buffer and whole bytes in the bit buffer.
int32_t ConsumedBytes(const DecoderState& state) {
    int32_t waiting = state.inputEnd >= state.inputPosition ? state.inputEnd - state.inputPosition + 1 : 0;
    return state.bytesRead - waiting - state.bitCount / 8;
}

// Runs the decoder on a created output file and checks the outcome; the
// output is deleted again on any failure.
ExtractResult DecodeToFile(ArchiveSession& session, FileHandle output, const char* outputPath,
                           const LocalHeader& header, uint16_t attributes, bool& attributesSet,
                           const DecoderPorts& ports, ExtractDetail* detail) {
    attributesSet = false;
    DecoderState state;
    FillState(state, session.file, session.path, output, header, ports);
    if (!AllocateDecoderWindow(state)) {
        CloseFileHandle(output);
        RemoveFile(outputPath);
        return kExtractOutputFailed;
    }
    PumpMessages(state);
    ReportMilestone(state, 0);  // the answer counts only at the end

    DecodeResult decoded = Decode(state, header.method);
    if (detail) {
        detail->decoderRan = true;
        detail->decoded = decoded;
        detail->consumed = ConsumedBytes(state);
    }
    ExtractResult result = ExtractResultOf(decoded);
    // A header may promise more than the data holds: the file ends with
    // its data, not with the size reserved for it.
    if (result == kExtractOk && state.bytesWritten < header.size) {
        TruncateAtPosition(output);
        if (FileErrorCode() != 0) result = kExtractOutputFailed;
    }
    uint32_t expected = header.crc;
    if (result == kExtractOk && (header.flags & kFlagDataDescriptor) && (expected == 0 || expected != ~state.crc)) {
        expected = header.method == kMethodStored ? DescriptorCrcAfterStored(state, expected)
                                                  : DescriptorCrcAfterInflate(state);
    }
    uint32_t computed = ~state.crc;
    ReleaseDecoderWindow(state);
    // After a disk change this is the archive file of the later disk.
    session.file = state.archiveFile;
    SetFileStamp(output, header.stamp);
    if (result == kExtractOk && expected != computed) result = kExtractBadCrcOrBlockHeader;
    if (result == kExtractOk && ReportMilestone(state, 100) == kProgressCancel) result = kExtractCancelled;
    // Only a member that stays gets its attributes: a read-only file could
    // not be deleted again.
    attributesSet = result == kExtractOk && SetAttributesOfOpenFile(output, attributes);
    CloseFileHandle(output);
    if (result != kExtractOk) RemoveFile(outputPath);
    return result;
}

}  // namespace

ExtractResult ExtractResultOf(DecodeResult result) {
    switch (result) {
    case kDecodeOk: return kExtractOk;
    case kDecodeBadBlockHeader: return kExtractBadCrcOrBlockHeader;
    case kDecodeWriteFailed: return kExtractOutputFailed;
    case kDecodeInputEnded: return kExtractInputFailed;
    case kDecodeInvalidData: return kExtractBadHeaderOrData;
    case kDecodeCancelled: return kExtractCancelled;
    }
    return kExtractBadHeaderOrData;  // no other value exists; damaged data at worst
}

void BeginArchiveSession(ArchiveSession& session, const char* archivePath) {
    CopyBounded(session.path, archivePath, kMaxPath);
    session.file = kInvalidFile;
}

// Closing is cleanup: the code of the last real failure stays.
void EndArchiveSession(ArchiveSession& session) {
    unsigned long code = FileErrorCode();
    CloseIfOpen(session.file);
    session.file = kInvalidFile;
    SetFileErrorCode(code);
}

ExtractResult ExtractZipMember(const char* archivePath, const char* outputPath, uint16_t attributes,
                               uint32_t headerOffset, const DecoderPorts& ports) {
    if (std::strlen(archivePath) >= static_cast<size_t>(kMaxPath)) return kExtractInputFailed;
    ArchiveSession session;
    BeginArchiveSession(session, archivePath);
    ExtractResult result = ExtractSessionMember(session, outputPath, attributes, headerOffset, ports);
    EndArchiveSession(session);
    return result;
}

ExtractResult ExtractSessionMember(ArchiveSession& session, const char* outputPath, uint16_t attributes,
                                   uint32_t headerOffset, const DecoderPorts& ports, ExtractDetail* detail) {
    if (detail) *detail = ExtractDetail();
    if (session.file == kInvalidFile) session.file = OpenExistingFile(session.path, kModeRead | kShareCompatible);
    if (session.file == kInvalidFile) return kExtractInputFailed;

    LocalHeader header;
    if (!ReadLocalHeader(session.file, headerOffset, header)) return kExtractBadHeaderOrData;
    // The decoder counts in 31 bits: a larger stored size would count as
    // negative and the member pass as empty.
    if (header.packedSize > kMaxPackedSize) return kExtractBadHeaderOrData;
    // Refused before any output exists, so that an existing file of the
    // same name is never replaced by a member that cannot be decoded.
    if (header.method != kMethodStored && header.method != kMethodDeflated) return kExtractBadMethod;
    if (header.flags & kFlagEncrypted) return kExtractEncrypted;
    if (SeekFile(session.file, static_cast<int32_t>(header.dataOffset), 0) == -1) return kExtractBadHeaderOrData;
    if (detail) detail->dataOffset = header.dataOffset;

    char path[kMaxPath];
    if (std::strlen(outputPath) >= static_cast<size_t>(kMaxPath)) {
        SetFileErrorCode(kNameTooLong);
        return kExtractOutputFailed;
    }
    CopyBounded(path, outputPath, kMaxPath);
    bool isDirectory = MakeDirectoryPath(path, attributes);

    bool madeDirectory = false;
    FileHandle output = PrepareOutputFile(path, isDirectory, header.size, &madeDirectory);
    if (isDirectory) {
        // A directory made now has plain attributes already.
        if (attributes != 0 || !madeDirectory) SetAttributes(path, attributes);
        return kExtractOk;
    }
    if (output == kInvalidFile) return kExtractOutputFailed;

    bool attributesSet = false;
    ExtractResult result = DecodeToFile(session, output, path, header, attributes, attributesSet, ports, detail);
    if (result != kExtractOk) return result;
    ConfirmStamp(path, header.stamp);
    if (!attributesSet) SetAttributes(path, attributes);
    return kExtractOk;
}
