// ZIP listing and archive recognition in the product under Wine (Win32
// file layer, OemToCharA), on the same archives and expectations as the
// host build; and the host's code page table checked against the system.
#include <windows.h>

#include <string>

#include "host/zip_listing_cases.h"
#include "testlib/distribution.h"

namespace {

std::string CurrentDirectory() {
    char buffer[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    return std::string(buffer, length);
}

TEST(ZipProbeDirectory, DirectoryWithADotIsNoArchiveAndTheCurrentDirectoryStays) {
    std::string saved = CurrentDirectory();
    std::string folder = MakeTemporaryFolder("zipprobe");
    std::string dotted = folder + "\\archive.zip";
    ASSERT_TRUE(CreateDirectoryA(dotted.c_str(), nullptr));

    EXPECT_FALSE(IsZipArchive((dotted + "\\").c_str()));
    EXPECT_EQ(CurrentDirectory(), saved);

    RemoveTree(folder);
}

// A real Windows executable (this test program) with an archive appended:
// recognised by the end record in its tail, and listed in place with the
// executable's size as base offset.
TEST(ZipProbeRealExecutable, AppendedArchiveIsFoundAndListedInPlace) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string executable = zip_fixtures::ReadText(self);
    std::string archive = zip_fixtures::ReadText(zip_fixtures::FixturePath("infozip_stored.zip"));
    ASSERT_GT(executable.size(), 4096u);
    std::string folder = MakeTemporaryFolder("zipsfx");
    std::string path = folder + "\\sfx.exe";
    FILE* file = fopen(path.c_str(), "wb");
    fwrite(executable.data(), 1, executable.size(), file);
    fwrite(archive.data(), 1, archive.size(), file);
    fclose(file);

    EXPECT_TRUE(IsZipArchive(path.c_str()));
    ZipDirectory listing;
    ASSERT_EQ(OpenZipDirectory(path.c_str(), listing, static_cast<uint32_t>(executable.size()),
                               static_cast<int32_t>(archive.size())),
              kListingEntry);
    EXPECT_EQ(listing.entry.headerOffset, 0u);
    CloseZipDirectory(listing);
    // Without the base offset the directory's offsets point into the program.
    ASSERT_EQ(OpenZipDirectory(path.c_str(), listing, 0, 0), kListingEnd);
    RemoveTree(folder);
}

TEST(OemTable, MatchesOemToCharAForCodePage437) {
    if (GetOEMCP() != 437 || GetACP() != 1252) GTEST_SKIP() << "needs OEM 437 and ANSI 1252";
    for (int c = 1; c < 256; ++c) {
        char in[2] = {static_cast<char>(c), '\0'};
        char out[2] = {0, 0};
        OemToCharA(in, out);
        EXPECT_EQ(static_cast<unsigned char>(out[0]), OemToAnsiByTable(static_cast<unsigned char>(c))) << c;
    }
}

}  // namespace
