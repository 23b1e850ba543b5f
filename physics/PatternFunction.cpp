#include "PatternFunction.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// 2^63: from here on the extended format has no fractional bits, and the
// arguments are treated as out of range rather than reduced.
constexpr long double kRangeLimit = 0x1p63L;

bool outOfRange(long double x)
{
    return !(std::fabs(x) < kRangeLimit) && !std::isnan(x);
}

// The plots ask for the sine and cosine of the same few hundred angles, and
// of the same π·M, again and again; the library's functions cost far more
// than a look-up. A small direct-mapped table per thread keeps the last
// result for each slot, keyed by the argument's exact bits, so a hit returns
// bit for bit what the function would.
class TrigMemo
{
public:
    template <class F> long double get(long double x, F compute)
    {
        std::uint64_t significand;
        std::uint16_t exponent;
        std::memcpy(&significand, &x, sizeof significand);
        std::memcpy(&exponent, reinterpret_cast<const char *>(&x) + sizeof significand, sizeof exponent);
        std::uint64_t h = significand ^ (significand >> 29) ^ (std::uint64_t(exponent) << 48);
        h *= 0x9E3779B97F4A7C15ull;
        Entry &entry = m_entries[h >> (64 - kBits)];
        if (!entry.used || entry.significand != significand || entry.exponent != exponent) {
            entry = {significand, exponent, true, compute(x)};
        }
        return entry.value;
    }

private:
    static constexpr int kBits = 11;
    struct Entry
    {
        std::uint64_t significand = 0;
        std::uint16_t exponent = 0;
        bool used = false;
        long double value = 0.0L;
    };
    Entry m_entries[1 << kBits];
};

long double librarySin(long double x)
{
    return std::sin(x);
}

long double libraryCos(long double x)
{
    return std::cos(x);
}

} // namespace

// The library's long double sine and cosine reduce the argument against π
// to full precision. The x87 unit's own instructions reduce with a π of 66
// bits only, which makes them drift from the exact values far from zero, and
// by a few units in the last place already near π/2.
long double ExtendedSin(long double x)
{
    static thread_local TrigMemo memo;
    return outOfRange(x) ? 0.0L : memo.get(x, librarySin);
}

long double ExtendedCos(long double x)
{
    static thread_local TrigMemo memo;
    return outOfRange(x) ? 0.0L : memo.get(x, libraryCos);
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
