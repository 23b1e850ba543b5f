#include "ImpedanceCurve.h"

#include "StandingWaveRatio.h"

#include <cmath>
#include <stdexcept>

namespace {

constexpr double kDecimals = 1e12;

} // namespace

std::vector<double> SteppedLengths(double from, double to, double step)
{
    if (!std::isfinite(from) || !std::isfinite(to) || !(step > 0.0) || !std::isfinite(step) || to < from)
        throw std::domain_error("the range of lengths is not a range");
    const long double span = (static_cast<long double>(to) - from) / step;
    const long double count = std::floor(span + 1e-6L) + 1.0L;
    if (count > kMaxCurveLengths)
        throw std::domain_error("the range holds too many lengths");
    std::vector<double> lengths;
    lengths.reserve(static_cast<size_t>(count));
    for (long i = 0; i < static_cast<long>(count); ++i) {
        const long double length = from + static_cast<long double>(i) * step;
        lengths.push_back(std::round(static_cast<double>(length * kDecimals)) / kDecimals);
    }
    return lengths;
}

std::vector<ImpedancePoint> ComputeImpedanceCurve(const std::vector<double> &lengths, double radius,
                                                  std::optional<double> referenceResistance)
{
    for (const double M : lengths)
        if (!IsComputableLength(M) || !WireRadiusFits(M, radius))
            throw std::domain_error("a length does not fit the wire radius");
    if (referenceResistance && !ReferenceResistanceFits(*referenceResistance))
        throw std::domain_error("reference resistance out of range");
    std::vector<ImpedancePoint> points;
    points.reserve(lengths.size());
    for (const double M : lengths) {
        const DipoleImpedance z = InducedEmfImpedance(M, radius);
        ImpedancePoint point{M, z.atFeed, z.atCurrentMaximum, std::nullopt};
        if (z.atFeed && referenceResistance)
            point.swr = StandingWaveRatio(*z.atFeed, *referenceResistance);
        points.push_back(point);
    }
    return points;
}
