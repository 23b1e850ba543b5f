#include "PatternFunction.h"

#include <cmath>

namespace {

// 2^63: from here on the extended format has no fractional bits, and the
// arguments are treated as out of range rather than reduced.
constexpr long double kRangeLimit = 0x1p63L;

bool outOfRange(long double x)
{
    return !(std::fabs(x) < kRangeLimit) && !std::isnan(x);
}

} // namespace

// The library's long double sine and cosine reduce the argument against π
// to full precision. The x87 unit's own instructions reduce with a π of 66
// bits only, which makes them drift from the exact values far from zero, and
// by a few units in the last place already near π/2.
long double ExtendedSin(long double x)
{
    return outOfRange(x) ? 0.0L : std::sin(x);
}

long double ExtendedCos(long double x)
{
    return outOfRange(x) ? 0.0L : std::cos(x);
}

double DegreeAngle(long double degrees)
{
    long double t = degrees * kExtendedPi;
    t = t / 180.0L;
    return static_cast<double>(t);
}

double SampleAngle(int index, int stepsPerDegree)
{
    const long double whole = static_cast<long double>(index);
    return DegreeAngle(stepsPerDegree == 2 ? whole / 2.0L : whole); // the halving is exact
}

double PatternValue(double M, double theta)
{
    const long double th = theta;
    const long double s = ExtendedSin(th);
    if (s == 0.0L)
        return 0.0;
    const long double c = ExtendedCos(th);
    const long double a = kExtendedPi * static_cast<long double>(M);
    const long double ca = c * a;
    const long double p = ExtendedCos(ca);
    const long double pm = kExtendedPi * static_cast<long double>(M);
    const long double q = ExtendedCos(pm);
    const long double n = p - q;
    const long double r = n / s;
    return static_cast<double>(std::fabs(r));
}
