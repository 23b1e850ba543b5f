#include "WireModel.h"

#include "physics/StandingWaveRatio.h"

#include <cmath>
#include <limits>

void WireModel::setLength(double M)
{
    m_length = M;
    recompute();
}

RadiusFault WireModel::radiusFault(double radius) const
{
    if (!(radius > 0.0))
        return RadiusFault::NotPositive;
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
    m_radius = radius;
    recompute();
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
        m_input = InducedEmfImpedance(m_length, m_radius).atFeed;
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
    return ComputeImpedanceCurve(lengths, m_radius, m_reference);
}
