// The program group, created through a DDE conversation with whatever
// answers to "PROGMAN" (Program Manager, or the shell standing in for it).
// The shell window is the client: its procedure hands WM_DDE_ACK and
// WM_DDE_TERMINATE here. One conversation per run; it stays open after the
// execute request until the server ends it or the shell window goes.
#pragma once

#include <windows.h>

// No conversation, nothing pending: the start of every preparation.
void ResetProgmanConversation();

// Broadcasts the initiate; the first server to answer is kept, any other
// is sent a terminate at once. Warns when nobody answered.
void StartProgmanConversation();

// Posts the terminate to the server if one is kept and still there.
void EndProgmanConversation();

// WM_DDE_ACK and WM_DDE_TERMINATE as the shell window receives them.
void OnProgmanAcknowledge(HWND sender, LPARAM lParam);
void OnProgmanTerminate(HWND sender);

// The conversation's state: the kept server (or null) and the request
// awaiting its answer (0, WM_DDE_INITIATE or WM_DDE_EXECUTE).
HWND ProgmanServer();
UINT ProgmanPendingRequest();
