#include <cmath>

#include "progress/bar_painter.h"

int BarFillWidth(int innerWidth, int value) {
    const long double width = static_cast<long double>(innerWidth) * value * 0.01;
    return static_cast<int>(std::lrint(width));  // the default rounding: halves to even
}

int ClampBarValue(int value) {
    if (value < 0) return 0;
    if (value > 100) return 100;
    return value;
}
