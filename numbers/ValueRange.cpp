#include "ValueRange.h"

#include "NumberErrors.h"
#include "NumberText.h"

long double ValueRange::clamp(long double x) const
{
    if (min == max)
        return x;
    if (min < max) {
        if (x < min)
            return min;
        if (x > max)
            return max;
        return x;
    }
    if (max == 0)
        return x < min ? min : x;
    if (min == 0)
        return x > max ? max : x;
    return x;
}

long double ValueRange::check(long double x, unsigned decimalPlaces) const
{
    const long double r = clamp(x);
    if (r != x)
        throw RangeError(RangeErrorMessage(min, max, decimalPlaces));
    return r;
}

QString RangeErrorMessage(long double min, long double max, unsigned decimalPlaces)
{
    return QStringLiteral("Value must be between %1 and %2")
        .arg(FixedNumberText(min, decimalPlaces), FixedNumberText(max, decimalPlaces));
}
