// Decoder input, output and progress over memory files, with the user
// interface replaced by recording callbacks: the progress throttle and
// percentages, the cancel answer and the F9 key, the disk prompt and the
// disk change in the middle of a member, flushing with the CRC, and the
// stored copy with its failures.
#include <gtest/gtest.h>

#include <string>

#include "decoder_harness.h"
#include "fs/thread_state.h"

namespace {

typedef std::vector<uint8_t> Bytes;

// What the stand-in desktop saw and how it answers.
struct Desktop {
    uint32_t clock = 0;
    uint32_t clockStep = 0;  // added after every reading
    uint16_t answer = 0;     // the progress window's answer
    bool answerWithPercentage = true;
    bool keyDown = false;
    int keyAsked = -1;
    bool promptAnswer = true;
    std::vector<uint16_t> reports;
    std::vector<uint32_t> reportTimes;
    std::vector<std::string> prompts;
    std::string promptCaption;
    int beeps = 0;
    int pumps = 0;
    // Called when the prompt is answered OK: swaps the next disk's file in.
    std::vector<Bytes> nextDisks;
    std::string archivePath;
};

Desktop desktop;

const DecoderUiHooks kRecordingHooks = {
    [](ProgressWindowHandle) { desktop.pumps++; },
    [] {
        uint32_t now = desktop.clock;
        desktop.clock += desktop.clockStep;
        return now;
    },
    [](ProgressWindowHandle, int16_t id, uint16_t percentage) -> uint16_t {
        EXPECT_EQ(id, kProgressCommandId);
        desktop.reports.push_back(percentage);
        desktop.reportTimes.push_back(desktop.clock - desktop.clockStep);
        return desktop.answerWithPercentage ? percentage : desktop.answer;
    },
    [](int key) {
        desktop.keyAsked = key;
        return desktop.keyDown;
    },
    [](ProgressWindowHandle, const char* text, const char* caption) {
        desktop.prompts.push_back(text);
        desktop.promptCaption = caption;
        if (desktop.promptAnswer && !desktop.nextDisks.empty()) {
            memory_files::PutFile(desktop.archivePath.c_str(), desktop.nextDisks.front().data(),
                                  desktop.nextDisks.front().size());
            desktop.nextDisks.erase(desktop.nextDisks.begin());
        }
        return desktop.promptAnswer;
    },
    [] { desktop.beeps++; },
};

ProgressWindowHandle FakeWindow() { return reinterpret_cast<ProgressWindowHandle>(0x1234); }

class DecoderIo : public testing::Test {
protected:
    void SetUp() override {
        desktop = Desktop();
        desktop.archivePath = "A:\\DISKS.ZIP";
        SetDecoderUiHooks(&kRecordingHooks);
        InitCrc32Table();
        memory_files::Reset();
        CurrentThreadState().currentDisk = 0;
        memset(&state_, 0, sizeof state_);
        strcpy(state_.archivePath, desktop.archivePath.c_str());
        state_.crc = kCrcStart;
        state_.lastReportTime = kNoReportYet;
        state_.progressCommandId = kProgressCommandId;
        ASSERT_TRUE(AllocateDecoderWindow(state_));
    }
    void TearDown() override {
        ReleaseDecoderWindow(state_);
        SetDecoderUiHooks(nullptr);
    }
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
    state_.progressWindow = FakeWindow();
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
    state_.progressWindow = FakeWindow();
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
    state_.progressWindow = FakeWindow();
    state_.compressedSize = 1000;
    for (uint32_t now : {0u, 1u, 150u, 0xFFFFFFF0u, 0xFFFFFFFEu}) {
        state_.lastReportTime = kNoReportYet;
        desktop.clock = now;
        desktop.reports.clear();
        PollProgress(state_);
        EXPECT_EQ(desktop.reports.size(), 1u) << now;
    }
}

TEST_F(DecoderIo, CancelAnswerSetsAndOtherAnswersClear) {
    state_.progressWindow = FakeWindow();
    state_.compressedSize = 1000;
    desktop.answerWithPercentage = false;
    const struct {
        uint16_t answer;
        bool cancel;
    } answers[] = {{0xFFFF, true}, {0, false}, {0xFFFF, true}, {0xFFFE, false}, {100, false}};
    for (const auto& a : answers) {
        desktop.clock += 1000;
        desktop.answer = a.answer;
        PollProgress(state_);
        EXPECT_EQ(state_.cancel, a.cancel) << a.answer;
    }
}

TEST_F(DecoderIo, WithoutWindowTheCommandIdIsAKey) {
    state_.compressedSize = 1000;
    desktop.keyDown = true;
    PollProgress(state_);
    EXPECT_EQ(desktop.keyAsked, 120);  // F9
    EXPECT_TRUE(state_.cancel);
    desktop.keyDown = false;
    desktop.clock += 200;
    PollProgress(state_);
    EXPECT_FALSE(state_.cancel);
    // Id 0: no key is asked.
    state_.progressCommandId = 0;
    desktop.keyAsked = -1;
    desktop.clock += 200;
    PollProgress(state_);
    EXPECT_EQ(desktop.keyAsked, -1);
    EXPECT_TRUE(desktop.reports.empty());
}

TEST_F(DecoderIo, SizeZeroNeverReports) {
    state_.progressWindow = FakeWindow();
    state_.compressedSize = 0;
    desktop.answerWithPercentage = false;
    desktop.answer = 0xFFFF;
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
        bool prompted;
        int currentAfter;
    } cases[] = {
        {0, 1, true, true, true, 1},     {0, 1, false, false, true, 0},   {3, 3, false, true, false, 3},
        {0, 0, true, false, false, 0},   {0, -1, true, false, false, 0},  {0, 1001, true, false, false, 0},
        {999, 1000, true, true, true, 1000}, {5, 2, true, true, true, 2},
    };
    for (const auto& c : cases) {
        CurrentThreadState().currentDisk = c.current;
        desktop.prompts.clear();
        desktop.beeps = 0;
        desktop.promptAnswer = c.answer;
        EXPECT_EQ(PromptForDisk(FakeWindow(), c.n), c.result) << c.n;
        EXPECT_EQ(desktop.prompts.size(), c.prompted ? 1u : 0u) << c.n;
        EXPECT_EQ(desktop.beeps, c.prompted ? 1 : 0) << c.n;
        EXPECT_EQ(CurrentThreadState().currentDisk, c.currentAfter) << c.n;
        if (c.prompted) {
            EXPECT_EQ(desktop.prompts[0], "Please insert disk number " + std::to_string(c.n) + " and press ENTER!");
            EXPECT_EQ(desktop.promptCaption, "Unzip");
        }
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
    ASSERT_EQ(desktop.prompts.size(), 1u);
    EXPECT_EQ(desktop.prompts[0], "Please insert disk number 5 and press ENTER!");
    EXPECT_EQ(CurrentThreadState().currentDisk, 5);
    // The first disk's file was closed; the new one is in the state.
    EXPECT_NE(state_.archiveFile, kInvalidFile);
}

TEST_F(DecoderIo, RefusedDiskEndsTheInput) {
    Bytes data = SampleData(100000, 12, 1);
    Bytes stream = ZlibDeflate(data, 6);
    desktop.promptAnswer = false;
    CurrentThreadState().currentDisk = 2;
    Archive(Part(stream, 0, stream.size() / 2), static_cast<int32_t>(stream.size()));
    EXPECT_EQ(InflateMember(state_), 3);
    EXPECT_EQ(desktop.prompts.size(), 1u);
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
    EXPECT_TRUE(desktop.prompts.empty());
}

TEST_F(DecoderIo, RefillPumpsAndPollsEveryTime) {
    Bytes data = SampleData(300000, 14, 2);
    Bytes stream = ZlibDeflate(data, 6);
    memory_files::LimitReadSize(4000);
    state_.progressWindow = FakeWindow();
    desktop.clockStep = 60;
    Archive(stream, static_cast<int32_t>(stream.size()));
    EXPECT_EQ(InflateMember(state_), 0);
    int refills = memory_files::Count().reads;
    EXPECT_EQ(desktop.pumps, refills);
    // Reports at least 200 ms apart, the first at the first refill.
    ASSERT_GE(desktop.reports.size(), 2u);
    EXPECT_EQ(desktop.reports[0], 0);
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
    EXPECT_EQ(desktop.beeps, 1);
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
    ASSERT_EQ(desktop.prompts.size(), 1u);
    EXPECT_EQ(desktop.prompts[0], "Please insert disk number 1 and press ENTER!");
    EXPECT_EQ(CurrentThreadState().currentDisk, 1);
}

TEST_F(DecoderIo, StoredCopyFailures) {
    Bytes data = SampleData(100000, 17, 1);
    TearDown();  // each case below starts afresh
    {  // the progress window answers 0xFFFF: stop before the next chunk
        SetUp();
        state_.progressWindow = FakeWindow();
        desktop.answerWithPercentage = false;
        desktop.answer = 0xFFFF;
        Archive(data, 100000);
        EXPECT_EQ(CopyStoredMember(state_), 5);
        EXPECT_EQ(output_.size(), 32768u);
        TearDown();
    }
    {  // disk prompt refused
        SetUp();
        desktop.promptAnswer = false;
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
        EXPECT_EQ(desktop.beeps, 1);
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

}  // namespace
