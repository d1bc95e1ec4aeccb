#include "progress/bar_painter.h"

// width * value / 100 to the nearest whole pixel, halves away from zero (as
// the floating-point rule before it had it: 0.01 was stored a little above
// itself), in integers: exact, and no floating-point library in the product.
int BarFillWidth(int innerWidth, int value) {
    long long scaled = static_cast<long long>(innerWidth) * value;
    long long magnitude = scaled < 0 ? -scaled : scaled;
    long long pixels = (magnitude + 50) / 100;
    return static_cast<int>(scaled < 0 ? -pixels : pixels);
}

int ClampBarValue(int value) {
    if (value < 0) return 0;
    if (value > 100) return 100;
    return value;
}
