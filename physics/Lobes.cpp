#include "Lobes.h"

#include "ReadoutsLimits.h"

#include "DipoleRules.h"
#include "PatternFunction.h"
#include "ScaledPattern.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

using namespace ReadoutsLimits;

constexpr double kPeakTolerance = 1e-10;
// Samples across each lobe before its peak is refined: enough to find the
// higher of the two humps of a broadside lobe with a dip at 90°.
constexpr int kLobeSamples = 16;

double rounded(double theta)
{
    return std::round(theta * kDegreesPerRadian * 100.0) / 100.0;
}

// 0, the nulls below 90° in ascending order, and 90°.
std::vector<double> lobeBounds(double m)
{
    std::vector<double> bounds{0.0};
    for (const double theta : HalfRangeNulls(m))
        if (theta - bounds.back() > kSameNull && kHalfPi - theta > kSameNull)
            bounds.push_back(theta);
    bounds.push_back(kHalfPi);
    return bounds;
}

struct Peak
{
    double theta;
    double value;
};

// The highest sample of [a, b], then a golden-section search around it. F
// is the pattern in its product form, scaled, so that a very short dipole's
// lobe is found as surely as a long one's.
Peak highest(const ScaledPattern &F, double a, double b)
{
    const double step = (b - a) / kLobeSamples;
    Peak best{a, -1.0};
    for (int i = 0; i <= kLobeSamples; ++i) {
        const double theta = i == kLobeSamples ? b : a + i * step;
        const double value = F(theta);
        if (value > best.value)
            best = {theta, value};
    }
    double lo = std::max(a, best.theta - step);
    double hi = std::min(b, best.theta + step);
    const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
    while (hi - lo > kPeakTolerance) {
        const double x1 = hi - ratio * (hi - lo);
        const double x2 = lo + ratio * (hi - lo);
        if (F(x1) < F(x2))
            lo = x1;
        else
            hi = x2;
    }
    const Peak refined{(lo + hi) / 2, F((lo + hi) / 2)};
    return refined.value > best.value ? refined : best;
}

// Where F crosses level between below (F under it) and above (F over it).
double crossing(const ScaledPattern &F, double level, double below, double above)
{
    while (std::fabs(above - below) > kCrossingTolerance) {
        const double mid = below + (above - below) / 2;
        (F(mid) < level ? below : above) = mid;
    }
    return below + (above - below) / 2;
}

// The half-power width of the lobe [a, b] with its peak, in radians.
double halfPowerWidth(const ScaledPattern &F, double a, double b, const Peak &peak)
{
    const double level = peak.value / std::sqrt(2.0);
    const double lower = crossing(F, level, a, peak.theta);
    if (b < kHalfPi)
        return crossing(F, level, b, peak.theta) - lower;
    // The lobe goes on past 90° into its mirror.
    if (F(kHalfPi) >= level)
        return kPi - 2.0 * lower;
    return crossing(F, level, kHalfPi, peak.theta) - lower;
}

} // namespace

std::vector<Lobe> FindLobes(double M)
{
    const double m = std::fabs(M);
    if (!IsComputableLength(m))
        throw std::domain_error("length out of range for the lobes");
    const std::vector<double> bounds = lobeBounds(m);
    const ScaledPattern F(m);
    std::vector<Peak> peaks;
    double fMax = 0.0;
    for (size_t i = 0; i + 1 < bounds.size(); ++i) {
        peaks.push_back(highest(F, bounds[i], bounds[i + 1]));
        fMax = std::max(fMax, peaks.back().value);
    }
    std::vector<Lobe> lobes;
    if (fMax == 0.0)
        return lobes;
    for (size_t i = 0; i < peaks.size(); ++i) {
        Lobe lobe;
        lobe.directionDeg = rounded(peaks[i].theta);
        lobe.value = static_cast<double>(F.unscaled(peaks[i].value, 1));
        lobe.levelDb = std::min(20.0 * std::log10(peaks[i].value / fMax), 0.0);
        lobe.halfPowerWidthDeg = halfPowerWidth(F, bounds[i], bounds[i + 1], peaks[i]) * kDegreesPerRadian;
        lobe.fromDeg = bounds[i] * kDegreesPerRadian;
        lobe.toDeg = bounds[i + 1] * kDegreesPerRadian;
        lobe.maximum = peaks[i].value >= fMax * (1.0 - kSameMaximum);
        lobe.rival = !lobe.maximum && lobe.levelDb >= -kRivalLobeDb;
        lobes.push_back(lobe);
    }
    return lobes;
}
