#include "checker/archive_inspector.h"

#include <cstdio>
#include <cstring>

#include "fs/file_ops.h"
#include "fs/path_utils.h"
#include "unzip/end_record.h"
#include "unzip/oem_names.h"
#include "unzip/zip_format.h"

namespace {

const uint32_t kZip64Marker32 = 0xFFFFFFFFu;
const uint16_t kZip64Marker16 = 0xFFFFu;
const int kLocatorSize = 20;

std::string SpotKey(const ArchiveSpot& spot, int disk) {
    return spot.path + '|' + std::to_string(spot.base) + '|' + std::to_string(spot.length) + '|' +
           std::to_string(disk);
}

std::string MemberKey(const ArchiveSpot& spot, uint32_t headerOffset) {
    return spot.path + '|' + std::to_string(spot.base) + '|' + std::to_string(spot.length) + '|' +
           std::to_string(headerOffset);
}

bool ReadAt(FileHandle file, uint32_t offset, unsigned char* buffer, uint16_t count) {
    if (SeekFile(file, static_cast<int32_t>(offset), 0) == -1) return false;
    uint16_t got = 0;
    ReadBlock(file, buffer, count, &got);
    return FileErrorCode() == 0 && got == count;
}

// The size of the central-directory record at p, or 0 when p holds none.
uint32_t RecordSize(const unsigned char* p, uint32_t available) {
    if (available < kCentralHeaderSize || !IsCentralHeaderSignature(p)) return 0;
    uint32_t size = kCentralHeaderSize + static_cast<uint32_t>(ReadLe16(p + 28)) + ReadLe16(p + 30) + ReadLe16(p + 32);
    return size <= available ? size : 0;
}

}  // namespace

const unsigned char* LoadedRecord(const ZipDirectory& listing, uint16_t before) {
    if (!listing.buffer) return nullptr;
    if (listing.position > before &&
        RecordSize(listing.buffer + before, listing.length - before) == static_cast<uint32_t>(listing.position - before)) {
        return listing.buffer + before;
    }
    if (RecordSize(listing.buffer, listing.length) == listing.position) return listing.buffer;
    return nullptr;
}

std::string MethodName(uint16_t method) {
    const char* name = nullptr;
    switch (method) {
    case 0: name = "stored"; break;
    case 1: name = "shrunk"; break;
    case 2: case 3: case 4: case 5: name = "reduced"; break;
    case 6: name = "imploded"; break;
    case 8: name = "deflated"; break;
    case 9: name = "Deflate64"; break;
    case 10: name = "PKWARE DCL imploded"; break;
    case 12: name = "bzip2"; break;
    case 14: name = "LZMA"; break;
    case 19: name = "IBM LZ77"; break;
    case 93: name = "Zstandard"; break;
    case 95: name = "xz"; break;
    case 96: name = "JPEG"; break;
    case 97: name = "WavPack"; break;
    case 98: name = "PPMd"; break;
    case 99: name = "AES-encrypted"; break;
    default: break;
    }
    return std::to_string(method) + (name ? std::string(" (") + name + ")" : std::string());
}

bool IsFolderMember(const ZipEntry& entry) {
    if (entry.attributes & kAttributeDirectory) return true;
    const char* last = ScanCharBack(entry.name, '\\');
    return last != nullptr && last[1] == '\0';
}

ArchiveInspector::ArchiveInspector(DiskDrive& drive, Findings& findings, ProgressLine& progress,
                                   std::string scratchFile, bool decodeEveryMember)
    : drive_(drive), findings_(findings), progress_(progress), scratchFile_(std::move(scratchFile)),
      decodeEveryMember_(decodeEveryMember) {}

void ArchiveInspector::CheckEndRecord(const std::string& label, const ArchiveSpot& spot, long listed) {
    FileHandle file = OpenExistingFile(spot.path.c_str(), kModeRead | kShareCompatible);
    if (file == kInvalidFile) return;
    uint32_t size = static_cast<uint32_t>(spot.length);
    if (spot.length <= 0) {
        uint32_t fileSize = QueryFileSize(file);
        size = fileSize > spot.base ? fileSize - spot.base : 0;
    }
    EndRecord end;
    unsigned char record[kEndRecordSize];
    if (size == 0 || !FindEndRecord(file, spot.base, size, end) ||
        !ReadAt(file, spot.base + end.position, record, kEndRecordSize)) {
        CloseFileHandle(file);
        findings_.Add("directory-damaged", label + ": no end of central directory record: not a whole ZIP archive");
        return;
    }
    uint16_t total = ReadLe16(record + 10);
    bool zip64 = total == kZip64Marker16 || ReadLe32(record + 12) == kZip64Marker32 ||
                 ReadLe32(record + 16) == kZip64Marker32;
    unsigned char locator[4];
    if (end.position >= static_cast<uint32_t>(kLocatorSize) &&
        ReadAt(file, spot.base + end.position - kLocatorSize, locator, 4) && HasSignature(locator, 6, 7)) {
        zip64 = true;
    }
    CloseFileHandle(file);
    if (zip64) {
        findings_.Add("zip64", label + ": a ZIP64 archive; SETUP.EXE reads only the classic ZIP format");
    } else if (listed < total) {
        findings_.Add("directory-damaged", label + ": the directory lists " + std::to_string(listed) + " of its " +
                                               std::to_string(total) + " members; a damaged entry ends it");
    }
}

void ArchiveInspector::CheckEntry(const std::string& label, const ZipDirectory& listing, uint16_t positionBefore) {
    const ZipEntry& entry = listing.entry;
    const std::string member = label + ": member " + entry.name;
    if (entry.flags & kFlagEncrypted) {
        findings_.Add("encrypted", member + " is encrypted; SETUP.EXE cannot decrypt it");
    } else if (entry.method != kMethodStored && entry.method != kMethodDeflated) {
        ++otherMethods_[MethodName(entry.method)];
    }
    if (entry.size == kZip64Marker32 || entry.packedSize == kZip64Marker32 || entry.headerOffset == kZip64Marker32) {
        findings_.Add("zip64", member + " has ZIP64 sizes; SETUP.EXE reads only the classic ZIP format");
    }
    const unsigned char* record = LoadedRecord(listing, positionBefore);
    if (!record) return;
    uint16_t length = ReadLe16(record + 28);
    if (length > kMaxPath - 1) length = kMaxPath - 1;
    std::string raw(reinterpret_cast<const char*>(record + kCentralHeaderSize), length);
    raw = raw.c_str();  // the installer's name ends at a zero byte too
    for (char& c : raw) {
        if (c == '/') c = '\\';
    }
    if (raw != entry.name) {
        // The OEM bytes as escapes: shown as they are, they would read as ANSI.
        std::string shown;
        for (unsigned char c : raw) {
            char escape[8];
            snprintf(escape, sizeof escape, "\\x%02X", c);
            shown += c < 0x80 ? std::string(1, static_cast<char>(c)) : std::string(escape);
        }
        findings_.Add("oem-name", label + ": member name " + shown + " (OEM) becomes " + entry.name +
                                      " (ANSI) in the OEM-to-ANSI conversion");
    }
}

void ArchiveInspector::Inspect(const std::string& label, const ArchiveSpot& spot) {
    if (!inspected_.insert(SpotKey(spot, drive_.CurrentDisk())).second) return;
    ZipDirectory listing;
    ArchiveSession session;
    BeginArchiveSession(session, spot.path.c_str());
    long listed = 0;
    otherMethods_.clear();
    int r = OpenZipDirectory(spot.path.c_str(), listing, spot.base, spot.length);
    uint16_t before = 0;
    for (; r == kListingEntry; before = listing.position, r = NextZipEntry(listing)) {
        ++listed;
        CheckEntry(label, listing, before);
        if (!decodeEveryMember_) continue;
        progress_.Member(label);
        ExtractResult result = Decode(label, spot, listing.entry, session);
        if (result != kExtractOk) failures_[MemberKey(spot, listing.entry.headerOffset)] = result;
    }
    EndArchiveSession(session);
    CloseZipDirectory(listing);
    // One wrongly built archive is one mistake, however many members it has.
    for (const auto& method : otherMethods_) {
        findings_.Add("method", label + ": " + std::to_string(method.second) + " member" +
                                    (method.second == 1 ? " is" : "s are") + " compressed with method " + method.first +
                                    "; SETUP.EXE decodes only 0 (stored) and 8 (deflated): make the archive again "
                                    "with deflate (zip -Z deflate) or stored");
    }
    if (r == kListingUnreadable) {
        findings_.Add("directory-damaged", label + ": no end of central directory record: not a whole ZIP archive");
    } else if (r == kListingEmpty) {
        findings_.Add("directory-damaged", label + ": holds no members; SETUP.EXE reports a read error for it");
    } else {
        CheckEndRecord(label, spot, listed);
    }
}

ExtractResult ArchiveInspector::KnownOutcome(const ArchiveSpot& spot, uint32_t headerOffset) const {
    auto found = failures_.find(MemberKey(spot, headerOffset));
    return found == failures_.end() ? kExtractOk : found->second;
}

ExtractResult ArchiveInspector::DecodeNow(const std::string& label, const ArchiveSpot& spot, const ZipEntry& entry,
                                          ArchiveSession& session) {
    progress_.Member(label);
    return Decode(label, spot, entry, session);
}

ExtractResult ArchiveInspector::Decode(const std::string& label, const ArchiveSpot& spot, const ZipEntry& entry,
                                       ArchiveSession& session) {
    if (IsFolderMember(entry)) return kExtractOk;
    DecoderPorts ports = drive_.Ports();
    drive_.TakeMissingDisk();
    ExtractDetail detail;
    ExtractResult result =
        ExtractSessionMember(session, scratchFile_.c_str(), 0, spot.base + entry.headerOffset, ports, &detail);
    int missingDisk = drive_.TakeMissingDisk();
    ++decodedMembers_;
    decodedBytes_ += entry.size;
    const std::string member = label + ": member " + entry.name;
    const std::string where = std::to_string(detail.consumed) + " bytes into its compressed data, which starts at " +
                              "offset " + std::to_string(detail.dataOffset);
    switch (result) {
    case kExtractOk: break;
    case kExtractBadCrcOrBlockHeader:
        if (detail.decoded == kDecodeBadBlockHeader) {
            findings_.Add("damaged-data", member + ": its deflate data is damaged: a malformed block header " + where);
        } else {
            findings_.Add("crc-mismatch", member + " decodes to " + std::to_string(entry.size) +
                                              " bytes, but not to its CRC-32: the copy is damaged");
        }
        break;
    case kExtractInputFailed:
        if (missingDisk > 0) {
            findings_.Add("disk-missing", member + " continues on disk " + std::to_string(missingDisk) +
                                              ", which no --disk gives");
        } else {
            findings_.Add("bad-data", member + ": its data ends early (the archive is cut short)");
        }
        break;
    case kExtractBadHeaderOrData:
        if (detail.decoderRan) {
            findings_.Add("damaged-data", member + ": its deflate data is damaged: invalid data " + where);
        } else {
            findings_.Add("bad-data", member + ": no readable local header and data at offset " +
                                          std::to_string(spot.base + entry.headerOffset) +
                                          " (damaged, or a self-extractor whose offsets were not adjusted with zip -A)");
        }
        break;
    case kExtractBadMethod: break;  // told once for the archive by its inspection
    case kExtractEncrypted:
        findings_.Add("encrypted", member + " is encrypted; SETUP.EXE cannot decrypt it");
        break;
    default:
        // The scratch file could not be written: the checker's own trouble.
        findings_.Add("bad-data", member + ": the checker could not write its scratch copy (" + scratchFile_ + ")");
        break;
    }
    return result;
}
