#include "DipoleRules.h"

#include <cmath>

bool BelowLengthLimit(long double magnitude)
{
    return magnitude < kLengthLimit;
}

bool IsDrawableLength(long double M)
{
    return BelowLengthLimit(M);
}

bool IsFamilyLength(long double M)
{
    return M > 0 && BelowLengthLimit(M);
}

bool IsMeasurableLength(long double M)
{
    return BelowLengthLimit(std::fabs(M));
}

bool IsComputableLength(double M)
{
    // The extended value just below |M| is what a measurable length at most
    // half a double's step below |M| would be: |M| came from a measurable
    // length if that value is below the limit.
    return BelowLengthLimit(std::nextafter(std::fabs(static_cast<long double>(M)), 0.0L));
}

bool IsWireRadius(double radius)
{
    return radius >= kMinWireRadius && radius <= kMaxWireRadius;
}

bool WireRadiusFits(double M, double radius)
{
    return IsWireRadius(radius) && radius < std::fabs(M) / 2.0;
}

LengthRefusedError::LengthRefusedError(long double length)
    : std::domain_error("the length is not below the limit of the build command"), m_length(length)
{}

void CheckBuildLength(long double length)
{
    if (!IsDrawableLength(length))
        throw LengthRefusedError(length);
}

bool FeedAtCurrentNode(double M)
{
    constexpr double kNearWhole = 1e-5;
    const double m = std::fabs(M);
    const double nearestWhole = std::round(m);
    return nearestWhole != 0.0 && std::fabs(m - nearestWhole) < kNearWhole;
}
