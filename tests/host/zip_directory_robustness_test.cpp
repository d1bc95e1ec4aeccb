// The directory reader on damaged archives, under AddressSanitizer: every
// fixture cut short at many lengths and with single bytes overwritten in
// its directory and end record. Nothing may be read outside the buffers,
// every listing ends with a result, and every delivered entry is sane.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "host/zip_fixture_files.h"
#include "unzip/zip_directory.h"

namespace {

using zip_fixtures::FixturePath;
using zip_fixtures::ReadText;

class Scratch {
public:
    Scratch() {
        char pattern[] = "/tmp/zipdamageXXXXXX";
        int descriptor = mkstemp(pattern);
        if (descriptor >= 0) close(descriptor);
        path_ = pattern;
    }
    ~Scratch() { unlink(path_.c_str()); }
    const std::string& Write(const std::string& bytes) {
        FILE* file = std::fopen(path_.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        return path_;
    }

private:
    std::string path_;
};

// Lists the archive to its end; false when a delivered entry breaks the
// reader's promises.
bool ListsSanely(const std::string& path, int* entries) {
    ZipDirectory listing;
    int result = OpenZipDirectory(path.c_str(), listing, 0, 0);
    *entries = 0;
    bool sane = true;
    while (result == kListingEntry) {
        ++*entries;
        sane &= std::strlen(listing.entry.name) < static_cast<size_t>(kMaxPath);
        sane &= std::strchr(listing.entry.name, '/') == nullptr;
        sane &= listing.length <= kDirectoryWindow && listing.position <= listing.length;
        result = NextZipEntry(listing);
        if (*entries > 100000) return false;  // a listing must end
    }
    sane &= result == kListingEnd || result == kListingUnreadable || result == kListingEmpty;
    sane &= listing.buffer == nullptr && listing.archive == kInvalidFile;
    CloseZipDirectory(listing);
    return sane;
}

const char* const kDamaged[] = {
    "infozip_stored.zip", "infozip_comments.zip", "sfx_pe.exe", "comment_signature.zip",
    "file_comments.zip",  "hosts.zip",            "long_name.zip", "oem_names.zip",
    "directory_64000.zip", "huge_directory.zip",
};

class DamagedArchive : public testing::TestWithParam<const char*> {};

TEST_P(DamagedArchive, CutShort) {
    std::string whole = ReadText(FixturePath(GetParam()));
    Scratch scratch;
    size_t step = whole.size() / 97 + 1;
    for (size_t length = 0; length < whole.size(); length += step) {
        int entries = 0;
        EXPECT_TRUE(ListsSanely(scratch.Write(whole.substr(0, length)), &entries)) << "cut at " << length;
    }
    // The last bytes, one at a time: the end record and what precedes it.
    for (size_t cut = 1; cut < 120 && cut < whole.size(); ++cut) {
        int entries = 0;
        EXPECT_TRUE(ListsSanely(scratch.Write(whole.substr(0, whole.size() - cut)), &entries)) << "cut " << cut;
    }
}

TEST_P(DamagedArchive, BytesOverwritten) {
    std::string whole = ReadText(FixturePath(GetParam()));
    Scratch scratch;
    size_t end = whole.rfind("PK\x05\x06");
    ASSERT_NE(end, std::string::npos);
    uint32_t directory = static_cast<unsigned char>(whole[end + 16]) | (static_cast<unsigned char>(whole[end + 17]) << 8) |
                         (static_cast<unsigned char>(whole[end + 18]) << 16) |
                         (static_cast<uint32_t>(static_cast<unsigned char>(whole[end + 19])) << 24);
    // Every byte of the end record and of the first directory entries, and
    // a spread of bytes through the rest of the directory.
    size_t stride = (end - directory) / 400 + 1;
    for (size_t at = directory; at < whole.size(); at += (at < directory + 300 || at >= end) ? 1 : stride) {
        for (unsigned char value : {0x00, 0xFF, 0x7F}) {
            std::string damaged = whole;
            damaged[at] = static_cast<char>(value);
            int entries = 0;
            EXPECT_TRUE(ListsSanely(scratch.Write(damaged), &entries)) << "byte " << at << " = " << int(value);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, DamagedArchive, testing::ValuesIn(kDamaged));

}  // namespace
