#include "CurrentDistribution.h"

#include "InducedEmf.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr double kPi = 3.14159265358979323846;

// The largest |I| / I_m on a wire of length m ≥ 0.
double wireMaximum(double m)
{
    return m >= 0.5 ? 1.0 : std::sin(kPi * m);
}

} // namespace

double SinusoidalCurrent(double M, double z)
{
    const double half = std::fabs(M) / 2.0;
    const double distance = half - std::fabs(z);
    return distance < 0.0 ? 0.0 : std::fabs(std::sin(2.0 * kPi * distance));
}

int FeedCurrentSign(double M)
{
    // sin(πM) is positive for 0 < M < 1, negative up to 2, and so on; at a
    // node the sign beside the feed is the one just below the whole number.
    const double m = FeedAtCurrentNode(M) ? std::round(std::fabs(M)) : std::fabs(M);
    const double below = std::max(std::ceil(m) - 1.0, 0.0);
    return std::fmod(below, 2.0) == 0.0 ? 1 : -1;
}

std::optional<double> FeedToMaximumCurrent(double M)
{
    const double m = std::fabs(M);
    if (m == 0.0)
        return std::nullopt;
    // A wire shorter than half a wave has its largest current at the feed.
    if (m < 0.5)
        return 1.0;
    return std::sqrt(FeedCurrentSquared(m)) / wireMaximum(m);
}

CurrentDistribution ComputeCurrentDistribution(double M, int sampleCount)
{
    const double m = std::fabs(M);
    if (!IsComputableLength(m) || sampleCount < 2)
        throw std::domain_error("length or sample count out of range for the current");
    CurrentDistribution current;
    current.length = m;
    current.feedToMaximum = FeedToMaximumCurrent(m);
    const double peak = m > 0.0 ? wireMaximum(m) : 1.0;
    const double sign = FeedCurrentSign(m);
    current.samples.reserve(static_cast<size_t>(sampleCount));
    for (int i = 0; i < sampleCount; ++i) {
        const double z = -m / 2.0 + m * i / (sampleCount - 1);
        const double half = m / 2.0 - std::fabs(z);
        const double signedValue = half < 0.0 ? 0.0 : sign * std::sin(2.0 * kPi * half) / peak;
        current.samples.push_back({z, std::fabs(signedValue), signedValue});
    }
    return current;
}
