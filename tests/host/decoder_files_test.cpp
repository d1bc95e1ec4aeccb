// The decoder on real files through the host file layer: a deflated and a
// stored member that continue on the "next disk" (the same file name with
// new contents once the disk is confirmed), and a refused disk.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "deflate_writer.h"
#include "fs/file_ops.h"
#include "fs/thread_state.h"
#include "unzip/crc32.h"
#include "unzip/inflate.h"

namespace {

typedef std::vector<uint8_t> Bytes;

std::string folder;
std::vector<Bytes> nextDisks;
std::vector<int> disksAsked;
bool answerOk = true;

void WriteHostFile(const std::string& path, const Bytes& data) {
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_TRUE(f != nullptr);
    if (!data.empty()) fwrite(data.data(), 1, data.size(), f);
    fclose(f);
}

Bytes ReadHostFile(const std::string& path) {
    Bytes data;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return data;
    int c;
    while ((c = fgetc(f)) != EOF) data.push_back(static_cast<uint8_t>(c));
    fclose(f);
    return data;
}

bool AskForDisk(void*, int n) {
    disksAsked.push_back(n);
    if (answerOk && !nextDisks.empty()) {
        WriteHostFile(folder + "/DISK.ZIP", nextDisks.front());
        nextDisks.erase(nextDisks.begin());
    }
    return answerOk;
}

const DecoderPorts kPorts = {nullptr, nullptr, nullptr, nullptr, AskForDisk, nullptr};

// Literals and matches in one fixed block, n bytes of output.
Bytes FixedStream(size_t n, Bytes* expected) {
    DeflateWriter w;
    w.BlockHeader(true, 1);
    expected->clear();
    uint32_t x = 99;
    while (expected->size() < n) {
        x = x * 1103515245u + 12345u;
        if (expected->size() > 1000 && (x >> 20) % 3 == 0) {
            unsigned length = 3 + (x >> 8) % 40, distance = 1 + (x >> 12) % 900;
            w.FixedMatch(length, distance);
            for (unsigned i = 0; i < length; ++i) expected->push_back((*expected)[expected->size() - distance]);
        } else {
            uint8_t b = static_cast<uint8_t>(x >> 24);
            w.FixedSymbol(b);
            expected->push_back(b);
        }
    }
    w.FixedSymbol(256);
    return w.Finish();
}

class DecoderFiles : public testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/decoderfilesXXXXXX";
        ASSERT_TRUE(mkdtemp(name) != nullptr);
        folder = name;
        nextDisks.clear();
        disksAsked.clear();
        answerOk = true;
        InitCrc32Table();
        CurrentThreadState().currentDisk = 0;
    }
    void TearDown() override {
        unlink((folder + "/DISK.ZIP").c_str());
        unlink((folder + "/OUT.BIN").c_str());
        rmdir(folder.c_str());
    }
    int Run(const Bytes& firstDisk, int32_t compressedSize, bool stored, Bytes* output, uint32_t* crc) {
        WriteHostFile(folder + "/DISK.ZIP", firstDisk);
        static DecoderState state;
        memset(&state, 0, sizeof state);
        std::string archive = folder + "\\DISK.ZIP";
        strcpy(state.archivePath, archive.c_str());
        state.archiveFile = OpenExistingFile(state.archivePath, kModeRead);
        EXPECT_NE(state.archiveFile, kInvalidFile);
        state.outputFile = CreateNewFile((folder + "\\OUT.BIN").c_str(), 0);
        EXPECT_NE(state.outputFile, kInvalidFile);
        state.compressedSize = compressedSize;
        state.crc = kCrcStart;
        state.lastReportTime = kNoReportYet;
        state.ports = &kPorts;
        AllocateDecoderWindow(state);
        int result = stored ? CopyStoredMember(state) : InflateMember(state);
        ReleaseDecoderWindow(state);
        if (state.archiveFile != kInvalidFile) CloseFileHandle(state.archiveFile);
        CloseFileHandle(state.outputFile);
        *output = ReadHostFile(folder + "/OUT.BIN");
        *crc = ~state.crc;
        return result;
    }
};

uint32_t CrcOf(const Bytes& b) {
    uint32_t reg = kCrcStart;
    Crc32Update(b.data(), b.size(), reg);
    return ~reg;
}

TEST_F(DecoderFiles, DeflatedMemberContinuesOnTheNextDisk) {
    Bytes expected;
    Bytes stream = FixedStream(200000, &expected);
    size_t cut = (stream.size() * 2 / 3) | 1;  // past a few full buffers, odd
    ASSERT_GT(cut, 2u * 8192);
    nextDisks.push_back(Bytes(stream.begin() + static_cast<long>(cut), stream.end()));
    Bytes output;
    uint32_t crc;
    EXPECT_EQ(Run(Bytes(stream.begin(), stream.begin() + static_cast<long>(cut)), static_cast<int32_t>(stream.size()),
                  false, &output, &crc),
              0);
    EXPECT_TRUE(output == expected);
    EXPECT_EQ(crc, CrcOf(expected));
    EXPECT_EQ(disksAsked, std::vector<int>{1});
    EXPECT_EQ(CurrentThreadState().currentDisk, 1);
}

TEST_F(DecoderFiles, StoredMemberOverThreeDisks) {
    Bytes data(100000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 13 + (i >> 9));
    nextDisks.push_back(Bytes(data.begin() + 30000, data.begin() + 70001));
    nextDisks.push_back(Bytes(data.begin() + 70001, data.end()));
    CurrentThreadState().currentDisk = 7;
    Bytes output;
    uint32_t crc;
    EXPECT_EQ(Run(Bytes(data.begin(), data.begin() + 30000), 100000, true, &output, &crc), 0);
    EXPECT_TRUE(output == data);
    EXPECT_EQ(crc, CrcOf(data));
    EXPECT_EQ(disksAsked, (std::vector<int>{8, 9}));
    EXPECT_EQ(CurrentThreadState().currentDisk, 9);
}

TEST_F(DecoderFiles, RefusedDiskEndsWithThree) {
    Bytes expected;
    Bytes stream = FixedStream(60000, &expected);
    answerOk = false;
    Bytes output;
    uint32_t crc;
    EXPECT_EQ(Run(Bytes(stream.begin(), stream.begin() + 10000), static_cast<int32_t>(stream.size()), false, &output,
                  &crc),
              3);
    EXPECT_EQ(Run(Bytes(stream.begin(), stream.begin() + 10000), static_cast<int32_t>(stream.size()), true, &output,
                  &crc),
              3);
    EXPECT_EQ(disksAsked, (std::vector<int>{1, 1}));
    EXPECT_EQ(CurrentThreadState().currentDisk, 0);
}

}  // namespace
