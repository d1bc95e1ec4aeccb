// Member extraction in the host build: the shared rules over the POSIX
// file layer, what the decoder's results become, and the ports as the
// extraction uses them: the disk change, the progress reports and their
// answers.
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/startup_flags.h"
#include "host/host_volumes.h"

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

namespace {

using extract_cases::ExpectedContent;
using extract_cases::MemberOffset;
using zip_fixtures::FixturePath;
using zip_fixtures::ReadText;

// Every decoder result has its extraction result; the damaged-data ones
// keep the numbers the installation has always seen.
TEST(ExtractResults, EveryDecoderResultMapsByName) {
    const struct {
        DecodeResult decoded;
        ExtractResult extracted;
    } rows[] = {
        {kDecodeOk, kExtractOk},
        {kDecodeBadBlockHeader, kExtractBadCrcOrBlockHeader},
        {kDecodeWriteFailed, kExtractOutputFailed},
        {kDecodeInputEnded, kExtractInputFailed},
        {kDecodeInvalidData, kExtractBadHeaderOrData},
        {kDecodeCancelled, kExtractCancelled},
    };
    for (const auto& row : rows) EXPECT_EQ(ExtractResultOf(row.decoded), row.extracted) << row.decoded;
    // The numbers callers compare with.
    const int numbers[] = {kExtractOk,        kExtractBadCrcOrBlockHeader,    kExtractOutputFailed, kExtractInputFailed,
                           kExtractBadHeaderOrData, kExtractCancelled, kExtractBadMethod,    kExtractEncrypted};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(numbers[i], i);
}

// The next disk: the piece is put in place under the archive's name when
// the disk is confirmed.
struct DiskChange {
    std::string archive;
    std::string nextPiece;
    bool confirm = true;
    std::vector<int> asked;
};

bool AskForDisk(void* context, int n) {
    DiskChange& change = *static_cast<DiskChange*>(context);
    change.asked.push_back(n);
    if (!change.confirm) return false;
    std::string piece = ReadText(change.nextPiece);
    FILE* file = std::fopen(PathText(change.archive).c_str(), "wb");
    std::fwrite(piece.data(), 1, piece.size(), file);
    std::fclose(file);
    return true;
}

class HostSplitArchive : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override { sandbox_ = NewSandbox(); }
    void TearDown() override {
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
        DecoderPorts ports = {&change, nullptr, nullptr, nullptr, AskForDisk, nullptr};
        return ExtractZipMember(change.archive.c_str(), output.c_str(), 0, MemberOffset("ex_split.zip", Member()),
                                ports);
    }

    std::string sandbox_;
};

TEST_P(HostSplitArchive, ConfirmedDiskJoinsTheMember) {
    CurrentThreadState().currentDisk = 0;
    DiskChange change;
    std::string output = sandbox_ + "\\joined.bin";
    EXPECT_EQ(Extract(change, output), kExtractOk);
    EXPECT_EQ(change.asked, std::vector<int>{1});
    EXPECT_TRUE(ReadText(PathText(output)) == ExpectedContent(Member()));
}

TEST_P(HostSplitArchive, RefusedDiskGivesThreeAndNoFile) {
    CurrentThreadState().currentDisk = 4;
    DiskChange change;
    change.confirm = false;
    std::string output = sandbox_ + "\\refused.bin";
    EXPECT_EQ(Extract(change, output), kExtractInputFailed);
    EXPECT_EQ(change.asked, std::vector<int>{5});
    EXPECT_EQ(CurrentThreadState().currentDisk, 4);
    EXPECT_NE(access(PathText(output).c_str(), F_OK), 0);
}

// One session over the members of an entry: the member after a disk change
// is read through the handle of the later disk, where its header now lies.
TEST(HostArchiveSession, KeepsTheLaterDiskAfterAChange) {
    std::string sandbox = NewSandbox();
    CurrentThreadState().currentDisk = 0;
    DiskChange change;
    change.archive = sandbox + "\\SPLIT.ZIP";
    const std::string first = ReadText(FixturePath("ex_split_stored.1"));
    FILE* file = std::fopen(PathText(change.archive).c_str(), "wb");
    std::fwrite(first.data(), 1, first.size(), file);
    std::fclose(file);
    change.nextPiece = FixturePath("ex_split_stored.2");
    DecoderPorts ports = {&change, nullptr, nullptr, nullptr, AskForDisk, nullptr};

    ArchiveSession session;
    BeginArchiveSession(session, change.archive.c_str());
    std::string split = sandbox + "\\split.bin";
    std::string next = sandbox + "\\next.txt";
    EXPECT_EQ(ExtractSessionMember(session, split.c_str(), 0, MemberOffset("ex_split.zip", "split.bin"), ports),
              kExtractOk);
    EXPECT_EQ(change.asked, std::vector<int>{1});
    const uint32_t onLaterDisk = MemberOffset("ex_split.zip", "splitdeflated.txt") - static_cast<uint32_t>(first.size());
    EXPECT_EQ(ExtractSessionMember(session, next.c_str(), 0, onLaterDisk, ports), kExtractOk);
    EndArchiveSession(session);
    EXPECT_EQ(change.asked.size(), 1u);
    EXPECT_TRUE(ReadText(PathText(split)) == ExpectedContent("split.bin"));
    EXPECT_TRUE(ReadText(PathText(next)) == ExpectedContent("splitdeflated.txt"));
    CurrentThreadState().currentDisk = 0;
    DropSandbox(sandbox);
}

// Progress through the ports, with a clock that advances 7 ms at every
// reading: reports at least 200 ms apart, the first poll reports, the
// driver's own 0 and 100 percent milestones around them.
struct Recorded {
    uint32_t tick;
    uint16_t percentage;
    ProgressReportKind kind;
};

struct ProgressDesk {
    uint32_t clock = 1000;
    std::vector<Recorded> reports;
    ProgressAnswer atStart = kProgressContinue;  // to the 0 percent milestone
    ProgressAnswer toPolls = kProgressContinue;
    ProgressAnswer atEnd = kProgressContinue;    // to the 100 percent milestone
};

uint32_t FakeClock(void* context) { return static_cast<ProgressDesk*>(context)->clock += 7; }

ProgressAnswer RecordReport(void* context, uint16_t percentage, ProgressReportKind kind) {
    ProgressDesk& desk = *static_cast<ProgressDesk*>(context);
    desk.reports.push_back({desk.clock, percentage, kind});
    if (kind == kProgressPoll) return desk.toPolls;
    return percentage == 0 ? desk.atStart : desk.atEnd;
}

class HostProgress : public testing::Test {
protected:
    void SetUp() override { sandbox_ = NewSandbox(); }
    void TearDown() override { DropSandbox(sandbox_); }
    int Extract(ProgressDesk& desk, const std::string& output) {
        DecoderPorts ports = {&desk, nullptr, FakeClock, RecordReport, nullptr, nullptr};
        return ExtractZipMember(FixturePath("ex_big.zip").c_str(), output.c_str(), 0,
                                MemberOffset("ex_big.zip", "slow.bin"), ports);
    }

    std::string sandbox_;
};

TEST_F(HostProgress, ReportsAreThrottledAndTheFirstPollReports) {
    ProgressDesk desk;
    ASSERT_EQ(Extract(desk, sandbox_ + "\\slow.bin"), kExtractOk);
    const std::vector<Recorded>& r = desk.reports;
    ASSERT_GE(r.size(), 4u);
    EXPECT_EQ(r.front().percentage, 0u);
    EXPECT_EQ(r.front().kind, kProgressMilestone);
    EXPECT_EQ(r.back().percentage, 100u);
    EXPECT_EQ(r.back().kind, kProgressMilestone);
    // 64 chunks of 32768 bytes, one poll after each: the first poll, after
    // the first chunk, reports 1 percent.
    EXPECT_EQ(r[1].percentage, 1u);
    EXPECT_EQ(r[1].tick, 1007u);
    for (size_t i = 1; i + 1 < r.size(); ++i) {
        EXPECT_EQ(r[i].kind, kProgressPoll);
        if (i == 1) continue;
        EXPECT_GE(r[i].tick - r[i - 1].tick, 200u);
        EXPECT_GE(r[i].percentage, r[i - 1].percentage);
    }
}

// The answer to the opening milestone does not count; a cancel from a poll
// or from the closing milestone ends the member without its file.
TEST_F(HostProgress, CancelAnswers) {
    const struct {
        const char* label;
        ProgressAnswer atStart, toPolls, atEnd;
        int result;
        bool closingReport;
    } rows[] = {
        {"none", kProgressContinue, kProgressContinue, kProgressContinue, kExtractOk, true},
        {"at_start", kProgressCancel, kProgressContinue, kProgressContinue, kExtractOk, true},
        {"polls", kProgressContinue, kProgressCancel, kProgressContinue, kExtractCancelled, false},
        {"at_end", kProgressContinue, kProgressContinue, kProgressCancel, kExtractCancelled, true},
    };
    for (const auto& row : rows) {
        ProgressDesk desk;
        desk.atStart = row.atStart;
        desk.toPolls = row.toPolls;
        desk.atEnd = row.atEnd;
        std::string output = sandbox_ + "\\" + row.label + ".bin";
        EXPECT_EQ(Extract(desk, output), row.result) << row.label;
        EXPECT_EQ(access(PathText(output).c_str(), F_OK) == 0, row.result == kExtractOk) << row.label;
        ASSERT_FALSE(desk.reports.empty());
        bool closed = desk.reports.back().kind == kProgressMilestone && desk.reports.back().percentage == 100;
        EXPECT_EQ(closed, row.closingReport) << row.label;
    }
}

// On NTFS under NT every file has its final size before the first write,
// however small; a header that promised more than the data holds leaves a
// file that ends with its data all the same.
struct Reservation {
    std::string output;
    long long sizeAtStart = -1;
};

ProgressAnswer NoteSizeAtStart(void* context, uint16_t percentage, ProgressReportKind kind) {
    Reservation& r = *static_cast<Reservation*>(context);
    struct stat info;
    if (kind == kProgressMilestone && percentage == 0 && stat(PathText(r.output).c_str(), &info) == 0) {
        r.sizeAtStart = info.st_size;
    }
    return kProgressContinue;
}

TEST(HostNtfs, EveryFileIsReservedAndEndsWithItsData) {
    const struct {
        const char* archive;
        const char* member;
        long long declared;
    } rows[] = {
        {"ex_plain.zip", "docs/sub/deep.txt", 5000},
        {"ex_oversized.zip", "empty.txt", 10},
        {"ex_oversized.zip", "docs/sub/deep.txt", 20000},
        {"ex_oversized.zip", "stored.bin", 150000},
        {"ex_oversized.zip", "deflated.txt", 250000},
    };
    const StartupFlags saved = GetStartupFlags();
    StartupFlags nt = saved;
    nt.nt = true;
    SetStartupFlags(nt);
    SetHostDrivesNtfs(true);
    std::string sandbox = NewSandbox();
    for (const auto& row : rows) {
        Reservation reservation;
        reservation.output = sandbox + "\\" + std::to_string(row.declared) + ".out";
        DecoderPorts ports = {&reservation, nullptr, nullptr, NoteSizeAtStart, nullptr, nullptr};
        EXPECT_EQ(ExtractZipMember(FixturePath(row.archive).c_str(), reservation.output.c_str(), 0,
                                   MemberOffset(row.archive, row.member), ports),
                  kExtractOk)
            << row.declared;
        EXPECT_EQ(reservation.sizeAtStart, row.declared);
        EXPECT_TRUE(ReadText(PathText(reservation.output)) == ExpectedContent(row.member)) << row.declared;
    }
    SetHostDrivesNtfs(false);
    SetStartupFlags(saved);
    DropSandbox(sandbox);
}

INSTANTIATE_TEST_SUITE_P(Disks, HostSplitArchive, testing::Values("ex_split_stored", "ex_split_deflated"));

}  // namespace
