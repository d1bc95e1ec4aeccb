// Listing tests shared by the host build and the product under Wine: each
// fixture archive is listed and compared with the listing that Python's
// zipfile read from it at build time (NAME.expect beside the archive).
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "unzip/oem_names.h"
#include "unzip/zip_directory.h"
#include "unzip/zip_probe.h"
#include "host/zip_fixture_files.h"

namespace zip_listing {

using zip_fixtures::FixturePath;
using zip_fixtures::ReadText;

inline std::string Hex(const char* text) {
    if (*text == '\0') return "-";
    std::string hex;
    char pair[3];
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        std::snprintf(pair, sizeof pair, "%02x", *p);
        hex += pair;
    }
    return hex;
}

inline std::string EntryLine(const ZipEntry& e) {
    char line[200];
    std::snprintf(line, sizeof line, " %u %u %lu %lu %lu %lu %lu %u\n", e.method, e.flags,
                  static_cast<unsigned long>(e.stamp), static_cast<unsigned long>(e.crc),
                  static_cast<unsigned long>(e.packedSize), static_cast<unsigned long>(e.size),
                  static_cast<unsigned long>(e.headerOffset), e.attributes);
    return "entry " + Hex(e.name) + line;
}

struct ListingFacts {
    std::string text;        // in the format of the .expect files
    bool streamed = false;   // the archive stayed open during the listing
    bool bounded = true;     // the valid length never exceeded the window
    bool closedAtEnd = false;
};

// Lists the archive with the base offset and length its .expect file names.
inline ListingFacts List(const std::string& name) {
    ListingFacts facts;
    unsigned long base = 0;
    long length = 0;
    int ignored = 0;
    std::string expected = ReadText(FixturePath(name + ".expect"));
    std::sscanf(expected.c_str(), "open %lu %ld %d", &base, &length, &ignored);

    ZipDirectory listing;
    int result = OpenZipDirectory(FixturePath(name).c_str(), listing, static_cast<uint32_t>(base),
                                  static_cast<int32_t>(length));
    char line[80];
    std::snprintf(line, sizeof line, "open %lu %ld %d\n", base, length, result);
    facts.text = line;
    bool opened = result == kListingEntry;
    while (result == kListingEntry) {
        facts.text += EntryLine(listing.entry);
        facts.streamed |= listing.archive != kInvalidFile;
        facts.bounded &= listing.length <= kDirectoryWindow && listing.position <= listing.length;
        result = NextZipEntry(listing);
    }
    if (opened) {
        std::snprintf(line, sizeof line, "end %d\n", result);
        facts.text += line;
    }
    facts.closedAtEnd = listing.buffer == nullptr && listing.archive == kInvalidFile;
    // A closed listing stays closed and answers non-zero.
    if (NextZipEntry(listing) == kListingEntry) facts.closedAtEnd = false;
    CloseZipDirectory(listing);
    CloseZipDirectory(listing);
    return facts;
}

// One row per fixture; what each one shows is its comment.
const char* const kListingFixtures[] = {
    "infozip_stored.zip",     // Info-ZIP, stored, directories, extra fields
    "infozip_deflated.zip",   // Info-ZIP, deflated
    "infozip_comments.zip",   // Info-ZIP with an archive comment and file comments
    "sfx_dos.exe",            // zip -A after an MS-DOS stub
    "sfx_dos_padded.exe",     // the same, one byte behind the image end
    "sfx_pe.exe",             // zip -A after a Windows executable
    "empty.zip",              // only an end record: -2
    "junk_then_end.zip",      // end record within the first 46 bytes: -2
    "no_end_record.zip",      // -1
    "short.zip",              // 21 bytes: -1
    "zero.zip",               // empty file: -1
    "missing.zip",            // no such file: -1
    "offset_beyond_end.zip",  // directory offset behind the end record: 1
    "broken_third_entry.zip", // the entries before a malformed one still come
    "comment_signature.zip",  // an end record inside the archive comment wins
    "comment_tail_signature.zip",  // a signature in the last 22 bytes is no end record
    "comment_4084.zip",       // end record just before the first chunk: the overlap finds it
    "comment_9000.zip",       // several chunks back
    "comment_65535.zip",      // the longest archive comment
    "file_comments.zip",      // file comments and extra fields are stepped over
    "hosts.zip",              // attributes only from MS-DOS hosts
    "oem_names.zip",          // code page 437 umlauts come back in 1252
    "long_name.zip",          // a 300-character name is cut to 259
    "embedded.bin",           // base offset and length honoured
    "embedded_whole.bin",     // the same file without them finds the fake end record
    "huge_directory.zip",     // directory over 65535 bytes, entries across the window
    "directory_64000.zip",    // the smallest streamed directory
    "directory_63999.zip",    // the largest directory read whole
};

class ZipListing : public testing::TestWithParam<const char*> {};

TEST_P(ZipListing, ListsWhatZipfileReads) {
    std::string name = GetParam();
    ListingFacts facts = List(name);
    EXPECT_EQ(facts.text, ReadText(FixturePath(name + ".expect")));
    EXPECT_TRUE(facts.bounded);
    EXPECT_TRUE(facts.closedAtEnd);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ZipListing, testing::ValuesIn(kListingFixtures));

TEST(ZipListingWindow, StreamsFrom64000BytesOn) {
    EXPECT_TRUE(List("huge_directory.zip").streamed);
    EXPECT_TRUE(List("directory_64000.zip").streamed);
    EXPECT_FALSE(List("directory_63999.zip").streamed);
    EXPECT_FALSE(List("infozip_stored.zip").streamed);
}

TEST(ZipListingNames, CutAt259AndSeparatedByBackslashes) {
    ZipDirectory listing;
    ASSERT_EQ(OpenZipDirectory(FixturePath("long_name.zip").c_str(), listing, 0, 0), kListingEntry);
    EXPECT_EQ(std::strlen(listing.entry.name), 259u);
    EXPECT_EQ(std::string(listing.entry.name, 2), "d\\");
    ASSERT_EQ(NextZipEntry(listing), kListingEntry);
    EXPECT_STREQ(listing.entry.name, "after.txt");
    CloseZipDirectory(listing);

    ASSERT_EQ(OpenZipDirectory(FixturePath("oem_names.zip").c_str(), listing, 0, 0), kListingEntry);
    EXPECT_STREQ(listing.entry.name, "M\xFCller\\\xC4rger \xE4\xF6\xFC\xDF.txt");
    CloseZipDirectory(listing);
}

TEST(ZipListingOffsets, RelativeToTheBaseOffset) {
    ZipDirectory listing;
    ASSERT_EQ(OpenZipDirectory(FixturePath("embedded.bin").c_str(), listing, 200, 925), kListingEntry);
    EXPECT_STREQ(listing.entry.name, "inner\\a.txt");
    EXPECT_EQ(listing.entry.headerOffset, 0u);
    CloseZipDirectory(listing);
}

struct ProbeCase {
    const char* name;
    bool archive;
};

const ProbeCase kProbeCases[] = {
    {"infozip_stored.zip", true},
    {"infozip_deflated.zip", true},
    {"sfx_dos.exe", true},           // local header at the MS-DOS image end
    {"sfx_dos_padded.exe", true},    // one byte behind it
    {"sfx_pe.exe", true},            // end record in the last 2048 bytes
    {"pe_plain.exe", false},
    {"dos_misplaced.exe", false},    // old format: no tail scan
    {"pe_long_comment.exe", false},  // end record further back than 2048 bytes
    {"readme.txt", false},
    {"nodot", false},                // an archive, but without a dot in its name
    {"ten_bytes.zip", true},
    {"nine_bytes.zip", false},
    {"empty.zip", false},            // starts with the end record
    {"zero.zip", false},
    {"missing.zip", false},
};

class ZipProbe : public testing::TestWithParam<ProbeCase> {};

TEST_P(ZipProbe, RecognisesArchivesAndSelfExtractors) {
    EXPECT_EQ(IsZipArchive(FixturePath(GetParam().name).c_str()), GetParam().archive) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ZipProbe, testing::ValuesIn(kProbeCases));

// Bytes of code page 437 and their code page 1252 forms.
struct OemCase {
    unsigned char oem;
    unsigned char ansi;
};

const OemCase kOemCases[] = {
    {'A', 'A'}, {'/', '/'}, {'\\', '\\'}, {0x7F, 0x7F},
    {0x81, 0xFC},  // u umlaut
    {0x84, 0xE4},  // a umlaut
    {0x94, 0xF6},  // o umlaut
    {0x8E, 0xC4},  // A umlaut
    {0x99, 0xD6},  // O umlaut
    {0x9A, 0xDC},  // U umlaut
    {0xE1, 0xDF},  // sharp s
    {0x82, 0xE9},  // e acute
    {0x87, 0xE7},  // c cedilla
    {0xA5, 0xD1},  // N tilde
    {0x9C, 0xA3},  // pound
    {0xF8, 0xB0},  // degree
    {0xFF, 0xA0},  // no-break space
};

class OemNames : public testing::TestWithParam<OemCase> {};

TEST_P(OemNames, ConvertToAnsi) {
    char name[3] = {static_cast<char>(GetParam().oem), 'x', '\0'};
    OemNameToAnsi(name);
    EXPECT_EQ(static_cast<unsigned char>(name[0]), GetParam().ansi);
    EXPECT_EQ(name[1], 'x');
}

INSTANTIATE_TEST_SUITE_P(Table, OemNames, testing::ValuesIn(kOemCases));

}  // namespace zip_listing
