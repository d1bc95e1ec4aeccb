// Host build only: the drawings the bar painter was asked for, in order,
// so tests can see which bar was drawn with which value and how often.
#pragma once

#include <vector>

#include "progress/progress_bars.h"

struct PaintedBar {
    BarWindow bar;
    int value;  // as drawn, clamped
};

std::vector<PaintedBar>& PaintedBars();
