#include "FrequencySweep.h"

#include "DipoleRules.h"
#include "PhysicalUnits.h"
#include "Reflection.h"
#include "StandingWaveRatio.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

double Swr(const FrequencyPoint &point)
{
    return point.swr.value_or(INFINITY);
}

// Where the straight line through (a, ya) and (b, yb) reaches y.
double Crossing(double a, double ya, double b, double yb, double y)
{
    return ya == yb ? a : a + (b - a) * (y - ya) / (yb - ya);
}

} // namespace

std::vector<FrequencyPoint> ComputeFrequencySweep(double lengthMetres, double radiusMetres,
                                                  const std::vector<double> &frequencies, double referenceResistance)
{
    if (!ReferenceResistanceFits(referenceResistance))
        throw std::domain_error("reference resistance out of range");
    std::vector<FrequencyPoint> points;
    points.reserve(frequencies.size());
    for (const double frequency : frequencies) {
        FrequencyPoint point;
        point.frequency = frequency;
        point.length = InWavelengths(lengthMetres, frequency);
        point.radius = InWavelengths(radiusMetres, frequency);
        if (!(point.length > 0.0) || !IsComputableLength(point.length) || !WireRadiusFits(point.length, point.radius))
            throw std::domain_error("a frequency of the sweep gives a wire the model does not take");
        points.push_back(point);
    }
    for (FrequencyPoint &point : points) {
        point.input = InducedEmfImpedance(point.length, point.radius).atFeed;
        if (point.input) {
            point.swr = StandingWaveRatio(*point.input, referenceResistance);
            point.reflection = ReflectionCoefficient(*point.input, referenceResistance);
        }
    }
    return points;
}

std::vector<double> ResonantFrequencies(const std::vector<FrequencyPoint> &points)
{
    std::vector<double> resonances;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const FrequencyPoint &a = points[i - 1];
        const FrequencyPoint &b = points[i];
        if (a.input && b.input && a.input->reactance < 0.0 && b.input->reactance >= 0.0)
            resonances.push_back(Crossing(a.frequency, a.input->reactance, b.frequency, b.input->reactance, 0.0));
    }
    return resonances;
}

std::optional<SwrBand> BandWithinSwr(const std::vector<FrequencyPoint> &points, double limit)
{
    const auto lowest =
        std::min_element(points.begin(), points.end(), [](const auto &a, const auto &b) { return Swr(a) < Swr(b); });
    if (lowest == points.end() || !(Swr(*lowest) <= limit))
        return std::nullopt;
    auto first = lowest;
    while (first != points.begin() && Swr(*(first - 1)) <= limit)
        --first;
    auto last = lowest;
    while (last + 1 != points.end() && Swr(*(last + 1)) <= limit)
        ++last;
    SwrBand band{first->frequency, last->frequency, first == points.begin(), last + 1 == points.end()};
    // An edge between a point within the limit and one beyond it (an
    // infinite SWR at a current node puts the edge at the point within).
    if (!band.openLow && std::isfinite(Swr(*(first - 1))))
        band.low = Crossing(first->frequency, Swr(*first), (first - 1)->frequency, Swr(*(first - 1)), limit);
    if (!band.openHigh && std::isfinite(Swr(*(last + 1))))
        band.high = Crossing(last->frequency, Swr(*last), (last + 1)->frequency, Swr(*(last + 1)), limit);
    return band;
}
