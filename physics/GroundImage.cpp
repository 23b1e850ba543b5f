#include "GroundImage.h"

#include "DipoleRules.h"
#include "PatternFunction.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr double kPi = 3.14159265358979323846;

} // namespace

double LowestHeightAllowed(double M, double radius, GroundOrientation orientation)
{
    return orientation == GroundOrientation::Vertical ? std::fabs(M) / 2.0 : radius;
}

void CheckHeight(double M, double radius, double h, GroundOrientation orientation)
{
    if (!IsComputableLength(M) || !WireRadiusFits(M, radius))
        throw std::domain_error("length or wire radius out of range over the ground");
    // NaN fails the comparison and is refused with the rest.
    if (!(h > LowestHeightAllowed(M, radius, orientation)))
        throw std::domain_error("the wire touches or enters the ground");
    if (!(h <= kMaxGroundHeight))
        throw std::domain_error("the height is above the highest taken");
}

double GroundArrayFactor(double h, GroundOrientation orientation, double elevation)
{
    const double phase = 2.0 * kPi * h * std::sin(elevation);
    return 2.0 * std::fabs(orientation == GroundOrientation::Horizontal ? std::sin(phase) : std::cos(phase));
}

double ElementAngle(GroundOrientation orientation, double elevation, double azimuth)
{
    if (orientation == GroundOrientation::Vertical)
        return kPi / 2.0 - elevation;
    return std::acos(std::clamp(std::cos(elevation) * std::cos(azimuth), -1.0, 1.0));
}

double GroundPattern(double M, double h, GroundOrientation orientation, double elevation, double azimuth)
{
    return PatternValue(M, ElementAngle(orientation, elevation, azimuth))
           * GroundArrayFactor(h, orientation, elevation);
}

double HorizontalAcrossPattern(double M, double h, double elevation)
{
    return GroundPattern(M, h, GroundOrientation::Horizontal, elevation, kPi / 2.0);
}

double HorizontalAlongPattern(double M, double h, double elevation)
{
    return GroundPattern(M, h, GroundOrientation::Horizontal, elevation, 0.0);
}

double VerticalPattern(double M, double h, double elevation)
{
    return GroundPattern(M, h, GroundOrientation::Vertical, elevation, 0.0);
}

double MonopolePattern(double M, double elevation)
{
    return PatternValue(M, kPi / 2.0 - elevation);
}
