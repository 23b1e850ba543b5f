#include "CurrentHalfWaves.h"

#include "DipoleRules.h"

#include <cmath>
#include <stdexcept>

namespace {

// How far from half a wave the middle stretch may be and still be called
// whole: the rounding of a length typed in decimals.
constexpr double kWholeHalfWave = 1e-9;

} // namespace

CurrentHalfWaves FindCurrentHalfWaves(double M)
{
    if (!IsComputableLength(M))
        throw std::domain_error("length out of range for the current's half-waves");
    CurrentHalfWaves result;
    result.feedAtNode = FeedAtCurrentNode(M);
    const double length = std::fabs(M);
    // The count of a length within the node rule is that of the whole number.
    const double counted = result.feedAtNode ? std::round(length) : length;
    if (counted == 0.0)
        return result;
    // Whole half-waves on each arm, counted from its end, and the middle
    // stretch of what is left (a wave at a node: two whole half-waves).
    const int whole = static_cast<int>(std::ceil(counted)) - 1;
    const double inner = length / 2.0 - whole * 0.5;
    const auto add = [&result](double from, double to, bool inPhase, bool partial) {
        result.halfWaves.push_back({from, to, inPhase, partial});
        ++(inPhase ? result.inPhase : result.opposite);
    };
    // The k-th from an end is in phase when an even number of zeros lies
    // between it and the middle.
    for (int k = 1; k <= whole; ++k)
        add(-length / 2.0 + (k - 1) * 0.5, -length / 2.0 + k * 0.5, (whole + 1 - k) % 2 == 0, false);
    if (result.feedAtNode) {
        add(-inner, 0.0, true, false);
        add(0.0, inner, true, false);
    } else {
        add(-inner, inner, true, std::fabs(2.0 * inner - 0.5) > kWholeHalfWave);
    }
    for (int k = whole; k >= 1; --k)
        add(length / 2.0 - k * 0.5, length / 2.0 - (k - 1) * 0.5, (whole + 1 - k) % 2 == 0, false);
    return result;
}
