#include "startup/runtime/long_division.h"

// Quotients that fit 32 bits take the processor's own division; the rest
// are found bit by bit, high bit first (small rather than fast). A zero
// divisor faults in the 32-bit case, as the processor's division does.
uint64_t __udivdi3(uint64_t dividend, uint64_t divisor) {
    if ((dividend >> 32) == 0 && (divisor >> 32) == 0)
        return static_cast<uint32_t>(dividend) / static_cast<uint32_t>(divisor);
    uint64_t quotient = 0;
    uint64_t remainder = 0;
    for (int bit = 63; bit >= 0; --bit) {
        remainder = (remainder << 1) | ((dividend >> bit) & 1);
        if (remainder >= divisor) {
            remainder -= divisor;
            quotient |= static_cast<uint64_t>(1) << bit;
        }
    }
    return quotient;
}

// Truncates toward zero, as C++ division does.
int64_t __divdi3(int64_t dividend, int64_t divisor) {
    const bool negative = (dividend < 0) != (divisor < 0);
    const uint64_t a = dividend < 0 ? 0 - static_cast<uint64_t>(dividend) : static_cast<uint64_t>(dividend);
    const uint64_t b = divisor < 0 ? 0 - static_cast<uint64_t>(divisor) : static_cast<uint64_t>(divisor);
    const uint64_t quotient = __udivdi3(a, b);
    return static_cast<int64_t>(negative ? 0 - quotient : quotient);
}
