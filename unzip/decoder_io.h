// Decoder input, output and progress: moves one member's bytes between the
// archive, the decoder and the output file, asks for the next disk when an
// archive file ends inside a member, keeps the interface alive and reports
// progress (with the user's cancel coming back through the report).
#pragma once

#include "unzip/decoder_state.h"

// Dispatches every pending message of the thread; the progress window's
// messages go through dialog-message handling.
void PumpMessages(DecoderState& state);

// Reports the percentage done at most every 200 ms and updates the cancel flag.
void PollProgress(DecoderState& state);

// Asks for disk n unless it is the current one; false when refused.
bool PromptForDisk(ProgressWindowHandle owner, int n);

// Refills the input buffer (the bit reader calls it when the buffer is used up).
void RefillInput(DecoderState& state);

// Writes the first count bytes of the window and folds them into the CRC.
bool FlushWindow(DecoderState& state, int count);

// Copies a stored member: kDecodeOk, kDecodeWriteFailed, kDecodeInputEnded
// or kDecodeCancelled.
int CopyStoredMember(DecoderState& state);

// The window of one member: kWindowSize zero bytes; false when no memory.
bool AllocateDecoderWindow(DecoderState& state);
void ReleaseDecoderWindow(DecoderState& state);
