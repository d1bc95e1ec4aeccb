// The full-screen dark-blue shell window: owner of every dialog and message
// box, target of the close request and of the start of the installation,
// partner of the DDE conversation. Also the message pump of long work.
#pragma once

#include <windows.h>

const char kShellClassName[] = "qzinstallclass32";
const char kShellInitialTitle[] = "install";
const UINT kStartInstallationMessage = WM_USER + 1;
const COLORREF kShellBackground = RGB(0, 0, 128);

LRESULT CALLBACK ShellWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

HWND ShellWindow();

// The modeless progress dialog while it is open, else null.
HWND ProgressDialogHandle();
void SetProgressDialogHandle(HWND dialog);

// Owner of message boxes: the progress dialog while it is open, else the shell.
HWND MessageOwner();

// Posts the close request (WM_SYSCOMMAND / SC_CLOSE) to the shell window.
void PostCloseRequest();

// Empties the thread's message queue without waiting; the progress
// dialog's messages go through dialog-message handling.
void PumpPendingMessages();
