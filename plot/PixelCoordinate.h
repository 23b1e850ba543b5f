#pragma once
// Plot coordinates are truncated toward zero, never rounded. Converting a
// long double outside the int range is undefined behaviour, so values are
// held within ±2^30 first. No finite length reaches that limit (F stays
// below a few hundred, so plot coordinates stay within tens of thousands of
// pixels), which keeps every drawn picture unchanged; the limit only guards
// against non-finite input. NaN maps to the lower limit.
#include <cmath>

inline int TruncateToPixel(long double v)
{
    constexpr long double kLimit = 1073741824.0L; // 2^30
    if (!(v > -kLimit))
        return -1073741824;
    if (v > kLimit)
        return 1073741824;
    return static_cast<int>(v); // truncation toward zero
}
