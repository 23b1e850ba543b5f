#include "Resonance.h"

#include "InducedEmf.h"
#include "RootFinding.h"

#include <cmath>
#include <functional>
#include <stdexcept>

namespace {

// The scan brackets a zero between lengths this far apart: fine enough that
// the rising and the falling zero of a thick wire, which close in on each
// other as the radius grows, are told apart until they nearly meet.
constexpr double kScanStep = 1e-3;
constexpr double kTolerance = 1e-12;

// X_in = X_m / sin²(πM) has the sign and the zeros of X_m, which unlike X_in
// is finite at the current nodes too.
double reactanceAtMaximum(double M, void *radius)
{
    return InducedEmfImpedance(M, *static_cast<double *>(radius)).atCurrentMaximum.reactance;
}

// Brent's method on [lo, hi], where the reactance changes sign.
double refine(double lo, double hi, double radius)
{
    return FindRoot([radius](double M) { return InducedEmfImpedance(M, radius).atCurrentMaximum.reactance; }, lo, hi,
                    kTolerance, 0.0);
}

// Scans [from, to] in steps of kScanStep (and the end points), hands every
// zero found to found, and stops when found returns false. A zero of X_m at
// a current node is none of X_in, which is infinite there.
void scanZeros(double radius, double from, double to, const std::function<bool(const ReactanceZero &)> &found)
{
    double previousM = from;
    double previous = reactanceAtMaximum(from, &radius);
    if (previous == 0.0 && FeedCurrentSquared(from) > 0.0 && !found({from, true}))
        return;
    const long first = static_cast<long>(std::floor(from / kScanStep)) + 1;
    for (long i = first;; ++i) {
        const double M = std::min(i * kScanStep, to);
        const double x = reactanceAtMaximum(M, &radius);
        const bool rises = previous < 0.0 && x >= 0.0;
        const bool falls = previous > 0.0 && x <= 0.0;
        if (rises || falls) {
            const double zero = x == 0.0 ? M : refine(previousM, M, radius);
            if (FeedCurrentSquared(zero) > 0.0 && !found({zero, rises}))
                return;
        }
        if (M >= to)
            return;
        previousM = M;
        previous = x;
    }
}

void checkRadius(double radius)
{
    if (!IsWireRadius(radius))
        throw std::domain_error("wire radius out of range for the reactance");
}

} // namespace

std::optional<double> FirstResonantLength(double radius)
{
    checkRadius(radius);
    // The first length on the scan's grid that the radius fits.
    const double from = (std::floor(2.0 * radius / kScanStep) + 1.0) * kScanStep;
    std::optional<double> first;
    scanZeros(radius, from, static_cast<double>(kLengthLimit), [&](const ReactanceZero &zero) {
        if (zero.rising)
            first = zero.length;
        return !first;
    });
    return first;
}

std::vector<ReactanceZero> ReactanceZeros(double radius, double from, double to)
{
    checkRadius(radius);
    if (!(from > 0.0) || !WireRadiusFits(from, radius) || !(from <= to) || !IsComputableLength(to))
        throw std::domain_error("lengths out of range for the reactance");
    std::vector<ReactanceZero> zeros;
    scanZeros(radius, from, to, [&](const ReactanceZero &zero) {
        zeros.push_back(zero);
        return true;
    });
    return zeros;
}
