// Members of archives made by Info-ZIP zip (-0, -1, -6, -9), 7-Zip's own
// deflate encoder and Python's zipfile decode byte-exact with the CRC of the
// archive, in the i686 product code under Wine. The member's data is fed
// from its local header's data offset to the end of the archive, as the
// extraction reads it (past the member).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/memory_files.h"
#include "unzip/crc32.h"
#include "unzip/inflate.h"

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

int Decode(const Bytes& zip, const Entry& e, Bytes& out, uint32_t& crc) {
    static DecoderState state;
    memory_files::Reset();
    memset(&state, 0, sizeof state);
    size_t data = e.localOffset + 30 + U16(zip, e.localOffset + 26) + U16(zip, e.localOffset + 28);
    state.archiveFile = memory_files::OpenInput(zip.data() + data, zip.size() - data);
    state.outputFile = memory_files::OpenOutput(&out);
    state.compressedSize = static_cast<int32_t>(e.compressedSize);
    state.crc = kCrcStart;
    state.lastReportTime = kNoReportYet;
    AllocateDecoderWindow(state);
    int result = e.method == 8 ? InflateMember(state) : CopyStoredMember(state);
    ReleaseDecoderWindow(state);
    crc = ~state.crc;
    return result;
}

TEST(InflateArchives, MembersDecodeByteExactWithTheirCrc) {
    InitCrc32Table();
    const char* archives[] = {"zip0.zip", "zip1.zip", "zip6.zip", "zip9.zip", "sevenzip1.zip", "sevenzip9.zip", "pyzip.zip"};
    const std::string dir = INFLATE_FIXTURE_DIR;
    int members = 0, deflated = 0;
    for (const char* name : archives) {
        Bytes zip = ReadFile(dir + "/" + name);
        ASSERT_GT(zip.size(), 22u) << name;
        for (const Entry& e : Directory(zip)) {
            Bytes original = ReadFile(dir + "/src/" + e.name);
            Bytes out;
            uint32_t crc = 0;
            int result = Decode(zip, e, out, crc);
            EXPECT_EQ(result, 0) << name << " " << e.name;
            EXPECT_EQ(crc, e.crc) << name << " " << e.name;
            EXPECT_EQ(out.size(), original.size()) << name << " " << e.name;
            EXPECT_TRUE(out == original) << name << " " << e.name;
            ++members;
            if (e.method == 8) ++deflated;
        }
    }
    EXPECT_GE(members, 60);
    EXPECT_GE(deflated, 40);
}

}  // namespace
