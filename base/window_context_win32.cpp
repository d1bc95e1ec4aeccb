#include "base/window_context.h"

namespace {

HWND g_shellWindow = nullptr;
HWND g_progressDialog = nullptr;

}  // namespace

HWND ShellWindow() { return g_shellWindow; }

void SetShellWindow(HWND window) { g_shellWindow = window; }

HWND ProgressDialogHandle() { return g_progressDialog; }

void SetProgressDialogHandle(HWND dialog) { g_progressDialog = dialog; }

HWND MessageOwner() { return g_progressDialog ? g_progressDialog : g_shellWindow; }

void PostCloseRequest() { PostMessageA(g_shellWindow, WM_SYSCOMMAND, SC_CLOSE, 0); }

void PumpPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (g_progressDialog && IsDialogMessageA(g_progressDialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
