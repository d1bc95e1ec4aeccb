// When the progress dialog's current-file line is rewritten: at most every
// 50 ms, since nobody reads names faster and each change costs the window
// system a round trip and a repaint. A file that begins within 50 ms of
// the last change waits; the latest waiting one is shown as soon as its
// time has come (a file that takes longer shows its own name), so the name
// on the line always belongs to a file begun in the last 50 ms. The line
// text is a carriage return (the line's first row stays empty) and the path.
#pragma once

#include <cstdint>

const uint32_t kFileLineInterval = 50;  // ms

// A new file begins at now (ms): true when the line is to be rewritten now.
bool OfferFileLine(const char* path, uint32_t now);

// A name waits and its time has come at now, or it waits at all (force).
bool FileLineWaiting(uint32_t now, bool force);

// The waiting text, counted as shown at now; nothing waits afterwards.
const char* TakeFileLine(uint32_t now);

// The dialog is gone: nothing waits, and the next dialog's first file is
// shown at once.
void ResetFileLine();
