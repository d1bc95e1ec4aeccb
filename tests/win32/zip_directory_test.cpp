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

TEST(ZipProbeDirectory, DirectoryWithADotIsEnteredAndIsNoArchive) {
    std::string saved = CurrentDirectory();
    std::string folder = MakeTemporaryFolder("zipprobe");
    std::string dotted = folder + "\\archive.zip";
    ASSERT_TRUE(CreateDirectoryA(dotted.c_str(), nullptr));

    EXPECT_FALSE(IsZipArchive((dotted + "\\").c_str()));
    EXPECT_EQ(CurrentDirectory(), dotted);

    SetCurrentDirectoryA(saved.c_str());
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
