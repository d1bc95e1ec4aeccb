// The progress state behind the progress dialog: the two bars (the current
// item and the whole installation), the byte total, the current item's
// base and size, and the abort flag. Values arrive here, are turned into
// bar values, and a bar is redrawn through the bar painter only when its
// value changes or is 0 or 100.
#pragma once

#include <cstdint>

// A bar's control window; opaque here, null while no dialog is open.
typedef void* BarWindow;

struct ProgressState {
    BarWindow itemBar;
    BarWindow overallBar;
    int32_t itemValue;     // last value given, before clamping
    int32_t overallValue;
    int32_t total;         // bytes of the whole installation
    int32_t itemBase;      // overall percentage reached before this item
    int32_t itemSize;      // bytes of the current item
    bool aborted;          // the user asked to cancel
};

const ProgressState& Progress();

// Fresh values for a new dialog with these bar windows; the abort flag
// is left alone (the dialog clears it when it starts).
void ResetProgress(BarWindow itemBar, BarWindow overallBar);

// The dialog is gone: values stay, nothing is drawn any more.
void DetachProgressBars();

void SetProgressTotal(int32_t total);
void BeginProgressItem(int32_t done, int32_t size);
void SetItemPercent(int32_t percent);
void SetOverallPercent(int32_t percent);

// Both bars drawn again from their stored values, as after a paint.
void RedrawProgressBars();

bool ProgressAborted();
void ClearProgressAbort();

// Sets the abort flag; false when it was set already.
bool RequestProgressAbort();

// The progress query: a word of at most 100 moves the item bar; the word
// then becomes 0xFFFF when the user cancelled, else 0. Null is ignored.
void AnswerProgressQuery(uint16_t* word);

const uint16_t kProgressCancelAnswer = 0xFFFF;

// Share of the whole for an item at percent: the item base plus the
// item's part of the total. Computed in 64-bit integers, exactly.
int32_t OverallValueFor(int32_t percent);

// The base of an item that starts after done bytes, of total bytes.
int32_t ItemBaseFor(int32_t done, int32_t size, int32_t total);
