#include "FrequencySweep.h"

#include "DipoleRules.h"
#include "PhysicalUnits.h"
#include "Reflection.h"
#include "RootFinding.h"
#include "StandingWaveRatio.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <thread>

namespace {

// A sweep is shared among threads from this many points on: fewer take
// less time than starting a thread.
constexpr std::size_t kPointsPerThread = 1000;
// Crossings are placed on the model to this part of their frequency.
constexpr double kRelativeTolerance = 1e-12;

double swrOf(const FrequencyPoint &point)
{
    return point.swr.value_or(INFINITY);
}

// Where the straight line through (a, ya) and (b, yb) reaches y.
double crossing(double a, double ya, double b, double yb, double y)
{
    return ya == yb ? a : a + (b - a) * (y - ya) / (yb - ya);
}

// Places a crossing of `value` through `level` between the points a and b;
// none where it cannot be placed (an infinite SWR beyond a band's edge, on
// a straight line).
using Value = double (*)(const FrequencyPoint &);
using PlaceCrossing =
    std::function<std::optional<double>(const FrequencyPoint &a, const FrequencyPoint &b, Value value, double level)>;

double reactanceOf(const FrequencyPoint &point)
{
    return point.input ? point.input->reactance : NAN;
}

std::optional<double> onALine(const FrequencyPoint &a, const FrequencyPoint &b, Value value, double level)
{
    const double ya = value(a);
    const double yb = value(b);
    if (!std::isfinite(ya) || !std::isfinite(yb))
        return std::nullopt;
    return crossing(a.frequency, ya, b.frequency, yb, level);
}

// The model's reactance at the current maximum has the sign and the zeros
// of the input reactance and is finite everywhere; (SWR − level)/(SWR + 1)
// has the sign and the zero of SWR − level and is finite at a current node.
PlaceCrossing onTheModel(const WireInMetres &wire)
{
    return
        [wire](const FrequencyPoint &a, const FrequencyPoint &b, Value value, double level) -> std::optional<double> {
            const bool reactance = value == &reactanceOf;
            const auto f = [&](double frequency) {
                const FrequencyPoint point =
                    ComputeFrequencySweep(wire.length, wire.radius, {frequency}, wire.referenceResistance).front();
                if (reactance)
                    return InducedEmfImpedance(point.length, point.radius).atCurrentMaximum.reactance;
                const double swr = swrOf(point);
                return std::isfinite(swr) ? (swr - level) / (swr + 1.0) : 1.0;
            };
            return FindRoot(f, std::min(a.frequency, b.frequency), std::max(a.frequency, b.frequency), 0.0,
                            kRelativeTolerance);
        };
}

std::vector<double> resonancesAmong(const std::vector<FrequencyPoint> &points, const PlaceCrossing &place)
{
    std::vector<double> resonances;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const FrequencyPoint &a = points[i - 1];
        const FrequencyPoint &b = points[i];
        if (a.input && b.input && a.input->reactance < 0.0 && b.input->reactance >= 0.0) {
            if (const std::optional<double> f = place(a, b, &reactanceOf, 0.0))
                resonances.push_back(*f);
        }
    }
    return resonances;
}

std::optional<SwrBand> bandAbout(const std::vector<FrequencyPoint> &points, double limit, const PlaceCrossing &place)
{
    const auto lowest = std::min_element(points.begin(), points.end(),
                                         [](const auto &a, const auto &b) { return swrOf(a) < swrOf(b); });
    if (lowest == points.end() || !(swrOf(*lowest) <= limit))
        return std::nullopt;
    auto first = lowest;
    while (first != points.begin() && swrOf(*(first - 1)) <= limit)
        --first;
    auto last = lowest;
    while (last + 1 != points.end() && swrOf(*(last + 1)) <= limit)
        ++last;
    SwrBand band{first->frequency, last->frequency, first == points.begin(), last + 1 == points.end()};
    // An edge lies between a point within the limit and one beyond it.
    if (!band.openLow)
        band.low = place(*first, *(first - 1), &swrOf, limit).value_or(band.low);
    if (!band.openHigh)
        band.high = place(*last, *(last + 1), &swrOf, limit).value_or(band.high);
    return band;
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
    // Each point is computed on its own, so a long sweep is shared among
    // the cores, each thread taking a stretch of points.
    const auto solve = [&points, referenceResistance](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            FrequencyPoint &point = points[i];
            point.input = InducedEmfImpedance(point.length, point.radius).atFeed;
            if (point.input) {
                point.swr = StandingWaveRatio(*point.input, referenceResistance);
                point.reflection = ReflectionCoefficient(*point.input, referenceResistance);
            }
        }
    };
    const std::size_t threads =
        points.size() < kPointsPerThread ? 1 : std::max(1u, std::min(std::thread::hardware_concurrency(), 16u));
    std::vector<std::thread> workers;
    const std::size_t stretch = (points.size() + threads - 1) / threads;
    for (std::size_t t = 1; t < threads; ++t)
        workers.emplace_back(solve, std::min(t * stretch, points.size()), std::min((t + 1) * stretch, points.size()));
    solve(0, std::min(stretch, points.size()));
    for (std::thread &worker : workers)
        worker.join();
    return points;
}

std::vector<double> ResonantFrequencies(const std::vector<FrequencyPoint> &points)
{
    return resonancesAmong(points, onALine);
}

std::vector<double> ResonantFrequencies(const WireInMetres &wire, const std::vector<FrequencyPoint> &points)
{
    return resonancesAmong(points, onTheModel(wire));
}

std::optional<double> ResonantFrequencyNear(const WireInMetres &wire, double near)
{
    const auto reactance = [&wire](double frequency) {
        return InducedEmfImpedance(InWavelengths(wire.length, frequency), InWavelengths(wire.radius, frequency))
            .atCurrentMaximum.reactance;
    };
    const double lo = near * 0.9;
    const double hi = near * 1.1;
    if (!IsComputableLength(InWavelengths(wire.length, hi)) || !(reactance(lo) < 0.0 && reactance(hi) >= 0.0))
        return std::nullopt;
    return FindRoot(reactance, lo, hi, 0.0, kRelativeTolerance);
}

std::optional<SwrBand> BandWithinSwr(const std::vector<FrequencyPoint> &points, double limit)
{
    return bandAbout(points, limit, onALine);
}

std::optional<SwrBand> BandWithinSwr(const WireInMetres &wire, const std::vector<FrequencyPoint> &points, double limit)
{
    return bandAbout(points, limit, onTheModel(wire));
}
