// Decoder input, output and progress over memory files, with recording
// ports: the progress throttle and percentages, the cancel answer, the disk
// rules and the disk change in the middle of a member, flushing with the
// CRC, the stored copy with its failures, and null ports as a quiet desktop.
#include <gtest/gtest.h>

#include <string>

#include "decoder_harness.h"
#include "fs/thread_state.h"

namespace {

typedef std::vector<uint8_t> Bytes;

// What the stand-in desktop saw and how it answers; the ports reach it
// through their context.
struct Desktop {
    uint32_t clock = 0;
    uint32_t clockStep = 0;  // added after every reading
    ProgressAnswer answer = kProgressContinue;
    bool diskAnswer = true;
    std::vector<uint16_t> reports;
    std::vector<uint32_t> reportTimes;
    std::vector<ProgressReportKind> reportKinds;
    std::vector<int> disksAsked;
    int writeFailures = 0;
    int pumps = 0;
    // Put in place when a disk is confirmed, under the archive's name.
    std::vector<Bytes> nextDisks;
    std::string archivePath;
};

Desktop& DesktopOf(void* context) { return *static_cast<Desktop*>(context); }

const DecoderPorts kRecordingPorts = {
    nullptr,  // the test's desktop, set per test
    [](void* context) { DesktopOf(context).pumps++; },
    [](void* context) {
        Desktop& desktop = DesktopOf(context);
        uint32_t now = desktop.clock;
        desktop.clock += desktop.clockStep;
        return now;
    },
    [](void* context, uint16_t percentage, ProgressReportKind kind) {
        Desktop& desktop = DesktopOf(context);
        desktop.reports.push_back(percentage);
        desktop.reportTimes.push_back(desktop.clock - desktop.clockStep);
        desktop.reportKinds.push_back(kind);
        return desktop.answer;
    },
    [](void* context, int n) {
        Desktop& desktop = DesktopOf(context);
        desktop.disksAsked.push_back(n);
        if (desktop.diskAnswer && !desktop.nextDisks.empty()) {
            memory_files::PutFile(desktop.archivePath.c_str(), desktop.nextDisks.front().data(),
                                  desktop.nextDisks.front().size());
            desktop.nextDisks.erase(desktop.nextDisks.begin());
        }
        return desktop.diskAnswer;
    },
    [](void* context) { DesktopOf(context).writeFailures++; },
};

class DecoderIo : public testing::Test {
protected:
    void SetUp() override {
        desktop = Desktop();
        desktop.archivePath = "A:\\DISKS.ZIP";
        ports_ = kRecordingPorts;
        ports_.context = &desktop;
        InitCrc32Table();
        memory_files::Reset();
        CurrentThreadState().currentDisk = 0;
        memset(&state_, 0, sizeof state_);
        strcpy(state_.archivePath, desktop.archivePath.c_str());
        state_.crc = kCrcStart;
        state_.lastReportTime = kNoReportYet;
        state_.ports = &ports_;
        ASSERT_TRUE(AllocateDecoderWindow(state_));
    }
    void TearDown() override { ReleaseDecoderWindow(state_); }
    // The archive file as found on the first disk; later disks come from
    // desktop.nextDisks when the prompt is answered.
    void Archive(const Bytes& firstDisk, int32_t compressedSize) {
        first_ = firstDisk;
        memory_files::PutFile(desktop.archivePath.c_str(), first_.data(), first_.size());
        state_.archiveFile = OpenExistingFile(state_.archivePath, kModeRead);
        state_.outputFile = memory_files::OpenOutput(&output_);
        state_.compressedSize = compressedSize;
    }
    uint32_t Crc() const { return ~state_.crc; }

    static DecoderState state_;
    Desktop desktop;
    DecoderPorts ports_;
    Bytes first_, output_;
};

DecoderState DecoderIo::state_;

uint32_t ZlibCrc(const Bytes& b) { return static_cast<uint32_t>(crc32(0, b.data(), static_cast<uInt>(b.size()))); }

// ---- PollProgress ----

struct PercentCase {
    int32_t size, read;
    uint16_t percentage;
};

TEST_F(DecoderIo, PercentageOfBytesRead) {
    const PercentCase cases[] = {
        {100, 0, 0},           {200, 50, 25},          {3, 1, 33},         {200, 250, 100},   // read past the member
        {3000000, 2000000, 66}, {2147483547, 1000001, 0}, {1000001, 1000001, 100}, {7, 6, 85},
    };
    for (const PercentCase& c : cases) {
        state_.compressedSize = c.size;
        state_.bytesRead = c.read;
        state_.lastReportTime = kNoReportYet;
        desktop.reports.clear();
        PollProgress(state_);
        ASSERT_EQ(desktop.reports.size(), 1u) << c.size << " " << c.read;
        EXPECT_EQ(desktop.reports[0], c.percentage) << c.size << " " << c.read;
    }
}

TEST_F(DecoderIo, ReportsAtMostEvery200Milliseconds) {
    state_.compressedSize = 1000;
    const struct {
        uint32_t now;
        bool reported;
    } steps[] = {{5000, true},  {5100, false}, {5199, false}, {5200, true}, {5399, false},
                 {5000, true},  // the clock went back 400 ms: the absolute difference counts
                 {4801, false}, {4800, true}};
    for (const auto& step : steps) {
        desktop.clock = step.now;
        desktop.reports.clear();
        PollProgress(state_);
        EXPECT_EQ(desktop.reports.size(), step.reported ? 1u : 0u) << step.now;
    }
}

TEST_F(DecoderIo, FirstPollReportsWhateverTheClock) {
    state_.compressedSize = 1000;
    for (uint32_t now : {0u, 1u, 150u, 0xFFFFFFF0u, 0xFFFFFFFEu}) {
        state_.lastReportTime = kNoReportYet;
        desktop.clock = now;
        desktop.reports.clear();
        PollProgress(state_);
        EXPECT_EQ(desktop.reports.size(), 1u) << now;
    }
}

TEST_F(DecoderIo, CancelAnswerSetsAndContinueClears) {
    state_.compressedSize = 1000;
    for (ProgressAnswer answer : {kProgressCancel, kProgressContinue, kProgressCancel, kProgressContinue}) {
        desktop.clock += 1000;
        desktop.answer = answer;
        PollProgress(state_);
        EXPECT_EQ(state_.cancel, answer == kProgressCancel) << answer;
    }
    // Polls say so: the ports treat them apart from a member's 0 and 100 percent.
    EXPECT_EQ(desktop.reportKinds, std::vector<ProgressReportKind>(4, kProgressPoll));
    EXPECT_EQ(ReportMilestone(state_, 100), kProgressContinue);
    EXPECT_EQ(desktop.reportKinds.back(), kProgressMilestone);
}

TEST_F(DecoderIo, SizeZeroNeverReports) {
    state_.compressedSize = 0;
    desktop.answer = kProgressCancel;
    PollProgress(state_);
    EXPECT_TRUE(desktop.reports.empty());
    EXPECT_FALSE(state_.cancel);
    Archive(Bytes(), 0);
    EXPECT_EQ(CopyStoredMember(state_), 0);
    EXPECT_TRUE(desktop.reports.empty());
    EXPECT_FALSE(state_.cancel);
}

// ---- PromptForDisk ----

TEST_F(DecoderIo, DiskPromptRules) {
    const struct {
        int current, n;
        bool answer;
        bool result;
        bool asked;
        int currentAfter;
    } cases[] = {
        {0, 1, true, true, true, 1},     {0, 1, false, false, true, 0},   {3, 3, false, true, false, 3},
        {0, 0, true, false, false, 0},   {0, -1, true, false, false, 0},  {0, 1001, true, false, false, 0},
        {999, 1000, true, true, true, 1000}, {5, 2, true, true, true, 2},
    };
    for (const auto& c : cases) {
        CurrentThreadState().currentDisk = c.current;
        desktop.disksAsked.clear();
        desktop.diskAnswer = c.answer;
        EXPECT_EQ(PromptForDisk(state_, c.n), c.result) << c.n;
        EXPECT_EQ(desktop.disksAsked, c.asked ? std::vector<int>{c.n} : std::vector<int>()) << c.n;
        EXPECT_EQ(CurrentThreadState().currentDisk, c.currentAfter) << c.n;
    }
}

// ---- RefillInput and the disk change ----

Bytes Part(const Bytes& b, size_t from, size_t to) { return Bytes(b.begin() + static_cast<long>(from), b.begin() + static_cast<long>(to)); }

TEST_F(DecoderIo, DeflateContinuesOnTheNextDisk) {
    Bytes data = SampleData(200000, 11, 0);
    Bytes stream = ZlibDeflate(data, 6);
    stream.resize(stream.size() + 100, 0);  // the directory behind the member
    size_t cut = stream.size() / 3 + 1;     // an odd piece: the bit reader's single byte
    desktop.nextDisks.push_back(Part(stream, cut, stream.size()));
    CurrentThreadState().currentDisk = 4;
    Archive(Part(stream, 0, cut), static_cast<int32_t>(stream.size() - 100));
    EXPECT_EQ(InflateMember(state_), 0);
    EXPECT_EQ(output_, data);
    EXPECT_EQ(Crc(), ZlibCrc(data));
    EXPECT_EQ(desktop.disksAsked, std::vector<int>{5});
    EXPECT_EQ(CurrentThreadState().currentDisk, 5);
    // The first disk's file was closed; the new one is in the state.
    EXPECT_NE(state_.archiveFile, kInvalidFile);
}

TEST_F(DecoderIo, RefusedDiskEndsTheInput) {
    Bytes data = SampleData(100000, 12, 1);
    Bytes stream = ZlibDeflate(data, 6);
    desktop.diskAnswer = false;
    CurrentThreadState().currentDisk = 2;
    Archive(Part(stream, 0, stream.size() / 2), static_cast<int32_t>(stream.size()));
    EXPECT_EQ(InflateMember(state_), 3);
    EXPECT_EQ(desktop.disksAsked, std::vector<int>{3});
    EXPECT_EQ(CurrentThreadState().currentDisk, 2);
    EXPECT_TRUE(state_.endOfInput);
    EXPECT_EQ(state_.archiveFile, kInvalidFile);  // closed, never kept
}

TEST_F(DecoderIo, ReadErrorEndsTheInputWithoutPrompt) {
    Bytes data = SampleData(100000, 13, 0);
    Bytes stream = ZlibDeflate(data, 1);
    memory_files::LimitReadSize(1000);
    memory_files::FailReadsAfter(3);
    Archive(stream, static_cast<int32_t>(stream.size()));
    EXPECT_EQ(InflateMember(state_), 3);
    EXPECT_TRUE(desktop.disksAsked.empty());
}

TEST_F(DecoderIo, RefillPumpsAndPollsEveryTime) {
    Bytes data = SampleData(300000, 14, 2);
    Bytes stream = ZlibDeflate(data, 6);
    memory_files::LimitReadSize(4000);
    desktop.clockStep = 60;
    Archive(stream, static_cast<int32_t>(stream.size()));
    EXPECT_EQ(InflateMember(state_), 0);
    int refills = memory_files::Count().reads;
    EXPECT_EQ(desktop.pumps, refills);
    // Reports at least 200 ms apart, the first at the first refill.
    ASSERT_GE(desktop.reports.size(), 2u);
    EXPECT_EQ(desktop.reports[0], 0);
    EXPECT_EQ(desktop.reportKinds, std::vector<ProgressReportKind>(desktop.reports.size(), kProgressPoll));
    for (size_t i = 1; i < desktop.reportTimes.size(); ++i)
        EXPECT_GE(desktop.reportTimes[i] - desktop.reportTimes[i - 1], 200u);
}

// ---- FlushWindow ----

TEST_F(DecoderIo, FlushWritesAndFoldsTheCrcEvenWhenTheWriteFails) {
    Archive(Bytes(), 0);
    for (int i = 0; i < kWindowSize; ++i) state_.window[i] = static_cast<uint8_t>(i * 3);
    EXPECT_TRUE(FlushWindow(state_, 1000));
    EXPECT_TRUE(FlushWindow(state_, 0));
    memory_files::FailWritesAfter(1500);
    EXPECT_FALSE(FlushWindow(state_, kWindowSize));
    EXPECT_EQ(desktop.writeFailures, 1);
    Bytes expected(state_.window, state_.window + 1000);
    EXPECT_EQ(output_, expected);
    expected.insert(expected.end(), state_.window, state_.window + kWindowSize);
    EXPECT_EQ(Crc(), ZlibCrc(expected));
}

// ---- CopyStoredMember ----

TEST_F(DecoderIo, StoredCopyInChunksOf32768) {
    Bytes data = SampleData(100000, 15, 2);
    Bytes archive = data;
    archive.resize(archive.size() + 50, 'D');  // bytes after the member are not copied
    Archive(archive, 100000);
    EXPECT_EQ(CopyStoredMember(state_), 0);
    EXPECT_EQ(output_, data);
    EXPECT_EQ(Crc(), ZlibCrc(data));
    EXPECT_EQ(memory_files::Count().writeSizes, (std::vector<int>{32768, 32768, 32768, 1696}));
}

TEST_F(DecoderIo, StoredCopySplitAcrossTwoDisks) {
    Bytes data = SampleData(90000, 16, 0);
    desktop.nextDisks.push_back(Part(data, 40000, data.size()));
    Archive(Part(data, 0, 40000), 90000);
    EXPECT_EQ(CopyStoredMember(state_), 0);
    EXPECT_EQ(output_, data);
    EXPECT_EQ(Crc(), ZlibCrc(data));
    EXPECT_EQ(desktop.disksAsked, std::vector<int>{1});
    EXPECT_EQ(CurrentThreadState().currentDisk, 1);
}

TEST_F(DecoderIo, StoredCopyFailures) {
    Bytes data = SampleData(100000, 17, 1);
    TearDown();  // each case below starts afresh
    {  // the report is answered with cancel: stop before the next chunk
        SetUp();
        desktop.answer = kProgressCancel;
        Archive(data, 100000);
        EXPECT_EQ(CopyStoredMember(state_), 5);
        EXPECT_EQ(output_.size(), 32768u);
        TearDown();
    }
    {  // disk prompt refused
        SetUp();
        desktop.diskAnswer = false;
        Archive(Part(data, 0, 50000), 100000);
        EXPECT_EQ(CopyStoredMember(state_), 3);
        EXPECT_EQ(CurrentThreadState().currentDisk, 0);
        TearDown();
    }
    {  // read error
        SetUp();
        memory_files::FailReadsAfter(1);
        Archive(data, 100000);
        EXPECT_EQ(CopyStoredMember(state_), 3);
        TearDown();
    }
    {  // write error (disk full)
        SetUp();
        memory_files::FailWritesAfter(40000);
        Archive(data, 100000);
        EXPECT_EQ(CopyStoredMember(state_), 2);
        EXPECT_EQ(desktop.writeFailures, 1);
        TearDown();
    }
    SetUp();
}

// ---- the compressed-size bound ----

TEST_F(DecoderIo, InputEndsTwoBytesPastTheCompressedSize) {
    Bytes archive(20000, 0);
    memory_files::LimitReadSize(100);
    Archive(archive, 150);
    // Reads until bytes read exceed 152: 100, 200, then the filler.
    for (int i = 0; i < 3; ++i) RefillInput(state_);
    EXPECT_TRUE(state_.endOfInput);
    EXPECT_EQ(memory_files::Count().reads, 2);
    EXPECT_EQ(state_.bytesRead, 200);
    EXPECT_EQ(state_.inputPosition, 0);
    EXPECT_EQ(state_.inputEnd, kInputBufferSize - 1);
}

// ---- no ports ----

// Null functions, or no ports at all, are a quiet desktop: a whole member
// decodes, a failed write goes unheard, the next disk is refused.
TEST_F(DecoderIo, NullPortsAreAQuietDesktop) {
    Bytes data = SampleData(90000, 18, 0);
    Bytes stream = ZlibDeflate(data, 6);
    TearDown();
    for (const DecoderPorts* ports : {static_cast<const DecoderPorts*>(nullptr), &kQuietPorts}) {
        SetUp();
        state_.ports = ports;
        Archive(stream, static_cast<int32_t>(stream.size()));
        EXPECT_EQ(InflateMember(state_), 0);
        EXPECT_EQ(output_, data);
        TearDown();
        SetUp();
        state_.ports = ports;
        memory_files::FailWritesAfter(40000);
        Archive(data, 90000);
        EXPECT_EQ(CopyStoredMember(state_), 2);
        TearDown();
        SetUp();
        state_.ports = ports;
        Archive(Part(data, 0, 40000), 90000);
        EXPECT_EQ(CopyStoredMember(state_), 3);
        EXPECT_FALSE(state_.cancel);
        EXPECT_EQ(CurrentThreadState().currentDisk, 0);
        TearDown();
    }
    SetUp();
}

}  // namespace
