#include "WireModel.h"

#include <QCoreApplication>

#include "physics/StandingWaveRatio.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

// The computation's result, or WireComputationError in place of its error.
template <typename Computation> auto computed(Computation computation)
{
    try {
        return computation();
    } catch (const std::exception &) {
        throw WireComputationError();
    }
}

} // namespace

WireComputationError::WireComputationError()
    : AppError(QCoreApplication::translate(
        "WireModel", "Сопротивление провода не удалось вычислить для этой длины и этого радиуса."))
{}

void WireModel::setLength(double M)
{
    m_length = M;
    recompute();
}

RadiusFault WireModel::radiusFault(double radius) const
{
    if (!(radius > 0.0))
        return RadiusFault::NotPositive;
    if (radius < kMinWireRadius)
        return RadiusFault::TooThin;
    if (!IsWireRadius(radius))
        return RadiusFault::TooThick;
    if (!WireRadiusFits(m_length, radius))
        return RadiusFault::NotBelowHalf;
    return RadiusFault::None;
}

bool WireModel::setRadius(double radius)
{
    if (radiusFault(radius) != RadiusFault::None)
        return false;
    const double previous = m_radius;
    m_radius = radius;
    try {
        recompute();
    } catch (const WireComputationError &) {
        m_radius = previous;
        recompute();
        throw;
    }
    return true;
}

bool WireModel::referenceResistanceFits(double resistance)
{
    return ReferenceResistanceFits(resistance);
}

bool WireModel::setReferenceResistance(double resistance)
{
    if (!referenceResistanceFits(resistance))
        return false;
    m_reference = resistance;
    return true;
}

void WireModel::recompute()
{
    m_input.reset();
    if (IsComputableLength(m_length) && WireRadiusFits(m_length, m_radius))
        m_input = computed([this] { return InducedEmfImpedance(m_length, m_radius).atFeed; });
}

WireState WireModel::state() const
{
    if (!IsComputableLength(m_length))
        return WireState::OutOfRange;
    if (m_length == 0.0)
        return WireState::NoWire;
    if (!WireRadiusFits(m_length, m_radius))
        return WireState::RadiusTooThick;
    return m_input ? WireState::Impedance : WireState::CurrentNode;
}

std::optional<double> WireModel::standingWaveRatio() const
{
    switch (state()) {
    case WireState::Impedance: return StandingWaveRatio(*m_input, m_reference);
    case WireState::CurrentNode: return std::numeric_limits<double>::infinity();
    default: return std::nullopt;
    }
}

std::optional<double> WireModel::feedToMaximumCurrent() const
{
    if (!IsComputableLength(m_length))
        return std::nullopt;
    return FeedToMaximumCurrent(m_length);
}

CurrentDistribution WireModel::current(int sampleCount) const
{
    if (!IsComputableLength(m_length)) {
        CurrentDistribution none;
        none.length = std::fabs(m_length);
        return none;
    }
    return ComputeCurrentDistribution(m_length, sampleCount);
}

std::vector<ImpedancePoint> WireModel::impedanceCurve() const
{
    std::vector<double> lengths;
    for (const double M : SteppedLengths(kCurveFirstLength, kCurveLastLength, kCurveLengthStep))
        if (WireRadiusFits(M, m_radius))
            lengths.push_back(M);
    return computed([&] { return ComputeImpedanceCurve(lengths, m_radius, m_reference); });
}
