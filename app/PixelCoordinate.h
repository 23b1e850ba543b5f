#pragma once
// Plot coordinates are truncated toward zero, never rounded. Converting a
// long double outside the int range is undefined, so the value is first held
// within ±2^30: far beyond any surface, and far enough that a line towards a
// held point leaves the surface on the same pixels as the exact line would
// for every value a plot can produce (F stays below a few hundred for every
// finite length). NaN, which only a non-numeric length could give, maps to
// the lower limit.
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
