// What the decoder asks of the user interface while it works: emptying the
// message queue, the clock, sending a progress report, the state of a key,
// the disk prompt's message box and the beep. The product talks to USER32
// and KERNEL32; the host build calls plain callbacks that tests set.
#pragma once

#include <cstdint>

#include "unzip/decoder_state.h"

// PeekMessage until none is left; the progress window's messages go
// through dialog-message handling.
void DispatchPendingMessages(ProgressWindowHandle progressWindow);

// Milliseconds since system start (GetTickCount).
uint32_t CurrentTickCount();

// Sends WM_COMMAND (commandId, address of the word holding the percentage)
// and returns the word as the window left it.
uint16_t SendProgressReport(ProgressWindowHandle window, int16_t commandId, uint16_t percentage);

// True while the key is down (top bit of GetAsyncKeyState).
bool IsKeyDown(int virtualKey);

// The disk prompt's box: exclamation icon, OK and Cancel; true for OK.
bool ShowDiskPrompt(ProgressWindowHandle owner, const char* text, const char* caption);

// The default beep (MessageBeep(0)).
void SoundDefaultBeep();
