#include "InducedEmf.h"

#include "QuietGsl.h"
#include "SineCosineIntegrals.h"

#include "DipoleRules.h"
#include "PatternFunction.h"
#include "PatternReadouts.h"

#include <cmath>
#include <stdexcept>

// The closed forms are evaluated with Cin(x) = C + ln x − Ci(x), the entire
// function ∫₀ˣ (1 − cos t)/t dt, in place of Ci. The logarithms of the
// textbook form then cancel exactly on paper instead of in floating point:
//   C + ln(x/2) + Ci(2x) − 2Ci(x)  =  2Cin(x) − Cin(2x)
//   2Ci(x) − Ci(2x) − Ci(b)        =  2 ln(M/(2A)) − 2Cin(x) + Cin(2x) + Cin(b)
// with b = 4πA²/M. A short dipole then keeps its digits: the terms of R_m of
// order x² still cancel, but no longer against logarithms of order one.

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kEuler = 0.57721566490153286061;
// Cin by its power series below this argument, through Ci above it.
constexpr double kSeriesLimit = 2.0;

// Σ (−1)ⁿ⁺¹ x²ⁿ / (2n·(2n)!): the terms fall fast for x ≤ 2 and the first
// dominates, so the sum loses nothing to cancellation.
double cinSeries(double x)
{
    const double x2 = x * x;
    double power = 1.0; // (−1)ⁿ⁺¹ x²ⁿ / (2n)!
    double sum = 0.0;
    for (int n = 1; n <= 20; ++n) {
        power *= -x2 / ((2.0 * n - 1.0) * (2.0 * n));
        const double term = -power / (2.0 * n);
        sum += term;
        if (std::fabs(term) <= 1e-18 * std::fabs(sum))
            break;
    }
    return sum;
}

double cin(double x)
{
    if (x <= kSeriesLimit)
        return cinSeries(x);
    return kEuler + std::log(x) - CosineIntegral(x);
}

Impedance atCurrentMaximum(double m, double radius)
{
    const double x = 2.0 * kPi * m;
    const double s = std::sin(x);
    const double c = std::cos(x);
    const double si1 = SineIntegral(x);
    const double si2 = SineIntegral(2.0 * x);
    const double cin1 = cin(x);
    const double cin2 = cin(2.0 * x);
    const double b = 4.0 * kPi * radius * radius / m;

    const double r = cin1 + 0.5 * s * (si2 - 2.0 * si1) + 0.5 * c * (2.0 * cin1 - cin2);
    const double logs = 2.0 * std::log(m / (2.0 * radius)) - 2.0 * cin1 + cin2 + cin(b);
    const double xm = 2.0 * si1 + c * (2.0 * si1 - si2) - s * logs;
    return {kFreeSpaceImpedance / (2.0 * kPi) * r, kFreeSpaceImpedance / (4.0 * kPi) * xm};
}

} // namespace

double FeedCurrentSquared(double M)
{
    if (FeedAtCurrentNode(M))
        return 0.0;
    const long double feed = ExtendedSin(kExtendedPi * static_cast<long double>(std::fabs(M)));
    return static_cast<double>(feed * feed);
}

DipoleImpedance InducedEmfImpedance(double M, double radius)
{
    const double m = std::fabs(M);
    if (!IsComputableLength(m) || !WireRadiusFits(M, radius))
        throw std::domain_error("length or wire radius out of range for the impedance");
    QuietGsl();
    DipoleImpedance z;
    z.atCurrentMaximum = atCurrentMaximum(m, radius);
    const double feed = FeedCurrentSquared(m);
    if (feed > 0.0)
        z.atFeed = Impedance{z.atCurrentMaximum.resistance / feed, z.atCurrentMaximum.reactance / feed};
    return z;
}
