// The windows that every layer of the run needs: the shell window (owner
// of dialogs and message boxes, target of the close request, partner of the
// DDE conversation), the progress dialog while it is open, and the message
// pump of long work. The shell window registers itself on creation.
#pragma once

#include <windows.h>

// Caption of the messages that do not use the window caption, and the
// shell window's first title.
const char kShellInitialTitle[] = "install";
// Posted to the shell window to start the installation run.
const UINT kStartInstallationMessage = WM_USER + 1;

HWND ShellWindow();
// Set on WM_CREATE; tests that host parts of the run in a window of their
// own (a DDE client, a message-box owner) set it themselves.
void SetShellWindow(HWND window);

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
