// libFuzzer target: arbitrary bytes as an archive file, recognised,
// listed to the end and every listed member (up to 16) extracted. Output
// names are fixed, never taken from the archive, so that no input can
// write outside the scratch folder.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "unzip/crc32.h"
#include "unzip/extract_member.h"
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
        uint16_t attributes = listing.entry.attributes & ~kAttributeDirectory & 0xFF;
        ExtractZipMember(scratch.archive.c_str(), output.c_str(), attributes, listing.entry.headerOffset,
                         kQuietPorts);
        std::remove((scratch.folder + "/member" + std::to_string(members - 1)).c_str());
    }
    return 0;
}
