// Member extraction in the host build: the shared rules over the POSIX
// file layer, and the disk change through the host's disk-prompt callback.
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

std::string NewSandbox() {
    char pattern[] = "/tmp/extractXXXXXX";
    return mkdtemp(pattern) ? pattern : "";
}

namespace {
int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }
}  // namespace

void DropSandbox(const std::string& folder) {
    if (!folder.empty()) nftw(folder.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

std::string PathText(const std::string& path) {
    std::string text = path;
    for (char& c : text) {
        if (c == '\\') c = '/';
    }
    return text;
}

bool IsFolder(const std::string& path) {
    struct stat info;
    return stat(PathText(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

#include "host/extract_cases.h"
#include "unzip/decoder_ui_hooks.h"

namespace {

using extract_cases::ExpectedContent;
using extract_cases::MemberOffset;
using zip_fixtures::FixturePath;
using zip_fixtures::ReadText;

struct DiskChange {
    std::string archive;
    std::string nextPiece;
    bool confirm = true;
    int prompts = 0;
    std::string text;
};

DiskChange* g_change = nullptr;

bool AnswerPrompt(ProgressWindowHandle, const char* text, const char* caption) {
    DiskChange& change = *g_change;
    ++change.prompts;
    change.text = std::string(caption) + ": " + text;
    if (!change.confirm) return false;
    std::string piece = ReadText(change.nextPiece);
    FILE* file = std::fopen(PathText(change.archive).c_str(), "wb");
    std::fwrite(piece.data(), 1, piece.size(), file);
    std::fclose(file);
    return true;
}

class HostSplitArchive : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        sandbox_ = NewSandbox();
        static const DecoderUiHooks hooks = {nullptr, nullptr, nullptr, nullptr, AnswerPrompt, nullptr};
        SetDecoderUiHooks(&hooks);
    }
    void TearDown() override {
        SetDecoderUiHooks(nullptr);
        g_change = nullptr;
        CurrentThreadState().currentDisk = 0;
        DropSandbox(sandbox_);
    }
    std::string Piece(int n) const { return FixturePath(std::string(GetParam()) + "." + std::to_string(n)); }
    const char* Member() const {
        return std::string(GetParam()) == "ex_split_stored" ? "split.bin" : "splitdeflated.txt";
    }
    int Extract(DiskChange& change, const std::string& output) {
        change.archive = sandbox_ + "\\SPLIT.ZIP";
        std::string first = ReadText(Piece(1));
        FILE* file = std::fopen(PathText(change.archive).c_str(), "wb");
        std::fwrite(first.data(), 1, first.size(), file);
        std::fclose(file);
        change.nextPiece = Piece(2);
        g_change = &change;
        return ExtractZipMember(change.archive.c_str(), output.c_str(), 0, MemberOffset("ex_split.zip", Member()),
                                nullptr, kProgressCommandId);
    }

    std::string sandbox_;
};

TEST_P(HostSplitArchive, ConfirmedPromptJoinsTheMember) {
    CurrentThreadState().currentDisk = 0;
    DiskChange change;
    std::string output = sandbox_ + "\\joined.bin";
    EXPECT_EQ(Extract(change, output), kExtractOk);
    EXPECT_EQ(change.prompts, 1);
    EXPECT_EQ(change.text, "Unzip: Please insert disk number 1 and press ENTER!");
    EXPECT_TRUE(ReadText(PathText(output)) == ExpectedContent(Member()));
}

TEST_P(HostSplitArchive, RefusedPromptGivesThreeAndNoFile) {
    CurrentThreadState().currentDisk = 4;
    DiskChange change;
    change.confirm = false;
    std::string output = sandbox_ + "\\refused.bin";
    EXPECT_EQ(Extract(change, output), kExtractInputFailed);
    EXPECT_EQ(change.text, "Unzip: Please insert disk number 5 and press ENTER!");
    EXPECT_EQ(CurrentThreadState().currentDisk, 4);
    EXPECT_NE(access(PathText(output).c_str(), F_OK), 0);
}

// Progress through the host's callbacks, with a clock that advances 7 ms
// at every reading: reports at least 200 ms apart, the first poll reports,
// the driver's own 0 and 100 percent reports around them.
struct Recorded {
    uint32_t tick;
    uint16_t percentage;
};
std::vector<Recorded> g_reports;
uint32_t g_clock = 0;
bool g_f9Down = false;

uint32_t FakeClock() { return g_clock += 7; }
uint16_t RecordReport(ProgressWindowHandle, int16_t commandId, uint16_t percentage) {
    EXPECT_EQ(commandId, kProgressCommandId);
    g_reports.push_back({g_clock, percentage});
    return percentage;
}
bool KeyDown(int key) { return g_f9Down && key == 0x78; }  // VK_F9

class HostProgress : public testing::Test {
protected:
    void SetUp() override {
        sandbox_ = NewSandbox();
        g_reports.clear();
        g_clock = 1000;
        g_f9Down = false;
        static const DecoderUiHooks hooks = {nullptr, FakeClock, RecordReport, KeyDown, nullptr, nullptr};
        SetDecoderUiHooks(&hooks);
    }
    void TearDown() override {
        SetDecoderUiHooks(nullptr);
        DropSandbox(sandbox_);
    }
    int Extract(ProgressWindowHandle window, const std::string& output) {
        return ExtractZipMember(FixturePath("ex_big.zip").c_str(), output.c_str(), 0,
                                MemberOffset("ex_big.zip", "slow.bin"), window, kProgressCommandId);
    }

    std::string sandbox_;
};

TEST_F(HostProgress, ReportsAreThrottledAndTheFirstPollReports) {
    int dummyWindow = 0;
    ASSERT_EQ(Extract(&dummyWindow, sandbox_ + "\\slow.bin"), kExtractOk);
    ASSERT_GE(g_reports.size(), 4u);
    EXPECT_EQ(g_reports.front().percentage, 0u);
    EXPECT_EQ(g_reports.back().percentage, 100u);
    // 64 chunks of 32768 bytes, one poll after each: the first poll, after
    // the first chunk, reports 1 percent.
    EXPECT_EQ(g_reports[1].percentage, 1u);
    EXPECT_EQ(g_reports[1].tick, 1007u);
    for (size_t i = 2; i + 1 < g_reports.size(); ++i) {
        EXPECT_GE(g_reports[i].tick - g_reports[i - 1].tick, 200u);
        EXPECT_GE(g_reports[i].percentage, g_reports[i - 1].percentage);
    }
}

TEST_F(HostProgress, WithoutAWindowF9Cancels) {
    g_f9Down = true;
    std::string output = sandbox_ + "\\f9.bin";
    EXPECT_EQ(Extract(nullptr, output), kExtractCancelled);
    EXPECT_TRUE(g_reports.empty());
    EXPECT_NE(access(PathText(output).c_str(), F_OK), 0);
}

INSTANTIATE_TEST_SUITE_P(Disks, HostSplitArchive, testing::Values("ex_split_stored", "ex_split_deflated"));

}  // namespace
