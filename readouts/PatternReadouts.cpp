#include "PatternReadouts.h"

#include "Lobes.h"

#include "plot/PatternFunction.h"
#include "plot/PlotCommands.h"
#include "plot/RectangularPlot.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

// How the numbers are found. F vanishes exactly where
//     cos(πM·cos θ) = cos(πM),  i.e.  cos θ = ±(1 − 2k/|M|),  θ = 2·asin(√(k/|M|))
// and its mirror 180° − θ, for k = 1, 2, … below |M|. These nulls cut the
// half range [0, 90°] into lobes, each one hump of F, and F is symmetric
// about 90°. So every search runs lobe by lobe on the half range: a lobe is
// never missed because it is narrower than a sampling step, however close
// two nulls lie (M just below an integer leaves a tiny lobe between them).

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kHalfPi = kPi / 2;
constexpr double kDegreesPerRadian = 180.0 / kPi;

// Nulls closer than this (radians) are one double null: an integer M puts
// two of the closed-form nulls on the same direction.
constexpr double kSameNull = 1e-12;
// Searches stop when their interval is this narrow (radians). A peak's
// direction is then known far beyond 0.01° and its value to about 1e-12
// relative (even the narrowest lobe of M = 30 is 0.03 radians wide and F is
// flat to second order at its peak); a crossing lies within 1e-8 degrees.
constexpr double kPeakTolerance = 1e-8;
constexpr double kCrossingTolerance = 1e-10;
// Peaks within this fraction of f_max are directions of the maximum.
constexpr double kSameMaximum = 1e-9;
// Peaks below this fraction of f_max are not side lobes.
constexpr double kSideLobeFloor = 1e-6;
// Below this, sin²(πM) puts the feed at a current null.
constexpr double kFeedAtNull = 1e-9;
// Each lobe is sampled at this many interior points before its peak is
// refined, so that a lobe with a shoulder still yields its highest point.
constexpr int kLobeSamples = 8;
// Interval halvings the integral may spend in all.
constexpr int kHalvingBudget = 4000;

struct Peak
{
    double theta; // radians, in [0, π/2]
    double value;
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
    std::vector<double> nulls;
    for (int k = 1; k < m; ++k) {
        const double theta = 2.0 * std::asin(std::sqrt(k / m));
        nulls.push_back(theta <= kHalfPi ? theta : kPi - theta);
    }
    std::sort(nulls.begin(), nulls.end());
    HalfRange range;
    range.bounds.push_back(0.0);
    for (const double theta : nulls) {
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
Peak lobePeak(double M, double a, double b)
{
    const double step = (b - a) / (kLobeSamples + 1);
    int best = 0;
    double bestValue = -1.0;
    for (int i = 0; i <= kLobeSamples + 1; ++i) {
        const double value = PatternValue(M, a + i * step);
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
    double f1 = PatternValue(M, x1);
    double f2 = PatternValue(M, x2);
    while (hi - lo > kPeakTolerance) {
        if (f1 < f2) {
            lo = x1;
            x1 = x2;
            f1 = f2;
            x2 = lo + ratio * (hi - lo);
            f2 = PatternValue(M, x2);
        } else {
            hi = x2;
            x2 = x1;
            f2 = f1;
            x1 = hi - ratio * (hi - lo);
            f1 = PatternValue(M, x1);
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
double crossing(double M, double level, double below, double above)
{
    while (std::fabs(above - below) > kCrossingTolerance) {
        const double mid = below + (above - below) / 2;
        (PatternValue(M, mid) < level ? below : above) = mid;
    }
    return below + (above - below) / 2;
}

// Where F crosses level on the flanks of the main lobe, bounds[lobe] to
// bounds[lobe + 1]: its lower flank ends at the null below it; its upper
// flank at the null above it, which for a lobe that reaches 90° (broadside)
// is the mirror of the null below.
struct Flanks
{
    double lower;
    double upper;
};

Flanks mainLobeFlanks(double M, double level, const std::vector<double> &bounds, size_t lobe, const Peak &main,
                      bool broadside)
{
    const double lower = crossing(M, level, bounds[lobe], main.theta);
    return {lower, broadside ? kPi - lower : crossing(M, level, bounds[lobe + 1], main.theta)};
}

// The largest side lobe rivals the main one when it comes within 1 dB.
void addRivalLobe(const Peak &side, PatternReadouts &r)
{
    if (r.sideLobeLevelDb && *r.sideLobeLevelDb >= -kRivalLobeDb) {
        r.rivalLobeDeg = hundredthsOfDegree(side.theta);
        r.rivalLobeLevelDb = r.sideLobeLevelDb;
    }
}

// ∫ F² sin θ dθ over [a, b] by adaptive 15-point Gauss–Kronrod quadrature,
// halving an interval until the Kronrod and the embedded Gauss sums agree
// within tolerance (absolute, per radian of the interval). The budget of
// halvings keeps a pattern lost in rounding noise (M of 1e-9, say) from
// halving for ever; a smooth pattern needs a small part of it.
double integrate(double M, double a, double b, double tolerance, int &budget)
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
        const double F = PatternValue(M, theta);
        return F * F * std::sin(theta);
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
    return integrate(M, a, centre, tolerance, budget) + integrate(M, centre, b, tolerance, budget);
}

} // namespace

PatternReadouts ComputePatternReadouts(double M)
{
    // The callers refuse typed lengths of 30 or more; one typed just below
    // may still round to 30 itself as a double, and is measured like the
    // plots draw it.
    const double m = std::fabs(M);
    if (!(m <= static_cast<double>(kLengthLimit)))
        throw std::domain_error("length out of range for the readouts");

    PatternReadouts r;
    r.length = M;
    r.bracketDeg = BeamWidthBracketDegrees(M);
    const long double feed = ExtendedSin(kExtendedPi * static_cast<long double>(m));
    const double feedSquared = static_cast<double>(feed * feed);

    const HalfRange range = halfRange(m);
    const std::vector<double> &bounds = range.bounds;
    std::vector<Peak> peaks;
    for (size_t i = 0; i + 1 < bounds.size(); ++i)
        peaks.push_back(lobePeak(M, bounds[i], bounds[i + 1]));
    for (const Peak &p : peaks)
        r.fMax = std::max(r.fMax, p.value);
    if (r.fMax == 0.0) {
        r.zeroPattern = true;
        return r;
    }

    for (size_t i = 1; i + 1 < bounds.size(); ++i) {
        r.nullsDeg.push_back(hundredthsOfDegree(bounds[i]));
        r.nullsDeg.push_back(hundredthsOfDegree(kPi - bounds[i]));
    }
    if (range.centreIsNull)
        r.nullsDeg.push_back(90.0);

    // Directions of the maximum, and the largest other peak.
    const Peak *main = nullptr;
    Peak side{0.0, 0.0};
    for (const Peak &p : peaks) {
        if (p.value >= r.fMax * (1.0 - kSameMaximum)) {
            r.maxDirectionsDeg.push_back(hundredthsOfDegree(p.theta));
            r.maxDirectionsDeg.push_back(hundredthsOfDegree(kPi - p.theta));
            main = &p; // the peaks ascend towards 90°: the last is the nearest
        } else if (p.value >= kSideLobeFloor * r.fMax) {
            side = p.value > side.value ? p : side;
        }
    }
    if (side.value > 0.0)
        r.sideLobeLevelDb = 20.0 * std::log10(side.value / r.fMax);
    for (std::vector<double> *list : {&r.maxDirectionsDeg, &r.nullsDeg}) {
        std::sort(list->begin(), list->end());
        list->erase(std::unique(list->begin(), list->end()), list->end());
    }

    // The main lobe's half-power crossings and its points at 0.7 of f_max.
    const size_t lobe = static_cast<size_t>(main - peaks.data());
    const bool broadside = lobe + 2 == bounds.size() && !range.centreIsNull;
    const Flanks halfPower = mainLobeFlanks(M, r.fMax / std::sqrt(2.0), bounds, lobe, *main, broadside);
    r.halfPowerLowerDeg = halfPower.lower * kDegreesPerRadian;
    r.halfPowerUpperDeg = halfPower.upper * kDegreesPerRadian;
    r.halfPowerWidthDeg = (halfPower.upper - halfPower.lower) * kDegreesPerRadian;
    const Flanks at07 = mainLobeFlanks(M, 0.7 * r.fMax, bounds, lobe, *main, broadside);
    r.width07Deg = (at07.upper - at07.lower) * kDegreesPerRadian;
    addRivalLobe(side, r);

    // F² sin θ is symmetric about 90°: twice the half range, lobe by lobe.
    const double tolerance = 1e-11 * r.fMax * r.fMax;
    double integral = 0.0;
    int budget = kHalvingBudget;
    for (size_t i = 0; i + 1 < bounds.size(); ++i)
        integral += integrate(M, bounds[i], bounds[i + 1], tolerance, budget);
    integral *= 2.0;

    r.directivity = 2.0 * r.fMax * r.fMax / integral;
    r.directivityDbi = 10.0 * std::log10(*r.directivity);
    r.radiationResistance = kFreeSpaceImpedance / (2.0 * kPi) * integral;
    if (feedSquared >= kFeedAtNull)
        r.inputResistance = r.radiationResistance / feedSquared;
    return r;
}
