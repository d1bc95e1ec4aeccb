// Member extraction in the product under Wine: the shared rules, then what
// needs the real system, through the installer's ports: progress reports
// to a window standing in for the progress dialog, cancel through the
// report answer, the disk prompt of an archive split across two "disks",
// NTFS size reservation, UNC-style paths and an output file in use.
#include <windows.h>

#include <string>
#include <vector>

#include "base/startup_flags.h"
#include "base/window_context.h"
#include "install/decoder_ports.h"
#include "progress/progress_bars.h"
#include "progress/progress_dialog.h"
#include "testlib/distribution.h"
#include "testlib/window_driver.h"

std::string NewSandbox() { return MakeTemporaryFolder("extract"); }
void DropSandbox(const std::string& folder) { RemoveTree(folder); }
std::string PathText(const std::string& path) { return path; }
bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

#include "host/extract_cases.h"

namespace {

using extract_cases::ExpectedContent;
using extract_cases::MemberOffset;
using zip_fixtures::FixturePath;
using zip_fixtures::ReadText;

// A stand-in for the progress dialog: records every report with its time
// and the output file's size at that moment, answers as told, and can keep
// the thread busy on a timer so that a member takes a little longer.
struct Report {
    DWORD tick;
    unsigned percentage;
    long long outputSize;
};

struct ProgressRecorder {
    std::vector<Report> reports;
    std::string outputPath;
    bool cancelAlways = false;
    bool cancelAtHundred = false;
    int busyMs = 0;
};

ProgressRecorder* g_recorder = nullptr;
const UINT_PTR kBusyTimer = 1;

long long SizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void OnReport(WORD* word) {
    ProgressRecorder& r = *g_recorder;
    r.reports.push_back({GetTickCount(), *word, SizeOf(r.outputPath)});
    if (r.cancelAlways || (r.cancelAtHundred && *word == 100)) *word = kProgressCancelAnswer;
}

LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && wParam == kProgressQueryCommand && g_recorder) {
        OnReport(reinterpret_cast<WORD*>(lParam));
        return 0;
    }
    if (message == WM_TIMER && g_recorder && g_recorder->busyMs > 0) {
        Sleep(g_recorder->busyMs);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The progress dialog of the installer's ports while it lives.
class RecorderWindow {
public:
    explicit RecorderWindow(ProgressRecorder& recorder) {
        g_recorder = &recorder;
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = RecorderProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ExtractProgressRecorder";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA("ExtractProgressRecorder", "progress", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        // A busy spell shorter than the timer's period, so that the
        // decoder's message pump always comes to an end.
        if (recorder.busyMs > 0) SetTimer(window_, kBusyTimer, recorder.busyMs + 2, nullptr);
        SetProgressDialogHandle(window_);
    }
    ~RecorderWindow() {
        SetProgressDialogHandle(nullptr);
        KillTimer(window_, kBusyTimer);
        DestroyWindow(window_);
        g_recorder = nullptr;
    }
private:
    HWND window_;
};

class ExtractionUnderWine : public testing::Test {
protected:
    void SetUp() override {
        RecordStartupFlags();
        sandbox_ = NewSandbox();
    }
    void TearDown() override {
        RecordStartupFlags();
        DropSandbox(sandbox_);
    }
    std::string In(const std::string& name) const { return sandbox_ + "\\" + name; }

    std::string sandbox_;
};

TEST_F(ExtractionUnderWine, ReportsAreThrottledAndTheFirstPollReports) {
    ProgressRecorder recorder;
    recorder.outputPath = In("slow.bin");
    recorder.busyMs = 8;
    {
        RecorderWindow window(recorder);
        ASSERT_EQ(ExtractZipMember(FixturePath("ex_big.zip").c_str(), recorder.outputPath.c_str(), 0,
                                   MemberOffset("ex_big.zip", "slow.bin"), InstallerDecoderPorts()),
                  kExtractOk);
    }
    const std::vector<Report>& r = recorder.reports;
    ASSERT_GE(r.size(), 3u);
    EXPECT_EQ(r.front().percentage, 0u);   // the driver's opening report
    EXPECT_EQ(r.back().percentage, 100u);  // and its closing one
    // The first poll reports at once: after the first 32768-byte chunk.
    EXPECT_LE(r[1].percentage, 2u);
    EXPECT_LT(r[1].tick - r[0].tick, 200u);
    for (size_t i = 2; i + 1 < r.size(); ++i) {
        EXPECT_GE(r[i].tick - r[i - 1].tick, 200u) << "reports " << i - 1 << " and " << i;
        EXPECT_GE(r[i].percentage, r[i - 1].percentage);
    }
    EXPECT_TRUE(ReadText(recorder.outputPath) == ExpectedContent("slow.bin"));
}

TEST_F(ExtractionUnderWine, CancelAnswerStopsAndRemovesTheFile) {
    for (bool atHundred : {false, true}) {
        ProgressRecorder recorder;
        recorder.outputPath = In(atHundred ? "late.bin" : "early.bin");
        recorder.cancelAlways = !atHundred;
        recorder.cancelAtHundred = atHundred;
        RecorderWindow window(recorder);
        EXPECT_EQ(ExtractZipMember(FixturePath("ex_plain.zip").c_str(), recorder.outputPath.c_str(), 0,
                                   MemberOffset("ex_plain.zip", "stored.bin"), InstallerDecoderPorts()),
                  kExtractCancelled)
            << (atHundred ? "at 100 percent" : "at the first poll");
        EXPECT_EQ(GetFileAttributesA(recorder.outputPath.c_str()), INVALID_FILE_ATTRIBUTES);
        if (!atHundred) {
            // Stopped before the next chunk: the closing report never came.
            EXPECT_NE(recorder.reports.back().percentage, 100u);
        }
    }
}

TEST_F(ExtractionUnderWine, NtfsGetsTheFullSizeBeforeTheFirstWrite) {
    for (bool nt : {true, false}) {
        StartupFlags flags = GetStartupFlags();
        flags.nt = nt;
        SetStartupFlags(flags);
        ProgressRecorder recorder;
        recorder.outputPath = In(nt ? "big_nt.txt" : "big_95.txt");
        RecorderWindow window(recorder);
        ASSERT_EQ(ExtractZipMember(FixturePath("ex_big.zip").c_str(), recorder.outputPath.c_str(), 0,
                                   MemberOffset("ex_big.zip", "big.txt"), InstallerDecoderPorts()),
                  kExtractOk);
        ASSERT_FALSE(recorder.reports.empty());
        EXPECT_EQ(recorder.reports.front().outputSize, nt ? 10 * 1024 * 1024 : 0) << (nt ? "NT" : "Windows 95");
        EXPECT_EQ(SizeOf(recorder.outputPath), 10 * 1024 * 1024);
    }
}

TEST_F(ExtractionUnderWine, UncStylePathGetsEveryMissingLevel) {
    // \\?\C:\... : server "?", share "C:"; the levels below are created.
    std::string output = "\\\\?\\" + In("u1\\u2\\u3\\deep.txt");
    ASSERT_EQ(ExtractZipMember(FixturePath("ex_plain.zip").c_str(), output.c_str(), 0,
                               MemberOffset("ex_plain.zip", "docs/sub/deep.txt"), InstallerDecoderPorts()),
              kExtractOk);
    EXPECT_TRUE(ReadText(In("u1\\u2\\u3\\deep.txt")) == ExpectedContent("docs/sub/deep.txt"));
}

TEST_F(ExtractionUnderWine, OutputInUseGivesTwoAndStaysAsItWas) {
    std::string output = In("busy.txt");
    HANDLE busy = CreateFileA(output.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(busy, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(busy, "held", 4, &written, nullptr);
    EXPECT_EQ(ExtractZipMember(FixturePath("ex_plain.zip").c_str(), output.c_str(), 0,
                               MemberOffset("ex_plain.zip", "stored.bin"), InstallerDecoderPorts()),
              kExtractOutputFailed);
    EXPECT_NE(FileErrorCode(), 0u);
    CloseHandle(busy);
    EXPECT_EQ(ReadText(output), "held");
}

// Answers the disk prompt from a second thread: reads its text, puts the
// next "disk" in place under the archive's name, and clicks a button.
struct PromptAnswer {
    std::string archive;
    std::string nextPiece;  // copied over the archive before OK, unless empty
    const char* button = "OK";
    int waitMs = 20000;
    std::string seenText;
    std::string seenCaption;
    int prompts = 0;
    volatile bool done = false;
};

DWORD WINAPI AnswerPrompts(void* parameter) {
    PromptAnswer& answer = *static_cast<PromptAnswer*>(parameter);
    DrivenProcess self;
    self.process = GetCurrentProcess();
    self.id = GetCurrentProcessId();
    DWORD start = GetTickCount();
    while (!answer.done && GetTickCount() - start < static_cast<DWORD>(answer.waitMs)) {
        HWND box = WaitForWindow(self, "Unzip", "#32770", 100);
        if (!box) continue;
        answer.seenText = MessageBoxText(box);
        answer.seenCaption = WindowText(box);
        ++answer.prompts;
        if (!answer.nextPiece.empty()) CopyFileA(answer.nextPiece.c_str(), answer.archive.c_str(), FALSE);
        ClickButtonByText(box, answer.button);
        while (IsWindow(box)) Sleep(20);
    }
    return 0;
}

int ExtractWithPrompt(PromptAnswer& answer, const char* member, const std::string& output) {
    HANDLE thread = CreateThread(nullptr, 0, AnswerPrompts, &answer, 0, nullptr);
    // No progress dialog: the prompt has no owner.
    int result = ExtractZipMember(answer.archive.c_str(), output.c_str(), 0, MemberOffset("ex_split.zip", member),
                                  InstallerDecoderPorts());
    answer.done = true;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return result;
}

std::string Native(const std::string& fixture) { return FixturePath(fixture); }

class SplitArchive : public ExtractionUnderWine, public testing::WithParamInterface<const char*> {
protected:
    std::string Piece(int n) const {
        return Native(std::string(GetParam()) + "." + std::to_string(n));
    }
    const char* Member() const {
        return std::string(GetParam()) == "ex_split_stored" ? "split.bin" : "splitdeflated.txt";
    }
};

TEST_P(SplitArchive, OnePromptAndTheMemberIsWhole) {
    CurrentThreadState().currentDisk = 0;
    PromptAnswer answer;
    answer.archive = In("SPLIT.ZIP");
    ASSERT_TRUE(CopyFileA(Piece(1).c_str(), answer.archive.c_str(), FALSE));
    answer.nextPiece = Piece(2);
    std::string output = In("joined.bin");
    EXPECT_EQ(ExtractWithPrompt(answer, Member(), output), kExtractOk);
    EXPECT_EQ(answer.prompts, 1);
    EXPECT_EQ(answer.seenText, "Please insert disk number 1 and press ENTER!");
    EXPECT_EQ(answer.seenCaption, "Unzip");
    EXPECT_TRUE(ReadText(output) == ExpectedContent(Member())) << "the joined member differs";
    EXPECT_EQ(CurrentThreadState().currentDisk, 1);

    // The next disk change of the run asks for disk 2.
    PromptAnswer again;
    again.archive = answer.archive;
    ASSERT_TRUE(CopyFileA(Piece(1).c_str(), again.archive.c_str(), FALSE));
    again.nextPiece = Piece(2);
    EXPECT_EQ(ExtractWithPrompt(again, Member(), In("again.bin")), kExtractOk);
    EXPECT_EQ(again.seenText, "Please insert disk number 2 and press ENTER!");
    EXPECT_EQ(CurrentThreadState().currentDisk, 2);
}

TEST_P(SplitArchive, CancelInThePromptGivesThreeAndKeepsTheDiskNumber) {
    CurrentThreadState().currentDisk = 0;
    PromptAnswer answer;
    answer.archive = In("SPLIT.ZIP");
    ASSERT_TRUE(CopyFileA(Piece(1).c_str(), answer.archive.c_str(), FALSE));
    answer.button = "Cancel";
    std::string output = In("cancelled.bin");
    EXPECT_EQ(ExtractWithPrompt(answer, Member(), output), kExtractInputFailed);
    EXPECT_EQ(answer.prompts, 1);
    EXPECT_EQ(CurrentThreadState().currentDisk, 0);
    EXPECT_EQ(GetFileAttributesA(output.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_P(SplitArchive, Disk1001IsRefusedWithoutAPrompt) {
    CurrentThreadState().currentDisk = 1000;
    PromptAnswer answer;
    answer.archive = In("SPLIT.ZIP");
    ASSERT_TRUE(CopyFileA(Piece(1).c_str(), answer.archive.c_str(), FALSE));
    answer.nextPiece = Piece(2);
    answer.waitMs = 3000;
    std::string output = In("refused.bin");
    EXPECT_EQ(ExtractWithPrompt(answer, Member(), output), kExtractInputFailed);
    EXPECT_EQ(answer.prompts, 0);
    EXPECT_EQ(CurrentThreadState().currentDisk, 1000);
    EXPECT_EQ(GetFileAttributesA(output.c_str()), INVALID_FILE_ATTRIBUTES);
    CurrentThreadState().currentDisk = 0;
}

INSTANTIATE_TEST_SUITE_P(Disks, SplitArchive, testing::Values("ex_split_stored", "ex_split_deflated"));

}  // namespace
