#include "install/decoder_ports.h"

#include <windows.h>

#include "base/window_context.h"
#include "fs/format_text.h"
#include "progress/progress_bars.h"
#include "progress/progress_dialog.h"

namespace {

// The disk prompt is the same in every language.
const char kDiskPromptFormat[] = "Please insert disk number %i and press ENTER!";
const char kDiskPromptCaption[] = "Unzip";
const SHORT kKeyIsDown = static_cast<SHORT>(0x8000);

// The context is the progress dialog, or null.
HWND DialogOf(void* context) { return static_cast<HWND>(context); }

// Every look at the message queue is a round trip to the window system
// (under Wine a server request): small members would look several times a
// millisecond. Input waits at most this long, below what a person
// notices; a busy tree of small files looks 20 times a second.
const DWORD kPumpInterval = 50;

void Pump(void*) {
    // A name that had to wait is due on the file line's own clock, which
    // asks nothing of the window system.
    ShowDueProgressFile();
    static DWORD last = 0;
    DWORD now = GetTickCount();
    if (now - last < kPumpInterval) return;
    last = now;
    PumpPendingMessages();
}

uint32_t TickCount(void*) { return GetTickCount(); }

ProgressAnswer Report(void* context, uint16_t percentage, ProgressReportKind kind) {
    HWND dialog = DialogOf(context);
    if (dialog) {
        // The dialog answers by storing into the word; it lives on this
        // stack for the whole synchronous call.
        volatile WORD word = percentage;
        SendMessageA(dialog, WM_COMMAND, kProgressQueryCommand, reinterpret_cast<LPARAM>(&word));
        return word == kProgressCancelAnswer ? kProgressCancel : kProgressContinue;
    }
    // Without the dialog the query's command id doubles as a virtual key
    // (120 is F9): holding it down cancels. Only polls look at it.
    if (kind != kProgressPoll) return kProgressContinue;
    bool down = (GetAsyncKeyState(static_cast<int>(kProgressQueryCommand)) & kKeyIsDown) != 0;
    return down ? kProgressCancel : kProgressContinue;
}

bool AskForDisk(void* context, int n) {
    // The member that goes on to the next disk is named while it waits.
    ShowWaitingProgressFile();
    char text[128];
    FormatBounded(text, sizeof text, kDiskPromptFormat, n);
    MessageBeep(0);
    return MessageBoxA(DialogOf(context), text, kDiskPromptCaption, MB_ICONEXCLAMATION | MB_OKCANCEL) == IDOK;
}

void WriteFailed(void*) { MessageBeep(0); }

}  // namespace

DecoderPorts InstallerDecoderPorts() {
    DecoderPorts ports = {ProgressDialogHandle(), Pump, TickCount, Report, AskForDisk, WriteFailed};
    return ports;
}
