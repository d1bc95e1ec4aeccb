#include "progress/progress_bars.h"

#include "progress/bar_painter.h"

namespace {

ProgressState g_progress;

void UpdateBar(BarWindow bar, int32_t& stored, int32_t value) {
    if (value != stored || value == 0 || value == 100) PaintProgressBar(bar, value);
    stored = value;
}

}  // namespace

const ProgressState& Progress() { return g_progress; }

void ResetProgress(BarWindow itemBar, BarWindow overallBar) {
    g_progress.itemBar = itemBar;
    g_progress.overallBar = overallBar;
    g_progress.itemValue = 0;
    g_progress.overallValue = 0;
    g_progress.total = 0;
    g_progress.itemBase = 0;
    g_progress.itemSize = 0;
}

void DetachProgressBars() {
    g_progress.itemBar = nullptr;
    g_progress.overallBar = nullptr;
}

void SetProgressTotal(int32_t total) { g_progress.total = total; }

int32_t ItemBaseFor(int32_t done, int32_t size, int32_t total) {
    if (total <= 0) return 0;
    // 64-bit integers give exactly the truncated quotient, as floating point
    // would, without a coprocessor (a 386 has none).
    int32_t base = static_cast<int32_t>(static_cast<int64_t>(done) * 100 / total);
    // The last item carries what truncation lost on the way.
    if (static_cast<int64_t>(done) + size == total && base < 100) ++base;
    return base;
}

void BeginProgressItem(int32_t done, int32_t size) {
    g_progress.itemBase = ItemBaseFor(done, size, g_progress.total);
    g_progress.itemSize = g_progress.total <= 0 ? 0 : size;
}

int32_t OverallValueFor(int32_t percent) {
    const int32_t size = g_progress.itemSize;
    const int32_t total = g_progress.total;
    // 64 bits hold percent times size exactly for every item, so even large
    // items need no floating point for the truncated share.
    return g_progress.itemBase + static_cast<int32_t>(static_cast<int64_t>(percent) * size / total);
}

void SetItemPercent(int32_t percent) {
    UpdateBar(g_progress.itemBar, g_progress.itemValue, percent);
    if (!g_progress.overallBar || g_progress.itemSize == 0 || g_progress.total == 0) return;
    UpdateBar(g_progress.overallBar, g_progress.overallValue, OverallValueFor(percent));
}

void SetOverallPercent(int32_t percent) { UpdateBar(g_progress.overallBar, g_progress.overallValue, percent); }

void RedrawProgressBars() {
    PaintProgressBar(g_progress.itemBar, g_progress.itemValue);
    PaintProgressBar(g_progress.overallBar, g_progress.overallValue);
}

bool ProgressAborted() { return g_progress.aborted; }

void ClearProgressAbort() { g_progress.aborted = false; }

bool RequestProgressAbort() {
    if (g_progress.aborted) return false;
    g_progress.aborted = true;
    return true;
}

void AnswerProgressQuery(uint16_t* word) {
    if (!word) return;
    if (*word <= 100) SetItemPercent(*word);
    *word = g_progress.aborted ? kProgressCancelAnswer : 0;
}
