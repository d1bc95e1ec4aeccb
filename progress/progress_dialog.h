// The modeless progress dialog (DLG2FILEACTIONMIN): a label and a file name
// set by the installation run, the item and overall bars, and Cancel.
// Opening it makes it the progress dialog of the shell window's message
// pump; the bar values go through progress_bars.h.
#pragma once

#include <windows.h>

// WM_COMMAND with this wParam is a progress query; lParam is the address
// of a 16-bit percentage that comes back as 0xFFFF after a cancel.
const WPARAM kProgressQueryCommand = 120;

// Creates, centres over the parent's area and shows the dialog.
HWND OpenProgressDialog(HINSTANCE instance, HWND parent);
void CloseProgressDialog();

// The current-file line: a carriage return and the path (cut to fit),
// rewritten at most every 50 ms (progress/file_line.h).
void ShowProgressFile(const char* path);

// The waiting file name shown if its time has come: called as the work
// goes on (where it looks at its message queue), so that a file that takes
// longer than the interval shows its own name. No timer: its messages
// would cost a look at the queue of their own every 50 ms.
void ShowDueProgressFile();

// The waiting file name, if any, shown and painted now: before a message
// about the files (a disk prompt among them), or when the last file is
// done.
void ShowWaitingProgressFile();
