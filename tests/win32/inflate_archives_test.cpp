// Members of archives made by Info-ZIP zip (-0, -1, -6, -9), 7-Zip's own
// deflate encoder and Python's zipfile decode byte-exact with the CRC of the
// archive, in the product under Wine with its real file layer: the archive
// opened and positioned at the member's data (and read past the member, as
// the extraction does), the output written to a new file; with every kind
// of fast loop this machine allows and with the careful loop alone.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fs/file_ops.h"
#include "testlib/distribution.h"
#include "unzip/crc32.h"
#include "unzip/inflate.h"
#include "unzip/inflate_codes.h"

namespace {

typedef std::vector<uint8_t> Bytes;

Bytes ReadFile(const std::string& path) {
    Bytes data;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return data;
    uint8_t chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) data.insert(data.end(), chunk, chunk + n);
    fclose(f);
    return data;
}

uint32_t U16(const Bytes& b, size_t at) { return b[at] | (b[at + 1] << 8); }
uint32_t U32(const Bytes& b, size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }

struct Entry {
    std::string name;
    uint32_t method, crc, compressedSize, size, localOffset;
};

std::vector<Entry> Directory(const Bytes& zip) {
    std::vector<Entry> entries;
    size_t end = zip.size() - 22;
    while (end > 0 && U32(zip, end) != 0x06054B50) --end;
    size_t at = U32(zip, end + 16);
    for (uint32_t i = 0, n = U16(zip, end + 10); i < n; ++i) {
        Entry e;
        e.method = U16(zip, at + 10);
        e.crc = U32(zip, at + 16);
        e.compressedSize = U32(zip, at + 20);
        e.size = U32(zip, at + 24);
        uint32_t nameLength = U16(zip, at + 28);
        e.localOffset = U32(zip, at + 42);
        e.name.assign(reinterpret_cast<const char*>(&zip[at + 46]), nameLength);
        at += 46 + nameLength + U16(zip, at + 30) + U16(zip, at + 32);
        entries.push_back(e);
    }
    return entries;
}

int Extract(const std::string& archivePath, const Bytes& zip, const Entry& e, const std::string& outputPath,
            uint32_t& crc) {
    static DecoderState state;
    memset(&state, 0, sizeof state);
    int32_t data = static_cast<int32_t>(e.localOffset + 30 + U16(zip, e.localOffset + 26) + U16(zip, e.localOffset + 28));
    strcpy(state.archivePath, archivePath.c_str());
    state.archiveFile = OpenExistingFile(state.archivePath, kModeRead);
    if (state.archiveFile == kInvalidFile || SeekFile(state.archiveFile, data, 0) != data) return -1;
    state.outputFile = CreateNewFile(outputPath.c_str(), 0);
    if (state.outputFile == kInvalidFile) return -2;
    state.compressedSize = static_cast<int32_t>(e.compressedSize);
    state.crc = kCrcStart;
    state.lastReportTime = kNoReportYet;
    AllocateDecoderWindow(state);
    int result = e.method == 8 ? InflateMember(state) : CopyStoredMember(state);
    ReleaseDecoderWindow(state);
    if (state.archiveFile != kInvalidFile) CloseFileHandle(state.archiveFile);
    CloseFileHandle(state.outputFile);
    crc = ~state.crc;
    return result;
}

TEST(InflateArchives, MembersDecodeByteExactWithTheirCrc) {
    InitCrc32Table();
    const char* archives[] = {"zip0.zip", "zip1.zip", "zip6.zip", "zip9.zip", "sevenzip1.zip", "sevenzip9.zip", "pyzip.zip"};
    const std::string dir = INFLATE_FIXTURE_DIR;
    const std::string folder = MakeTemporaryFolder("inflate");
    int members = 0, deflated = 0;
    for (const char* name : archives) {
        Bytes zip = ReadFile(dir + "/" + name);
        ASSERT_GT(zip.size(), 22u) << name;
        for (const Entry& e : Directory(zip)) {
            Bytes original = ReadFile(dir + "/src/" + e.name);
            for (int kind = kFastLoopOff; kind <= BestFastLoop(); ++kind) {
                const std::string outputPath = folder + "\\" + std::to_string(kind) + e.name;
                UseFastLoop(static_cast<FastLoopKind>(kind));
                uint32_t crc = 0;
                int result = Extract(dir + "/" + name, zip, e, outputPath, crc);
                Bytes out = ReadFile(outputPath);
                EXPECT_EQ(result, 0) << name << " " << e.name << " loop " << kind;
                EXPECT_EQ(crc, e.crc) << name << " " << e.name << " loop " << kind;
                EXPECT_EQ(out.size(), original.size()) << name << " " << e.name << " loop " << kind;
                EXPECT_TRUE(out == original) << name << " " << e.name << " loop " << kind;
            }
            ++members;
            if (e.method == 8) ++deflated;
        }
    }
    EnableFastDecoding(true);
    // Wine on an x86-64 machine reports SSE2 as enabled by the system.
    EXPECT_GE(BestFastLoop(), kFastLoopWide);
    RemoveTree(folder);
    EXPECT_GE(members, 60);
    EXPECT_GE(deflated, 40);
}

}  // namespace
