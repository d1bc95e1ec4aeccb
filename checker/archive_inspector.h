// Archive facts SETUP.EXE meets only at the customer's machine: the
// format (classic ZIP or ZIP64), a directory that cannot be read whole,
// member names that change from OEM to ANSI, methods other than 0 and 8,
// encryption, and every member decoded in full by the product's own
// decoder with its CRC-32 compared. Each archive is inspected once.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "checker/check_codes.h"
#include "checker/disk_drive.h"
#include "checker/progress_line.h"
#include "unzip/extract_member.h"
#include "unzip/zip_directory.h"

// An archive: a file on the disk in the drive, or a part of one (an inner
// archive of a kind M entry).
struct ArchiveSpot {
    std::string path;     // relative to the drive
    uint32_t base = 0;
    int32_t length = 0;   // 0: to the end of the file
};

class ArchiveInspector {
public:
    // decodeEveryMember: decode all members at inspection (one disk);
    // otherwise the walk decodes each member SETUP.EXE extracts, across
    // the disks, in SETUP.EXE's order.
    ArchiveInspector(DiskDrive& drive, Findings& findings, ProgressLine& progress, std::string scratchFile,
                     bool decodeEveryMember);

    void Inspect(const std::string& label, const ArchiveSpot& spot);

    // The outcome of decoding the member, from the inspection.
    ExtractResult KnownOutcome(const ArchiveSpot& spot, uint32_t headerOffset) const;

    // Decodes the member now through the drive (its disk prompts change
    // the disk) and reports a failure.
    ExtractResult DecodeNow(const std::string& label, const ArchiveSpot& spot, const ZipEntry& entry,
                            ArchiveSession& session);

    bool DecodesEveryMember() const { return decodeEveryMember_; }
    long DecodedMembers() const { return decodedMembers_; }
    double DecodedBytes() const { return decodedBytes_; }

private:
    ExtractResult Decode(const std::string& label, const ArchiveSpot& spot, const ZipEntry& entry,
                         ArchiveSession& session);
    void CheckEndRecord(const std::string& label, const ArchiveSpot& spot, long listed);
    void CheckEntry(const std::string& label, const ZipDirectory& listing, uint16_t positionBefore);

    DiskDrive& drive_;
    Findings& findings_;
    ProgressLine& progress_;
    std::string scratchFile_;
    bool decodeEveryMember_;
    std::set<std::string> inspected_;
    std::map<std::string, ExtractResult> failures_;
    std::map<std::string, long> otherMethods_;  // the inspected archive's members by method
    long decodedMembers_ = 0;
    double decodedBytes_ = 0;
};

// "9 (Deflate64)" and the like.
std::string MethodName(uint16_t method);

// The raw central record of the entry the listing loaded last (before: the
// position before NextZipEntry): where the position stood, or the window's
// start when the window slid to load it; null when neither holds it.
const unsigned char* LoadedRecord(const ZipDirectory& listing, uint16_t before);

// True for a member that makes a folder rather than a file.
bool IsFolderMember(const ZipEntry& entry);
