#include "PatternReadouts.h"

#include "Lobes.h"
#include "ReadoutsLimits.h"

#include "BeamWidthBracket.h"
#include "DipoleRules.h"
#include "PatternFunction.h"
#include "ScaledPattern.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

// How the numbers are found. F vanishes exactly where
//     cos(πM·cos θ) = cos(πM),  i.e.  cos θ = ±(1 − 2k/|M|),  θ = 2·asin(√(k/|M|))
// and its mirror 180° − θ, for k = 1, 2, … below |M|. These nulls cut the
// half range [0, 90°] into lobes, each one hump of F, and F is symmetric
// about 90°. So every search runs lobe by lobe on the half range: a lobe is
// never missed because it is narrower than a sampling step, however close
// two nulls lie (M just below an integer leaves a tiny lobe between them).
//
// The plots evaluate F as the difference of two cosines, which for a short
// dipole are both nearly 1: at M = 1e-7 only a few digits survive. The
// readouts use the same F written as a product,
//     F = 2·sin(πM·cos²(θ/2))·sin(πM·sin²(θ/2)) / sin θ,
// which loses nothing to cancellation at any length, and scale it by a
// power of two that brings a short dipole's F (about (πM)²/2) near 1, so
// that neither the searches nor the integral meet underflow.

namespace {

using namespace ReadoutsLimits;

// Peak searches stop when their interval is this narrow (radians). A peak's
// direction is then known far beyond 0.01° and its value to about 1e-12
// relative (even the narrowest lobe of M = 30 is 0.03 radians wide and F is
// flat to second order at its peak).
constexpr double kPeakTolerance = 1e-8;
// Peaks below this fraction of f_max are not side lobes.
constexpr double kSideLobeFloor = 1e-6;
// Each lobe is sampled at this many interior points before its peak is
// refined, so that a lobe with a shoulder still yields its highest point.
constexpr int kLobeSamples = 8;
// Interval halvings the integral may spend in all.
constexpr int kHalvingBudget = 4000;

struct Peak
{
    double theta; // radians, in [0, π/2]
    double value; // scaled
};

// The angle in degrees to 0.01°: the nearest double to the rounded decimal.
double hundredthsOfDegree(double theta)
{
    return std::round(theta * kDegreesPerRadian * 100.0) / 100.0;
}

// The lobe boundaries on [0, π/2]: 0, the nulls below π/2 in ascending
// order, and π/2 itself, which is a null only for an even M.
struct HalfRange
{
    std::vector<double> bounds;
    bool centreIsNull = false;
};

HalfRange halfRange(double m)
{
    HalfRange range;
    range.bounds.push_back(0.0);
    for (const double theta : HalfRangeNulls(m)) {
        if (kHalfPi - theta <= kSameNull)
            range.centreIsNull = true;
        else if (theta - range.bounds.back() > kSameNull)
            range.bounds.push_back(theta);
    }
    range.bounds.push_back(kHalfPi);
    return range;
}

// The highest point of F on [a, b]: the best of a few samples, then a
// golden-section search between that sample's neighbours.
Peak lobePeak(const ScaledPattern &F, double a, double b)
{
    const double step = (b - a) / (kLobeSamples + 1);
    int best = 0;
    double bestValue = -1.0;
    for (int i = 0; i <= kLobeSamples + 1; ++i) {
        const double value = F(a + i * step);
        if (value > bestValue) {
            bestValue = value;
            best = i;
        }
    }
    double lo = a + std::max(best - 1, 0) * step;
    double hi = std::min(a + (best + 1) * step, b);
    const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
    double x1 = hi - ratio * (hi - lo);
    double x2 = lo + ratio * (hi - lo);
    double f1 = F(x1);
    double f2 = F(x2);
    while (hi - lo > kPeakTolerance) {
        if (f1 < f2) {
            lo = x1;
            x1 = x2;
            f1 = f2;
            x2 = lo + ratio * (hi - lo);
            f2 = F(x2);
        } else {
            hi = x2;
            x2 = x1;
            f2 = f1;
            x1 = hi - ratio * (hi - lo);
            f1 = F(x1);
        }
    }
    Peak peak{a + best * step, bestValue};
    for (const Peak candidate : {Peak{x1, f1}, Peak{x2, f2}})
        if (candidate.value > peak.value)
            peak = candidate;
    return peak;
}

// The angle in [below, above] where F crosses level, by bisection; F(below)
// lies under the level and F(above) over it, or the other way round.
double crossing(const ScaledPattern &F, double level, double below, double above)
{
    while (std::fabs(above - below) > kCrossingTolerance) {
        const double mid = below + (above - below) / 2;
        (F(mid) < level ? below : above) = mid;
    }
    return below + (above - below) / 2;
}

// ∫ F² sin θ dθ over [a, b] by adaptive 15-point Gauss–Kronrod quadrature,
// halving an interval until the Kronrod and the embedded Gauss sums agree
// within tolerance (absolute, per radian of the interval). The budget of
// halvings keeps a pattern that rounding has made rough from halving for
// ever; a smooth pattern needs a small part of it.
double integrate(const ScaledPattern &F, double a, double b, double tolerance, int &budget)
{
    static constexpr double xk[8] = {0.991455371120812639206854697526329, 0.949107912342758524526189684047851,
                                     0.864864423359769072789712788640926, 0.741531185599394439863864773280788,
                                     0.586087235467691130294144845693013, 0.405845151377397166906606412076961,
                                     0.207784955007898467600689403773245, 0.0};
    static constexpr double wk[8] = {0.022935322010529224963732008058970, 0.063092092629978553290700663189204,
                                     0.104790010322250183839876322541518, 0.140653259715525918745189590510238,
                                     0.169004726639267902826583426598550, 0.190350578064785409913256402421014,
                                     0.204432940075298892414161999234649, 0.209482141084727828012999174891714};
    // The Gauss weights of the nodes xk[1], xk[3], xk[5] and xk[7].
    static constexpr double wg[4] = {0.129484966168869693270611432679082, 0.279705391489276667901467771423780,
                                     0.381830050505118944950369775488975, 0.417959183673469387755102040816327};
    const double centre = (a + b) / 2;
    const double half = (b - a) / 2;
    const auto f = [&](double theta) {
        const double value = F(theta);
        return value * value * std::sin(theta);
    };
    double kronrod = 0.0;
    double gauss = 0.0;
    for (int i = 0; i < 8; ++i) {
        const double sum = i == 7 ? f(centre) : f(centre - half * xk[i]) + f(centre + half * xk[i]);
        kronrod += wk[i] * sum;
        if (i % 2 == 1)
            gauss += wg[i / 2] * sum;
    }
    kronrod *= half;
    gauss *= half;
    if (std::fabs(kronrod - gauss) <= tolerance * (b - a) || budget <= 0)
        return kronrod;
    --budget;
    return integrate(F, a, centre, tolerance, budget) + integrate(F, centre, b, tolerance, budget);
}

// |M|, once it is known to be a length the plots draw.
double measurableLength(double M)
{
    const double m = std::fabs(M);
    if (!IsComputableLength(m))
        throw std::domain_error("length out of range for the readouts");
    return m;
}

void sortWithoutRepeats(std::vector<double> &list)
{
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
}

// The nulls on the whole range: each lobe boundary inside the half range
// and its mirror, and 90° where two nulls meet there.
std::vector<double> nullDirections(const HalfRange &range)
{
    const std::vector<double> &bounds = range.bounds;
    std::vector<double> nulls;
    for (size_t i = 1; i + 1 < bounds.size(); ++i) {
        nulls.push_back(hundredthsOfDegree(bounds[i]));
        nulls.push_back(hundredthsOfDegree(kPi - bounds[i]));
    }
    if (range.centreIsNull)
        nulls.push_back(90.0);
    sortWithoutRepeats(nulls);
    return nulls;
}

// The directions of the maximum and the side-lobe level from the lobes'
// peaks (peakMax the highest of them); returns the main lobe (of the lobes
// that reach the maximum, the one nearest 90°) and the largest other peak
// above the side-lobe floor.
struct SortedPeaks
{
    size_t mainLobe = 0;
    Peak side{0.0, 0.0};
};

SortedPeaks sortPeaks(const std::vector<Peak> &peaks, double peakMax, PatternReadouts &r)
{
    SortedPeaks sorted;
    for (size_t i = 0; i < peaks.size(); ++i) {
        const Peak &p = peaks[i];
        if (p.value >= peakMax * (1.0 - kSameMaximum)) {
            r.maxDirectionsDeg.push_back(hundredthsOfDegree(p.theta));
            r.maxDirectionsDeg.push_back(hundredthsOfDegree(kPi - p.theta));
            sorted.mainLobe = i; // the peaks ascend towards 90°: the last is the nearest
        } else if (p.value >= kSideLobeFloor * peakMax) {
            sorted.side = p.value > sorted.side.value ? p : sorted.side;
        }
    }
    sortWithoutRepeats(r.maxDirectionsDeg);
    if (sorted.side.value > 0.0)
        r.sideLobeLevelDb = 20.0 * std::log10(sorted.side.value / peakMax);
    return sorted;
}

// The largest side lobe rivals the main one when it comes within 1 dB.
void addRivalLobe(const Peak &side, PatternReadouts &r)
{
    if (r.sideLobeLevelDb && *r.sideLobeLevelDb >= -kRivalLobeDb) {
        r.rivalLobeDeg = hundredthsOfDegree(side.theta);
        r.rivalLobeLevelDb = r.sideLobeLevelDb;
    }
}

// Where F crosses level on the main lobe's flanks: its lower flank ends at
// the null below it; its upper flank at the null above it, which for a lobe
// that reaches 90° (broadside) is the mirror of the null below.
struct Flanks
{
    double lower;
    double upper;
};

Flanks mainLobeFlanks(const ScaledPattern &F, double level, const HalfRange &range, const Peak &main, size_t lobe)
{
    const std::vector<double> &bounds = range.bounds;
    const double lower = crossing(F, level, bounds[lobe], main.theta);
    const bool broadside = lobe + 2 == bounds.size() && !range.centreIsNull;
    return {lower, broadside ? kPi - lower : crossing(F, level, bounds[lobe + 1], main.theta)};
}

// The main lobe's half-power crossings and its width at 0.7 of the maximum.
void findMainLobeWidths(const ScaledPattern &F, const HalfRange &range, const Peak &main, size_t lobe, double peakMax,
                        PatternReadouts &r)
{
    const Flanks halfPower = mainLobeFlanks(F, peakMax / std::sqrt(2.0), range, main, lobe);
    r.halfPowerLowerDeg = halfPower.lower * kDegreesPerRadian;
    r.halfPowerUpperDeg = halfPower.upper * kDegreesPerRadian;
    r.halfPowerWidthDeg = (halfPower.upper - halfPower.lower) * kDegreesPerRadian;
    const Flanks at07 = mainLobeFlanks(F, 0.7 * peakMax, range, main, lobe);
    r.width07Deg = (at07.upper - at07.lower) * kDegreesPerRadian;
}

// ∫₀^π F² sin θ dθ, scaled: F² sin θ is symmetric about 90°, so twice the
// half range, lobe by lobe.
double scaledPowerIntegral(const ScaledPattern &F, const std::vector<double> &bounds, double peakMax)
{
    const double tolerance = 1e-11 * peakMax * peakMax;
    double integral = 0.0;
    int budget = kHalvingBudget;
    for (size_t i = 0; i + 1 < bounds.size(); ++i)
        integral += integrate(F, bounds[i], bounds[i + 1], tolerance, budget);
    return 2.0 * integral;
}

// Directivity and resistances from the scaled integral. The scaling is by
// a power of two, so unscaling is exact; the input resistance R_r / sin²(πM)
// is formed from scaled factors, which stay in range where R_r alone would
// underflow, and in extended precision only where the scaled sin²(πM) is
// beyond the range of a double (|M| below 1e-154).
void findPowerFigures(const ScaledPattern &F, double m, double peakMax, double integral, PatternReadouts &r)
{
    r.directivity = 2.0 * peakMax * peakMax / integral;
    r.directivityDbi = 10.0 * std::log10(*r.directivity);
    const double resistance = kFreeSpaceImpedance / (2.0 * kPi) * integral;
    r.radiationResistance = static_cast<double>(F.unscaled(resistance, 2));
    if (FeedAtCurrentNode(m))
        return;
    const long double feed = F.scaledFeedSine();
    const long double feedSquared = feed * feed;
    r.inputResistance = feedSquared <= std::numeric_limits<double>::max()
                            ? resistance / static_cast<double>(feedSquared)
                            : static_cast<double>(resistance / feedSquared);
}

} // namespace

PatternReadouts ComputePatternReadouts(double M)
{
    const double m = measurableLength(M);
    PatternReadouts r;
    r.length = M;
    r.bracketDeg = BeamWidthBracketDegrees(M);
    if (m == 0.0) {
        r.zeroPattern = true;
        return r;
    }

    const ScaledPattern F(m);
    const HalfRange range = halfRange(m);
    std::vector<Peak> peaks;
    for (size_t i = 0; i + 1 < range.bounds.size(); ++i)
        peaks.push_back(lobePeak(F, range.bounds[i], range.bounds[i + 1]));
    double peakMax = 0.0;
    for (const Peak &p : peaks)
        peakMax = std::max(peakMax, p.value);
    r.fMax = static_cast<double>(F.unscaled(peakMax, 1));

    r.nullsDeg = nullDirections(range);
    const SortedPeaks sorted = sortPeaks(peaks, peakMax, r);
    findMainLobeWidths(F, range, peaks[sorted.mainLobe], sorted.mainLobe, peakMax, r);
    addRivalLobe(sorted.side, r);
    findPowerFigures(F, m, peakMax, scaledPowerIntegral(F, range.bounds, peakMax), r);
    return r;
}
