// The destination dialog (MYINPUTDIALOG): a caption, a prompt and an edit
// field that edits the caller's buffer in place; a browse button for
// folder browsing where the new shell exists.
#pragma once

#include <windows.h>

struct DestinationRequest {
    const char* caption;
    const char* prompt;
    char* buffer;  // edited in place
    int size;      // of the buffer in characters; the edit takes size - 1
};

const int kDestinationOk = IDOK;
const int kDestinationCancel = IDCANCEL;

// Modal, owned by owner; kDestinationOk or kDestinationCancel.
int RunDestinationDialog(HWND owner, const DestinationRequest& request);
