#pragma once
// The range rule of the numeric field. Equal bounds mean no range; a zero
// upper bound below a non-zero lower one leaves only the lower bound, and a
// zero lower bound above a non-zero upper one leaves only the upper bound.
#include <QString>

struct ValueRange
{
    long double min = 0;
    long double max = 0;

    // The value the field stores for x.
    long double clamp(long double x) const;

    // As clamp, but raises RangeError when x lies outside the range; the
    // message shows both bounds with `decimalPlaces` decimals.
    long double check(long double x, unsigned decimalPlaces) const;
};

QString RangeErrorMessage(long double min, long double max, unsigned decimalPlaces);
