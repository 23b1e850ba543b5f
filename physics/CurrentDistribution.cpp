#include "CurrentDistribution.h"

#include "InducedEmf.h"

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
    current.samples.reserve(static_cast<size_t>(sampleCount));
    for (int i = 0; i < sampleCount; ++i) {
        const double z = -m / 2.0 + m * i / (sampleCount - 1);
        current.samples.push_back({z, SinusoidalCurrent(m, z) / peak});
    }
    return current;
}
