// ZIP listing and archive recognition in the host build (POSIX file layer,
// the fixed code page 437 table), on archives made at build time.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "host/zip_listing_cases.h"

namespace {

std::string CurrentDirectory() {
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? buffer : "";
}

TEST(ZipProbeDirectory, DirectoryWithADotIsNoArchiveAndTheCurrentDirectoryStays) {
    std::string saved = CurrentDirectory();
    char pattern[] = "/tmp/zipprobeXXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::string folder = std::string(pattern) + "/archive.zip";
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);

    EXPECT_FALSE(IsZipArchive(folder.c_str()));
    EXPECT_EQ(CurrentDirectory(), saved);

    rmdir(folder.c_str());
    rmdir(pattern);
}

TEST(OemTable, LowerHalfIsUnchanged) {
    for (int c = 1; c < 0x80; ++c) EXPECT_EQ(OemToAnsiByTable(static_cast<unsigned char>(c)), c);
}

}  // namespace
