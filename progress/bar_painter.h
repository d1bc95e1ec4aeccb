// Draws one progress bar into its framed control: the fill up to the value
// in the highlight colour, the rest in the window colour, and "v %" centred
// in two colours split at the fill boundary. Values are clamped to 0..100.
#pragma once

#include "progress/progress_bars.h"

void PaintProgressBar(BarWindow bar, int value);

// Fill width in pixels of an inner width at value (0..100): the product
// with 0.01 in extended precision, rounded to nearest, halves to even.
int BarFillWidth(int innerWidth, int value);

// Value clamped to 0..100 for drawing.
int ClampBarValue(int value);
