// Member extraction tests shared by the host build and the product under
// Wine. The including file defines the sandbox of one test:
//   std::string NewSandbox();                 a new empty folder
//   void DropSandbox(const std::string&);     removes it with its content
//   std::string PathText(const std::string&); the path as the C library takes it
//   bool IsFolder(const std::string&);
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fs/file_ops.h"
#include "fs/thread_state.h"
#include "host/zip_fixture_files.h"
#include "unzip/crc32.h"
#include "unzip/extract_member.h"

namespace extract_cases {

using zip_fixtures::FixturePath;
using zip_fixtures::ReadText;

// The program builds the CRC table at start-up; so does every test program.
class CrcTable : public testing::Environment {
public:
    void SetUp() override { InitCrc32Table(); }
};
const testing::Environment* const kCrcTable = testing::AddGlobalTestEnvironment(new CrcTable);

const PackedStamp kFixtureStamp = 0x2B2A6C2Du;  // 2001-09-10 13:33:26, as the generator stamps members

// The local header offset of a member, from NAME.members.
inline uint32_t MemberOffset(const std::string& archive, const std::string& member) {
    std::string list = ReadText(FixturePath(archive + ".members"));
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find('\n', start);
        if (end == std::string::npos) end = list.size();
        std::string line = list.substr(start, end - start);
        size_t space = line.rfind(' ');
        if (space != std::string::npos && line.substr(0, space) == member) {
            return static_cast<uint32_t>(std::strtoul(line.c_str() + space + 1, nullptr, 10));
        }
        start = end + 1;
    }
    ADD_FAILURE() << member << " not in " << archive;
    return 0;
}

inline std::string ExpectedContent(const std::string& member) {
    std::string flat = member;
    for (char& c : flat) {
        if (c == '/') c = '_';
    }
    return ReadText(FixturePath("content/" + flat));
}

struct ExtractCase {
    const char* label;
    const char* archive;
    const char* member;
    uint32_t offsetShift;   // added to the member's offset: a bad offset
    const char* output;     // below the sandbox
    uint16_t attributes;
    int result;
    const char* absent;     // a path below the sandbox that must not exist afterwards, or null
};

// One row per rule. A file member that succeeds must hold the member's
// content; one that fails must leave no file.
const ExtractCase kExtractCases[] = {
    {"stored", "ex_plain.zip", "stored.bin", 0, "stored.bin", 0x20, kExtractOk, nullptr},
    {"deflated", "ex_plain.zip", "deflated.txt", 0, "deflated.txt", 0, kExtractOk, nullptr},
    {"empty", "ex_plain.zip", "empty.txt", 0, "empty.txt", 0, kExtractOk, nullptr},
    {"missing_levels", "ex_plain.zip", "docs/sub/deep.txt", 0, "a\\b\\c\\deep.txt", 0, kExtractOk, nullptr},
    {"directory_member", "ex_plain.zip", "docs/", 0, "x\\y\\docs\\", 0x10, kExtractOk, nullptr},
    {"directory_by_attribute", "ex_plain.zip", "docs/", 0, "new\\docs", 0x10, kExtractOk, nullptr},
    {"bad_crc_stored", "ex_bad_crc.zip", "stored.bin", 0, "stored.bin", 0, kExtractBadCrcOrBlockHeader, nullptr},
    {"bad_crc_deflated", "ex_bad_crc.zip", "deflated.txt", 0, "deflated.txt", 0, kExtractBadCrcOrBlockHeader, nullptr},
    {"descriptor_first", "ex_descriptor.zip", "descriptor.txt", 0, "descriptor.txt", 0, kExtractOk, nullptr},
    {"descriptor_second", "ex_descriptor.zip", "deflated.txt", 0, "deflated.txt", 0, kExtractOk, nullptr},
    {"oversized_stored", "ex_oversized.zip", "stored.bin", 0, "over.bin", 0, kExtractOk, nullptr},
    {"oversized_deflated", "ex_oversized.zip", "deflated.txt", 0, "over.txt", 0, kExtractOk, nullptr},
    {"oversized_empty", "ex_oversized.zip", "empty.txt", 0, "over0.txt", 0, kExtractOk, nullptr},
    {"oversized_small", "ex_oversized.zip", "docs/sub/deep.txt", 0, "over5000.txt", 0, kExtractOk, nullptr},
    {"encrypted", "ex_encrypted.zip", "stored.bin", 0, "enc\\stored.bin", 0, kExtractEncrypted, "enc"},
    {"method_6", "ex_method6.zip", "stored.bin", 0, "m6\\stored.bin", 0, kExtractBadMethod, "m6"},
    {"method_9", "ex_method9.zip", "stored.bin", 0, "m9\\stored.bin", 0, kExtractBadMethod, "m9"},
    {"bad_header_offset", "ex_plain.zip", "stored.bin", 1, "stored.bin", 0, kExtractBadHeaderOrData, nullptr},
    {"offset_beyond_file", "ex_plain.zip", "stored.bin", 0x40000000, "stored.bin", 0, kExtractBadHeaderOrData, nullptr},
    {"missing_archive", "missing.zip", "stored.bin", 0, "stored.bin", 0, kExtractInputFailed, nullptr},
};

class Extraction : public testing::TestWithParam<ExtractCase> {
protected:
    void SetUp() override { sandbox_ = NewSandbox(); }
    void TearDown() override { DropSandbox(sandbox_); }
    std::string In(const std::string& name) const { return sandbox_ + "\\" + name; }

    std::string sandbox_;
};

TEST_P(Extraction, FollowsTheRules) {
    const ExtractCase& c = GetParam();
    uint32_t offset = std::strcmp(c.archive, "missing.zip") == 0 ? 0 : MemberOffset(c.archive, c.member);
    std::string output = In(c.output);
    int result = ExtractZipMember(FixturePath(c.archive).c_str(), output.c_str(), c.attributes, offset + c.offsetShift,
                                  kQuietPorts);
    EXPECT_EQ(result, c.result);

    bool directory = (c.attributes & kAttributeDirectory) != 0;
    if (directory) {
        EXPECT_TRUE(IsFolder(output));
    } else if (c.result == kExtractOk) {
        std::string got = ReadText(PathText(output));
        EXPECT_EQ(got.size(), ExpectedContent(c.member).size());
        EXPECT_TRUE(got == ExpectedContent(c.member)) << "content differs";
    } else {
        FILE* left = std::fopen(PathText(output).c_str(), "rb");
        EXPECT_EQ(left, nullptr) << "a failed member left its file";
        if (left) std::fclose(left);
    }
    if (c.absent) {
        EXPECT_FALSE(IsFolder(In(c.absent)));
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, Extraction, testing::ValuesIn(kExtractCases),
                         [](const testing::TestParamInfo<ExtractCase>& info) { return std::string(info.param.label); });

class ExtractionFacts : public testing::Test {
protected:
    void SetUp() override { sandbox_ = NewSandbox(); }
    void TearDown() override { DropSandbox(sandbox_); }
    std::string In(const std::string& name) const { return sandbox_ + "\\" + name; }
    int Extract(const char* archive, const char* member, const std::string& output, uint16_t attributes = 0) {
        return ExtractZipMember(FixturePath(archive).c_str(), output.c_str(), attributes,
                                MemberOffset(archive, member), kQuietPorts);
    }

    std::string sandbox_;
};

TEST_F(ExtractionFacts, FileGetsTheMemberStampAndTheCallersAttributes) {
    std::string output = In("stamped.bin");
    ASSERT_EQ(Extract("ex_plain.zip", "stored.bin", output, 0x01), kExtractOk);
    FileHandle file = OpenExistingFile(output.c_str(), kModeRead);
    ASSERT_NE(file, kInvalidFile);
    EXPECT_EQ(GetFileStamp(file), kFixtureStamp);
    CloseFileHandle(file);
    EXPECT_EQ(GetAttributes(output.c_str()) & 0x01u, 0x01u);
    SetAttributes(output.c_str(), 0);
}

TEST_F(ExtractionFacts, ExistingFileIsReplaced) {
    std::string output = In("replace.txt");
    FILE* file = std::fopen(PathText(output).c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs(std::string(300000, 'z').c_str(), file);
    std::fclose(file);
    ASSERT_EQ(Extract("ex_plain.zip", "deflated.txt", output), kExtractOk);
    EXPECT_TRUE(ReadText(PathText(output)) == ExpectedContent("deflated.txt"));
}

TEST_F(ExtractionFacts, RefusedMethodLeavesAnExistingFileAlone) {
    std::string output = In("keep.bin");
    FILE* file = std::fopen(PathText(output).c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("precious", file);
    std::fclose(file);
    EXPECT_EQ(Extract("ex_method6.zip", "stored.bin", output), kExtractBadMethod);
    EXPECT_EQ(Extract("ex_encrypted.zip", "stored.bin", output), kExtractEncrypted);
    EXPECT_EQ(ReadText(PathText(output)), "precious");
}

TEST_F(ExtractionFacts, EveryInfoZipMemberExtracts) {
    std::string list = ReadText(FixturePath("ex_infozip.zip.members"));
    int count = 0;
    for (size_t start = 0; start < list.size();) {
        size_t end = list.find('\n', start);
        std::string line = list.substr(start, end - start);
        start = end + 1;
        std::string name = line.substr(0, line.rfind(' '));
        if (name.empty() || name == "./") continue;
        std::string output = In("iz\\" + name);
        for (char& ch : output) {
            if (ch == '/') ch = '\\';
        }
        uint16_t attributes = name.back() == '/' ? kAttributeDirectory : 0;
        EXPECT_EQ(Extract("ex_infozip.zip", name.c_str(), output, attributes), kExtractOk) << name;
        ++count;
    }
    EXPECT_GE(count, 7);
    EXPECT_EQ(ReadText(PathText(In("iz\\docs\\sub\\deep.txt"))), "deep file\r\n");
}

TEST_F(ExtractionFacts, PathsOverTheLimitAreRefused) {
    std::string output = In(std::string(300, 'p'));
    EXPECT_EQ(Extract("ex_plain.zip", "stored.bin", output), kExtractOutputFailed);
    EXPECT_EQ(FileErrorCode(), 206u);
}

}  // namespace extract_cases
