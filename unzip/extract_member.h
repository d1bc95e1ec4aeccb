// Extracts one archive member to one file or directory: reads its local
// header, refuses what cannot be decoded, prepares the output, decodes
// with progress reports, checks the CRC-32 and sets the stamp and the
// attributes. A failed member never leaves a file the call created.
#pragma once

#include <cstdint>

#include "unzip/decoder_state.h"

// Extraction results; the numbers are part of the interface, and two of
// them join two causes each (ExtractDetail tells them apart).
enum ExtractResult {
    kExtractOk = 0,
    kExtractBadCrcOrBlockHeader = 1,  // CRC-32 mismatch or malformed block header
    kExtractOutputFailed = 2,         // output not created or not written
    kExtractInputFailed = 3,          // archive not opened, or its data ended
    kExtractBadHeaderOrData = 4,      // local header unreadable or wrong, or invalid data
    kExtractCancelled = 5,
    kExtractBadMethod = 6,     // neither stored nor deflated
    kExtractEncrypted = 7,
};

const uint16_t kAttributeDirectory = 0x10;

// outputPath ending in a backslash (or attributes with the directory bit)
// names a directory member. headerOffset is absolute in the archive file.
// The ports are used for the decoding only; a directory member or a member
// refused before decoding never calls them.
ExtractResult ExtractZipMember(const char* archivePath, const char* outputPath, uint16_t attributes,
                               uint32_t headerOffset, const DecoderPorts& ports);

// One archive kept open across the members of one entry: the first member
// opens it, the others reuse the handle. After a disk change it is the file
// of the same name on the later disk, as reopening it would give.
struct ArchiveSession {
    char path[kMaxPath];
    FileHandle file;  // kInvalidFile until opened, or after a failed reopen
};
void BeginArchiveSession(ArchiveSession& session, const char* archivePath);
void EndArchiveSession(ArchiveSession& session);

// What the decoder itself answered, for a caller that names the cause (the
// vendor's checker); SETUP.EXE's messages need only the result. decoded
// stays kDecodeOk when the decoder never ran (the header failed, say), so a
// failure with kDecodeOk after decoding is the CRC-32. consumed counts the
// member's compressed bytes the decoder had taken when it stopped.
struct ExtractDetail {
    bool decoderRan;
    DecodeResult decoded;
    uint32_t dataOffset;  // of the compressed data in the archive file it starts in
    int32_t consumed;
};

// ExtractZipMember through the session's handle; detail may be null.
ExtractResult ExtractSessionMember(ArchiveSession& session, const char* outputPath, uint16_t attributes,
                                   uint32_t headerOffset, const DecoderPorts& ports, ExtractDetail* detail = nullptr);

// What a decoder result means for the member. Damaged member data keeps
// the results the installation has always reported: a malformed block
// header counts as a CRC mismatch, invalid data as an unreadable header.
ExtractResult ExtractResultOf(DecodeResult result);
