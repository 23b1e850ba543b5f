#include "GroundReadouts.h"

#include "Lobes.h"
#include "PatternFunction.h"
#include "PatternReadouts.h"
#include "Quadrature.h"
#include "RootFinding.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>
#include <vector>

// Accuracy of the directivity: the power integral is a nested adaptive
// Gauss–Kronrod quadrature (Quadrature.h), the inner one over elevation to
// 1e-10 relative and the outer one over azimuth to 1e-9, so the integral is
// good to far better than the 2.3e-3 relative that 0.01 dB allows; GSL
// refuses with an error rather than return a result short of it. The
// maximum is found to 1e-9 rad in each angle, where the pattern is flat to
// second order, so it adds an error of order 1e-18.

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;
constexpr int kSamples = 9000; // every 0.01°
constexpr double kStep = kPi / 2.0 / kSamples;
constexpr double kAngleTolerance = 1e-9;

// The maximum near a sample, by golden-section search between its two
// neighbours, clamped to [0, π/2]; the sample itself where the search finds
// nothing higher (a maximum at the horizon or the zenith stays exact).
double refineMaximum(const std::function<double(double)> &p, int index)
{
    double a = std::max(0.0, (index - 1) * kStep);
    double b = std::min(kPi / 2.0, (index + 1) * kStep);
    const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
    while (b - a > kAngleTolerance) {
        const double c = b - ratio * (b - a);
        const double d = a + ratio * (b - a);
        if (p(c) >= p(d))
            b = d;
        else
            a = c;
    }
    const double x = (a + b) / 2.0;
    return p(index * kStep) >= p(x) ? index * kStep : x;
}

// The elevation where the pattern crosses level, walking from sample index
// by step (±1); the end of the range where it stays above level.
double halfPowerCrossing(const std::function<double(double)> &p, double level, int index, int step)
{
    for (int i = index + step; i >= 0 && i <= kSamples; i += step) {
        if (p(i * kStep) < level) {
            const double a = (i - step) * kStep; // still at or above the level
            return FindRoot([&](double el) { return p(el) - level; }, std::min(a, i * kStep), std::max(a, i * kStep),
                            kAngleTolerance, 0.0);
        }
    }
    return step > 0 ? kPi / 2.0 : 0.0;
}

// The largest of p(el, az) over the quarter 0 ≤ el, az ≤ π/2, from a grid
// fine enough to put eight points in every lobe (the array factor's lobes
// repeat every 1/(2h) in sin el, the element's every 1/M or so in cos ψ;
// 1° at most), by a compass search that halves its step down to the angle
// tolerance from the grid's best point.
double maximumOverQuarter(const std::function<double(double, double)> &p, double M, double h)
{
    const int nEl = std::max(90, static_cast<int>(std::ceil(kPi / 2.0 * 16.0 * h)));
    const int nAz = std::max(90, static_cast<int>(std::ceil(kPi / 2.0 * 8.0 * std::fabs(M))));
    double bestEl = 0.0;
    double bestAz = 0.0;
    double best = -1.0;
    for (int i = 0; i <= nEl; ++i)
        for (int j = 0; j <= nAz; ++j) {
            const double el = kPi / 2.0 * i / nEl;
            const double az = kPi / 2.0 * j / nAz;
            if (p(el, az) > best) {
                best = p(el, az);
                bestEl = el;
                bestAz = az;
            }
        }
    for (double step = kPi / 2.0 / std::min(nEl, nAz); step > kAngleTolerance; step /= 2.0) {
        for (bool moved = true; moved;) {
            moved = false;
            for (const auto &[dEl, dAz] : {std::pair{step, 0.0}, {-step, 0.0}, {0.0, step}, {0.0, -step}}) {
                const double el = std::clamp(bestEl + dEl, 0.0, kPi / 2.0);
                const double az = std::clamp(bestAz + dAz, 0.0, kPi / 2.0);
                if (p(el, az) > best) {
                    best = p(el, az);
                    bestEl = el;
                    bestAz = az;
                    moved = true;
                }
            }
        }
    }
    return best;
}

// The pattern is even in the azimuth and in π minus it (F(ψ) = F(π − ψ)),
// so the upper half space is four times the quarter 0 ≤ az ≤ π/2:
// D = 4π·P_max / (4·∫∫ P cos el d el d az).
double horizontalDirectivity(double M, double h)
{
    const auto power = [&](double el, double az) {
        const double f = GroundPattern(M, h, GroundOrientation::Horizontal, el, az);
        return f * f;
    };
    const double integral = Integrate(
        [&](double az) {
            return Integrate([&](double el) { return power(el, az) * std::cos(el); }, 0.0, kPi / 2.0, 1e-300, 1e-10);
        },
        0.0, kPi / 2.0, 1e-300, 1e-9);
    return kPi * maximumOverQuarter(power, M, h) / integral;
}

// A pattern the same in every azimuth: D = 4π·P_max / (2π·∫ P cos el d el).
double roundDirectivity(const std::function<double(double)> &pattern, double peak)
{
    const double integral = Integrate(
        [&](double el) {
            const double f = pattern(el);
            return f * f * std::cos(el);
        },
        0.0, kPi / 2.0, 1e-300, 1e-10);
    return 2.0 * peak * peak / integral;
}

ElevationReadouts inDegrees(double maxEl, double lower, double upper)
{
    ElevationReadouts r;
    r.maxElevationDeg = maxEl / kDeg;
    r.halfPowerLowerDeg = lower / kDeg;
    r.halfPowerUpperDeg = upper / kDeg;
    return r;
}

// The samples' other lobes within kRivalLobeDb of peak, the level at the
// refined maximum near samples[best]: a lobe is a sample at least as high as
// its neighbours beyond a dip below the half-power level. Sets the highest
// in r.
void findRivalLobe(const std::function<double(double)> &pattern, const std::vector<double> &samples, int best,
                   double peak, ElevationReadouts &r)
{
    const double dip = peak / std::sqrt(2.0);
    const double floor = peak * std::pow(10.0, -kRivalLobeDb / 20.0);
    const auto sample = [&](int i) { return i < 0 || i > kSamples ? 0.0 : samples[size_t(i)]; };
    for (const int direction : {-1, 1}) {
        bool parted = false;
        for (int i = best + direction; i >= 0 && i <= kSamples; i += direction) {
            parted = parted || samples[size_t(i)] < dip;
            const double s = samples[size_t(i)];
            if (!parted || s < floor || s < sample(i - 1) || s < sample(i + 1))
                continue;
            const double el = refineMaximum(pattern, i);
            const double levelDb = std::min(0.0, 20.0 * std::log10(pattern(el) / peak));
            if (!r.rivalLevelDb || levelDb > *r.rivalLevelDb) {
                r.rivalElevationDeg = el / kDeg;
                r.rivalLevelDb = levelDb;
            }
        }
    }
}

} // namespace

std::optional<ElevationReadouts> ComputeElevationReadouts(const std::function<double(double)> &pattern)
{
    std::vector<double> samples(size_t(kSamples) + 1);
    int best = 0;
    for (int i = 0; i <= kSamples; ++i) {
        samples[size_t(i)] = pattern(i * kStep);
        if (samples[size_t(i)] > samples[size_t(best)])
            best = i;
    }
    if (!(samples[size_t(best)] > 0.0))
        return std::nullopt;
    const double peakEl = refineMaximum(pattern, best);
    const double peak = pattern(peakEl);
    const double level = peak / std::sqrt(2.0);
    ElevationReadouts r =
        inDegrees(peakEl, halfPowerCrossing(pattern, level, best, -1), halfPowerCrossing(pattern, level, best, 1));
    findRivalLobe(pattern, samples, best, peak, r);
    return r;
}

GroundReadouts ComputeGroundReadouts(double M, double h, double radius, GroundOrientation orientation)
{
    CheckHeight(M, radius, h, orientation);
    GroundReadouts r;
    if (orientation == GroundOrientation::Vertical) {
        const auto cut = [&](double el) { return VerticalPattern(M, h, el); };
        r.cut = ComputeElevationReadouts(cut);
        r.directivity = roundDirectivity(cut, cut(r.cut->maxElevationDeg * kDeg));
    } else {
        r.cut = ComputeElevationReadouts([&](double el) { return HorizontalAcrossPattern(M, h, el); });
        r.alongCut = ComputeElevationReadouts([&](double el) { return HorizontalAlongPattern(M, h, el); });
        r.directivity = horizontalDirectivity(M, h);
    }
    r.directivityDbi = 10.0 * std::log10(r.directivity);
    return r;
}

GroundReadouts ComputeMonopoleReadouts(double M)
{
    const PatternReadouts free = ComputePatternReadouts(M);
    if (!free.directivity)
        throw std::domain_error("a monopole of no length radiates nothing");
    GroundReadouts r;
    r.cut = ComputeElevationReadouts([&](double el) { return MonopolePattern(M, el); });
    r.directivity = 2.0 * *free.directivity;
    r.directivityDbi = 10.0 * std::log10(r.directivity);
    return r;
}
