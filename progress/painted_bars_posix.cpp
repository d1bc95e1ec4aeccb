#include "progress/painted_bars.h"

std::vector<PaintedBar>& PaintedBars() {
    static std::vector<PaintedBar> drawn;
    return drawn;
}
