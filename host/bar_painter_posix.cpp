#include "host/painted_bars.h"
#include "progress/bar_painter.h"

std::vector<PaintedBar>& PaintedBars() {
    static std::vector<PaintedBar> drawn;
    return drawn;
}

// The host build has no windows: it notes each drawing for the tests.
void PaintProgressBar(BarWindow bar, int value) {
    if (!bar) return;
    PaintedBars().push_back({bar, ClampBarValue(value)});
}
