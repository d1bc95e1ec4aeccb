// The installer's decoder ports under Wine, driven through the decoder's
// own calls: progress queries sent to the progress dialog (WM_COMMAND 120
// with the address of the percentage word, throttled, 0xFFFF cancels),
// the F9 key without a dialog, messages dispatched by the pump, and the
// disk prompt's message box with its text, caption, owner, OK and Cancel.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/window_context.h"
#include "fs/thread_state.h"
#include "install/decoder_ports.h"
#include "testlib/window_driver.h"
#include "unzip/decoder_io.h"

namespace {

const UINT kPingMessage = WM_USER + 5;

struct Recorder {
    std::vector<WPARAM> commandIds;
    std::vector<WORD> percentages;
    WORD answer = 0;
    bool answerWith = false;  // else the word comes back as sent
    int pings = 0;
};
Recorder recorder;

LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && lParam) {
        WORD* word = reinterpret_cast<WORD*>(lParam);
        recorder.commandIds.push_back(wParam);
        recorder.percentages.push_back(*word);
        if (recorder.answerWith) *word = recorder.answer;
        return 0;
    }
    if (message == kPingMessage) {
        recorder.pings++;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeRecorderWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RecorderProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "decoderreportrecorder";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "recorder", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                           nullptr, windowClass.hInstance, nullptr);
}

void PressF9(bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_F9;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

// A member's state with the installer's ports, made while the recorder
// window is (or is not) the progress dialog.
class DecoderPortsTest : public testing::Test {
protected:
    void SetUp() override {
        recorder = Recorder();
        window_ = MakeRecorderWindow();
        ASSERT_TRUE(window_ != nullptr);
        SetProgressDialogHandle(window_);
        Bind();
    }
    void TearDown() override {
        SetProgressDialogHandle(nullptr);
        DestroyWindow(window_);
    }
    void Bind() {
        ports_ = InstallerDecoderPorts();
        memset(&state_, 0, sizeof state_);
        state_.ports = &ports_;
        state_.lastReportTime = kNoReportYet;
        state_.compressedSize = 1000;
    }
    void WithoutDialog() {
        SetProgressDialogHandle(nullptr);
        Bind();
    }
    HWND window_ = nullptr;
    DecoderPorts ports_;
    static DecoderState state_;
};
DecoderState DecoderPortsTest::state_;

TEST_F(DecoderPortsTest, ReportsReachTheDialogThrottled) {
    state_.bytesRead = 250;
    PollProgress(state_);  // the first poll reports
    PollProgress(state_);  // at once again: too soon
    ASSERT_EQ(recorder.percentages.size(), 1u);
    EXPECT_EQ(recorder.percentages[0], 25);
    EXPECT_EQ(recorder.commandIds[0], 120u);
    EXPECT_FALSE(state_.cancel);
    Sleep(250);
    state_.bytesRead = 1000;
    recorder.answerWith = true;
    recorder.answer = 0xFFFF;
    PollProgress(state_);
    ASSERT_EQ(recorder.percentages.size(), 2u);
    EXPECT_EQ(recorder.percentages[1], 100);
    EXPECT_TRUE(state_.cancel);
}

TEST_F(DecoderPortsTest, OnlyTheCancelWordCancels) {
    recorder.answerWith = true;
    const struct {
        WORD answer;
        ProgressAnswer expected;
    } rows[] = {
        {0xFFFF, kProgressCancel}, {0, kProgressContinue}, {0xFFFE, kProgressContinue}, {100, kProgressContinue}};
    for (const auto& row : rows) {
        recorder.answer = row.answer;
        EXPECT_EQ(ReportMilestone(state_, 100), row.expected) << row.answer;
    }
    EXPECT_EQ(recorder.commandIds, std::vector<WPARAM>(4, 120u));
}

TEST_F(DecoderPortsTest, WithoutDialogF9CancelsPollsOnly) {
    WithoutDialog();
    PollProgress(state_);  // first poll, key up
    EXPECT_FALSE(state_.cancel);
    PressF9(true);
    state_.lastReportTime = kNoReportYet;
    PollProgress(state_);
    bool cancelWhileDown = state_.cancel;
    ProgressAnswer milestone = ReportMilestone(state_, 100);
    PressF9(false);
    EXPECT_TRUE(cancelWhileDown);
    EXPECT_EQ(milestone, kProgressContinue);
    state_.lastReportTime = kNoReportYet;
    PollProgress(state_);
    EXPECT_FALSE(state_.cancel);
    EXPECT_TRUE(recorder.commandIds.empty());
}

// The port looks at the queue at most every 50 ms: each pump here comes
// later than that.
TEST_F(DecoderPortsTest, PumpDispatchesPendingMessages) {
    PostMessageA(window_, kPingMessage, 0, 0);
    PostMessageA(window_, kPingMessage, 0, 0);
    Sleep(60);
    PumpMessages(state_);
    EXPECT_EQ(recorder.pings, 2);
    WithoutDialog();
    PostMessageA(window_, kPingMessage, 0, 0);
    Sleep(60);
    PumpMessages(state_);
    EXPECT_EQ(recorder.pings, 3);
}

struct PromptAnswer {
    const char* button;
    std::string text;
    std::string caption;
    HWND owner = nullptr;
    bool seen = false;
};

DWORD WINAPI AnswerPrompt(void* parameter) {
    PromptAnswer* answer = static_cast<PromptAnswer*>(parameter);
    DrivenProcess self;
    self.id = GetCurrentProcessId();
    HWND box = WaitForWindow(self, "Unzip", "#32770", 10000);
    if (!box) return 0;
    answer->seen = true;
    answer->caption = WindowText(box);
    answer->text = MessageBoxText(box);
    answer->owner = GetWindow(box, GW_OWNER);
    ClickButtonByText(box, answer->button);
    return 0;
}

bool PromptAnsweredWith(const char* button, DecoderState& state, int disk, PromptAnswer& answer) {
    answer.button = button;
    HANDLE thread = CreateThread(nullptr, 0, AnswerPrompt, &answer, 0, nullptr);
    bool result = PromptForDisk(state, disk);
    WaitForSingleObject(thread, 15000);
    CloseHandle(thread);
    return result;
}

TEST_F(DecoderPortsTest, DiskPromptOkAndCancel) {
    CurrentThreadState().currentDisk = 0;
    PromptAnswer ok;
    EXPECT_TRUE(PromptAnsweredWith("OK", state_, 1, ok));
    EXPECT_TRUE(ok.seen);
    EXPECT_EQ(ok.text, "Please insert disk number 1 and press ENTER!");
    EXPECT_EQ(ok.caption, "Unzip");
    EXPECT_EQ(ok.owner, window_);
    EXPECT_EQ(CurrentThreadState().currentDisk, 1);

    PromptAnswer cancel;
    EXPECT_FALSE(PromptAnsweredWith("Cancel", state_, 2, cancel));
    EXPECT_TRUE(cancel.seen);
    EXPECT_EQ(cancel.text, "Please insert disk number 2 and press ENTER!");
    EXPECT_EQ(CurrentThreadState().currentDisk, 1);

    // The current disk and numbers out of range ask nothing.
    EXPECT_TRUE(PromptForDisk(state_, 1));
    EXPECT_FALSE(PromptForDisk(state_, 1001));
    EXPECT_FALSE(PromptForDisk(state_, 0));
    CurrentThreadState().currentDisk = 0;
}

}  // namespace
