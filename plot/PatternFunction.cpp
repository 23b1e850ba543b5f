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

// On x86 the x87 unit's own sine and cosine work on the 80-bit format
// directly; they are several times faster than the library's and agree with
// it on every plotted pixel. Elsewhere the library's long double functions
// serve.
#if defined(__x86_64__) || defined(__i386__)
long double sineInRange(long double x)
{
    long double r;
    asm("fsin" : "=t"(r) : "0"(x));
    return r;
}

long double cosineInRange(long double x)
{
    long double r;
    asm("fcos" : "=t"(r) : "0"(x));
    return r;
}
#else
long double sineInRange(long double x)
{
    return sinl(x);
}
long double cosineInRange(long double x)
{
    return cosl(x);
}
#endif

} // namespace

long double ExtendedSin(long double x)
{
    return outOfRange(x) ? 0.0L : sineInRange(x);
}

long double ExtendedCos(long double x)
{
    return outOfRange(x) ? 0.0L : cosineInRange(x);
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
