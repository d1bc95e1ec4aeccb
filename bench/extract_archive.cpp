// Lists an archive and extracts every member below a folder, the way the
// installation does, so that a heap profiler (valgrind massif, heaptrack)
// can show what one listing and one member cost. Host build only.
//
// Usage: extract_archive ARCHIVE OUTPUT_FOLDER
#include <cstdio>
#include <cstring>

#include "fs/path_utils.h"
#include "unzip/crc32.h"
#include "unzip/extract_member.h"
#include "unzip/zip_directory.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ARCHIVE OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    InitCrc32Table();
    ZipDirectory listing;
    unsigned long members = 0, failures = 0;
    unsigned long long bytes = 0;
    for (int r = OpenZipDirectory(argv[1], listing, 0, 0); r == kListingEntry; r = NextZipEntry(listing)) {
        char output[kMaxPath];
        CopyBounded(output, argv[2], kMaxPath);
        AddBackslash(output);
        size_t used = std::strlen(output);
        CopyBounded(output + used, listing.entry.name, static_cast<int>(kMaxPath - used));
        int result = ExtractZipMember(argv[1], output, listing.entry.attributes, listing.entry.headerOffset,
                                      kQuietPorts);
        ++members;
        if (result != kExtractOk) {
            ++failures;
            std::fprintf(stderr, "%s: result %d\n", listing.entry.name, result);
        } else {
            bytes += listing.entry.size;
        }
    }
    CloseZipDirectory(listing);
    std::printf("%lu members, %llu bytes extracted, %lu failures\n", members, bytes, failures);
    return failures == 0 ? 0 : 1;
}
