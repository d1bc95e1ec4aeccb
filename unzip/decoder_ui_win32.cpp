#include <windows.h>

#include "unzip/decoder_ui.h"

void DispatchPendingMessages(ProgressWindowHandle progressWindow) {
    HWND dialog = static_cast<HWND>(progressWindow);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog && IsDialogMessageA(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

uint32_t CurrentTickCount() { return GetTickCount(); }

uint16_t SendProgressReport(ProgressWindowHandle window, int16_t commandId, uint16_t percentage) {
    // The window answers by storing into the word; it lives on this stack
    // for the whole synchronous call.
    volatile WORD word = percentage;
    SendMessageA(static_cast<HWND>(window), WM_COMMAND, static_cast<WPARAM>(static_cast<uint16_t>(commandId)),
                 reinterpret_cast<LPARAM>(&word));
    return word;
}

bool IsKeyDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

bool ShowDiskPrompt(ProgressWindowHandle owner, const char* text, const char* caption) {
    return MessageBoxA(static_cast<HWND>(owner), text, caption, MB_ICONEXCLAMATION | MB_OKCANCEL) == IDOK;
}

void SoundDefaultBeep() { MessageBeep(0); }
