// libFuzzer target: arbitrary bytes as an archive file, recognised,
// listed to the end and every listed member (up to 16) extracted. Output
// names are fixed, never taken from the archive, so that no input can
// write outside the scratch folder. Differential: a member our extraction
// calls good holds exactly what zlib inflates from the same bytes (where
// zlib accepts them: it refuses distances before the member's start, which
// we read as zeros).
#include <unistd.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fs/file_ops.h"
#include "unzip/crc32.h"
#include "unzip/extract_member.h"
#include "unzip/local_header.h"
#include "unzip/zip_directory.h"
#include "unzip/zip_probe.h"

namespace {

const int kMaxMembers = 16;

struct Scratch {
    std::string folder;
    std::string archive;
    Scratch() {
        char pattern[] = "/tmp/zipfuzzXXXXXX";
        folder = mkdtemp(pattern) ? pattern : "/tmp";
        archive = folder + "/input.zip";
        InitCrc32Table();
    }
    ~Scratch() {
        std::remove(archive.c_str());
        rmdir(folder.c_str());
    }
};

Scratch& TheScratch() {
    static Scratch scratch;
    return scratch;
}

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return bytes;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(file);
    return bytes;
}

// What zlib makes of the member's data; false when it refuses them.
bool ZlibInflate(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
    z_stream z = {};
    if (inflateInit2(&z, -15) != Z_OK) return false;
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(size);
    int status;
    uint8_t chunk[65536];
    do {
        z.next_out = chunk;
        z.avail_out = sizeof chunk;
        status = inflate(&z, Z_NO_FLUSH);
        out.insert(out.end(), chunk, chunk + (sizeof chunk - z.avail_out));
    } while (status == Z_OK && (z.avail_in > 0 || z.avail_out == 0));
    inflateEnd(&z);
    return status == Z_STREAM_END;
}

// The member our extraction accepted, against its data in the input.
void CompareWithZlib(const std::string& archive, uint32_t headerOffset, const uint8_t* data, size_t size,
                     const std::string& output) {
    FileHandle file = OpenExistingFile(archive.c_str(), kModeRead);
    if (file == kInvalidFile) return;
    LocalHeader header;
    bool read = ReadLocalHeader(file, headerOffset, header);
    CloseFileHandle(file);
    if (!read || header.dataOffset > size) return;
    const uint8_t* start = data + header.dataOffset;
    size_t available = size - header.dataOffset;
    std::vector<uint8_t> ours = ReadAll(output);
    if (header.method == 0) {
        size_t length = header.packedSize < available ? header.packedSize : available;
        if (ours.size() != length || (length && std::memcmp(ours.data(), start, length) != 0)) __builtin_trap();
        return;
    }
    std::vector<uint8_t> theirs;
    if (ZlibInflate(start, available, theirs) && theirs != ours) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Scratch& scratch = TheScratch();
    FILE* file = std::fopen(scratch.archive.c_str(), "wb");
    if (file == nullptr) return 0;
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);

    IsZipArchive(scratch.archive.c_str());
    ZipDirectory listing;
    int members = 0;
    for (int r = OpenZipDirectory(scratch.archive.c_str(), listing, 0, 0); r == kListingEntry;
         r = NextZipEntry(listing)) {
        if (members >= kMaxMembers) {
            CloseZipDirectory(listing);
            break;
        }
        std::string output = scratch.folder + "\\member" + std::to_string(members++);
        std::string hostOutput = scratch.folder + "/member" + std::to_string(members - 1);
        uint16_t attributes = listing.entry.attributes & ~kAttributeDirectory & 0xFF;
        if (ExtractZipMember(scratch.archive.c_str(), output.c_str(), attributes, listing.entry.headerOffset,
                             kQuietPorts) == kExtractOk) {
            CompareWithZlib(scratch.archive, listing.entry.headerOffset, data, size, hostOutput);
        }
        std::remove(hostOutput.c_str());
    }
    return 0;
}
