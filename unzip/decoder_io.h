// Decoder input, output and progress: moves one member's bytes between the
// archive, the decoder and the output file, asks for the next disk when an
// archive file ends inside a member, keeps the interface alive and reports
// progress (with the user's cancel coming back through the report), all
// through the state's ports.
#pragma once

#include "unzip/decoder_state.h"

// The ports' pump: at every refill and stored chunk.
void PumpMessages(DecoderState& state);

// Reports the percentage done at most every 200 ms (the first poll of a
// member always) and updates the cancel flag. Size 0 never reports.
void PollProgress(DecoderState& state);

// The 0 or 100 percent report of a member, outside the 200 ms rule.
ProgressAnswer ReportMilestone(DecoderState& state, uint16_t percentage);

// Disk n: 1..1000 only; the current disk without asking, any other through
// the ports, and a confirmed one becomes the current disk.
bool PromptForDisk(DecoderState& state, int n);

// Refills the input buffer (the bit reader calls it when the buffer is used up).
void RefillInput(DecoderState& state);

// Writes the first count bytes of the window and folds them into the CRC.
bool FlushWindow(DecoderState& state, int count);

// Copies a stored member: kDecodeOk, kDecodeWriteFailed, kDecodeInputEnded
// or kDecodeCancelled.
DecodeResult CopyStoredMember(DecoderState& state);

// The window of one member: kWindowSize zero bytes; false when no memory.
bool AllocateDecoderWindow(DecoderState& state);
void ReleaseDecoderWindow(DecoderState& state);
