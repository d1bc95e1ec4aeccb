// The decoder's user-interface calls in the product under Wine: progress
// reports sent to a real window (throttled, the 0xFFFF answer cancels),
// messages dispatched while decoding, and the disk prompt's message box
// with its text, caption, OK and Cancel.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fs/thread_state.h"
#include "testlib/window_driver.h"
#include "unzip/decoder_io.h"

namespace {

const UINT kPingMessage = WM_USER + 5;

struct Recorder {
    std::vector<WPARAM> commandIds;
    std::vector<WORD> percentages;
    WORD answer = 0;
    bool answerCancel = false;
    int pings = 0;
};
Recorder recorder;

LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && lParam) {
        WORD* word = reinterpret_cast<WORD*>(lParam);
        recorder.commandIds.push_back(wParam);
        recorder.percentages.push_back(*word);
        if (recorder.answerCancel) *word = 0xFFFF;
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

class DecoderUi : public testing::Test {
protected:
    void SetUp() override {
        recorder = Recorder();
        window_ = MakeRecorderWindow();
        ASSERT_TRUE(window_ != nullptr);
        memset(&state_, 0, sizeof state_);
        state_.progressWindow = window_;
        state_.progressCommandId = kProgressCommandId;
        state_.lastReportTime = kNoReportYet;
        state_.compressedSize = 1000;
    }
    void TearDown() override { DestroyWindow(window_); }
    HWND window_ = nullptr;
    static DecoderState state_;
};
DecoderState DecoderUi::state_;

TEST_F(DecoderUi, ReportsReachTheWindowThrottled) {
    state_.bytesRead = 250;
    PollProgress(state_);  // the first poll reports
    PollProgress(state_);  // at once again: too soon
    ASSERT_EQ(recorder.percentages.size(), 1u);
    EXPECT_EQ(recorder.percentages[0], 25);
    EXPECT_EQ(recorder.commandIds[0], 120u);
    EXPECT_FALSE(state_.cancel);
    Sleep(250);
    state_.bytesRead = 1000;
    recorder.answerCancel = true;
    PollProgress(state_);
    ASSERT_EQ(recorder.percentages.size(), 2u);
    EXPECT_EQ(recorder.percentages[1], 100);
    EXPECT_TRUE(state_.cancel);
}

TEST_F(DecoderUi, PumpDispatchesPendingMessages) {
    PostMessageA(window_, kPingMessage, 0, 0);
    PostMessageA(window_, kPingMessage, 0, 0);
    PumpMessages(state_);
    EXPECT_EQ(recorder.pings, 2);
    state_.progressWindow = nullptr;
    PostMessageA(window_, kPingMessage, 0, 0);
    PumpMessages(state_);
    EXPECT_EQ(recorder.pings, 3);
}

struct PromptAnswer {
    const char* button;
    std::string text;
    std::string caption;
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
    ClickButtonByText(box, answer->button);
    return 0;
}

bool PromptAnsweredWith(const char* button, HWND owner, int disk, PromptAnswer& answer) {
    answer.button = button;
    HANDLE thread = CreateThread(nullptr, 0, AnswerPrompt, &answer, 0, nullptr);
    bool result = PromptForDisk(owner, disk);
    WaitForSingleObject(thread, 15000);
    CloseHandle(thread);
    return result;
}

TEST_F(DecoderUi, DiskPromptOkAndCancel) {
    CurrentThreadState().currentDisk = 0;
    PromptAnswer ok;
    EXPECT_TRUE(PromptAnsweredWith("OK", window_, 1, ok));
    EXPECT_TRUE(ok.seen);
    EXPECT_EQ(ok.text, "Please insert disk number 1 and press ENTER!");
    EXPECT_EQ(ok.caption, "Unzip");
    EXPECT_EQ(CurrentThreadState().currentDisk, 1);

    PromptAnswer cancel;
    EXPECT_FALSE(PromptAnsweredWith("Cancel", window_, 2, cancel));
    EXPECT_TRUE(cancel.seen);
    EXPECT_EQ(cancel.text, "Please insert disk number 2 and press ENTER!");
    EXPECT_EQ(CurrentThreadState().currentDisk, 1);

    // The current disk and numbers out of range ask nothing.
    EXPECT_TRUE(PromptForDisk(window_, 1));
    EXPECT_FALSE(PromptForDisk(window_, 1001));
    EXPECT_FALSE(PromptForDisk(window_, 0));
}

}  // namespace
