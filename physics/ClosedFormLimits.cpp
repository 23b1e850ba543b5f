#include "ClosedFormLimits.h"

#include "DipoleRules.h"
#include "InducedEmf.h"
#include "PatternReadouts.h"

#include <algorithm>
#include <cmath>

// Near a full wave a real wire behaves as a lossy open line: its input
// resistance peaks at about Z_c²/R_m, Z_c the wire's line impedance, where
// the closed form's R_m/sin²(πM) passes every bound. The band is where the
// closed form exceeds that peak, |sin(πM)| < R_m/Z_c, with
//   Z_c = Z₀/π · (ln(1/A) − 2.4),
// and never wider than 0.3 λ either side of the full wave: nearer the half
// waves a thick wire's closed form is off by a third in R, but as a thick
// wire's, not for the node at the feed. The constant is read from nec2c:
// with the deck (M, A, S segments, S odd, about 100 per wavelength)
//   GW 1 S 0 0 -M/2 0 0 M/2 A / GE 0 / EX 0 1 (S+1)/2 0 1 0 /
//   FR 0 1 0 0 299.8 0 / XQ / EN          (nec2c -i deck -o out)
// run every 0.01 λ (0.004 λ for A ≤ 1e-4) within 0.2 λ (0.1 λ) of n, the
// largest input resistance found, and the lengths where the closed form's
// input resistance exceeds it:
//   A = 1e-6  n = 1: 10599 Ω at 0.972, 0.9553..1.0423
//             n = 2:  8369 Ω at 1.968, 1.9425..2.0542
//             n = 3:  7475 Ω at 2.968, 2.9351..3.0612
//   A = 1e-4  n = 1:  4059 Ω at 0.94,  0.9267..1.0671
//             n = 2:  3263 Ω at 1.936, 1.9069..2.0850
//             n = 3:  2945 Ω at 2.932, 2.8957..3.0952
//   A = 1e-3  n = 1:  1923 Ω at 0.89,  0.8921..1.0953
//             n = 2:  1577 Ω at 1.88,  1.8649..2.1190
//             n = 3:  1439 Ω at 2.88,  2.8499..3.1324
//             n = 6:  1262 Ω at 5.88,  5.8259..6.1543  (0.02 λ steps)
//   A = 1e-2  n = 1:   530 Ω at 0.80,  0.7906..1.1695
//             n = 2:   436 Ω at 1.80,  1.7435..2.2094
//             n = 3:   402 Ω at 2.80,  2.7199..3.2309
// The Z_c that puts both edges in the band, R_m/|sin(πM)| at the edges, is
// Z₀/π·(ln(1/A) − c) with c from 1.92 (A = 1e-6, n = 3) to 2.38 (A = 1e-2,
// n = 3); 2.4 covers them all, and widens the thinnest wire's band by 3 %.
// At A = 1e-3 the band is 0.872..1.099 and holds 1.062, the zero of the
// closed form's reactance past the first full wave, where nec2c gives
// 476 − j942 Ω against the closed form's 4797 + j4 Ω.
//
// A thick wire: the closed form's input reactance against nec2c's for short
// wires, L/A radii long (extended thin-wire kernel, EK, segments two radii
// long or more, at most 21), the same at A = 1e-4, 1e-3 and 1e-2:
//   L/A =  6: off by 88 %     10: 42 %     15: 21 %     20: 12 %
//         25: 7 %             30: 1 %      40 and more: 2 % or less
// (A = 1e-2, L = 0.06: closed form −59 Ω, nec2c −500 Ω; at L/A below
// about 5.5 the closed form turns inductive). nec2c itself is settled there
// only to a few percent (L/A = 30, A = 1e-3: −2299 Ω with 11 segments,
// −2197 Ω with 15; the closed form −2166 Ω). Its first resonance likewise:
// A = 0.02, 0.03, 0.04, 0.05 give 0.445, 0.425, 0.395 and none below
// 1.41 λ, where nec2c gives 0.450, 0.452, 0.458 and 0.448 (11, 7, 5 and 3
// segments, scanned every 0.01 λ). Below 20 radii the closed form is off by
// more than a tenth, and that is the limit.

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kLineLogOffset = 2.4;
constexpr double kMaxBandReach = 0.3;
constexpr int kEdgeIterations = 60;

// |sin(πM)| − R_m/Z_c: below zero inside a band.
double bandMeasure(double m, double radius)
{
    const double lineImpedance = kFreeSpaceImpedance / kPi * (-std::log(radius) - kLineLogOffset);
    const double rm = InducedEmfImpedance(m, radius).atCurrentMaximum.resistance;
    return std::sqrt(FeedCurrentSquared(m)) - rm / lineImpedance;
}

// The band's edge between the full wave n (inside) and `limit`, the band's
// widest reach: limit itself when the band reaches it.
double bandEdge(int n, double limit, double radius)
{
    if (bandMeasure(limit, radius) < 0.0)
        return limit;
    double inside = n;
    double outside = limit;
    for (int i = 0; i < kEdgeIterations; ++i) {
        const double middle = 0.5 * (inside + outside);
        (bandMeasure(middle, radius) < 0.0 ? inside : outside) = middle;
    }
    return 0.5 * (inside + outside);
}

// The band about the full wave n, within the lengths the closed form takes.
LengthSpan bandAbout(int n, double radius)
{
    const double reach = std::min(n + kMaxBandReach, static_cast<double>(kLengthLimit));
    return {bandEdge(n, n - kMaxBandReach, radius), bandEdge(n, reach, radius)};
}

// The nearest whole wavelength to m ≥ 0.5.
int nearestWave(double m)
{
    return static_cast<int>(std::floor(m + 0.5));
}

} // namespace

bool ThickForClosedForm(double M, double radius)
{
    return std::fabs(M) < kMinLengthToRadius * radius;
}

std::optional<LengthSpan> FullWaveBand(double M, double radius)
{
    const double m = std::fabs(M);
    if (!(m >= 0.5))
        return std::nullopt;
    const int n = nearestWave(m);
    if (std::fabs(m - n) > kMaxBandReach || !(bandMeasure(m, radius) < 0.0))
        return std::nullopt;
    return bandAbout(n, radius);
}

bool ResonanceBeyondClosedForm(double resonantLength, double radius)
{
    return ThickForClosedForm(std::min(resonantLength, 0.5), radius)
           || FullWaveBand(resonantLength, radius).has_value();
}

std::vector<LengthSpan> ClosedFormLimitSpans(double radius, double from, double to)
{
    std::vector<LengthSpan> spans;
    if (!(from > 0.0 && from <= to))
        return spans;
    if (ThickForClosedForm(from, radius))
        spans.push_back({from, std::min(to, kMinLengthToRadius * radius)});
    for (int n = std::max(1, nearestWave(from)); n <= nearestWave(to); ++n) {
        const LengthSpan band = bandAbout(n, radius);
        const LengthSpan clipped{std::max(band.from, from), std::min(band.to, to)};
        if (clipped.from > clipped.to)
            continue;
        // Bands that meet (a thick wire's) and the thick span joined.
        if (!spans.empty() && clipped.from <= spans.back().to)
            spans.back().to = std::max(spans.back().to, clipped.to);
        else
            spans.push_back(clipped);
    }
    return spans;
}
