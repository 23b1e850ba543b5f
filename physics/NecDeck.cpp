#include "NecDeck.h"

#include "InducedEmf.h"
#include "ShortestText.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr double kSegmentsPerWavelength = 100.0;

} // namespace

int NecSegmentCount(double M)
{
    const int rounded = static_cast<int>(std::lround(std::fabs(M) * kSegmentsPerWavelength));
    const int count = std::max(rounded, kMinNecSegments);
    return count % 2 == 0 ? count + 1 : count;
}

double MaxNecRadius(double M)
{
    return std::fabs(M) / NecSegmentCount(M) / kMinSegmentToRadius;
}

NecModel MakeNecModel(double M, double radius)
{
    const double m = std::fabs(M);
    if (!(m > 0.0) || !IsComputableLength(m) || !WireRadiusFits(m, radius) || radius > MaxNecRadius(m))
        throw std::domain_error("length or wire radius out of range for the NEC-2 model");
    return {m, radius, NecSegmentCount(m)};
}

std::string NecDeck(const NecModel &model)
{
    // Numbers at full precision with a dot, whatever the locale.
    const std::string half = ShortestText(model.length / 2.0);
    const std::string segments = std::to_string(model.segments);
    const std::string centre = std::to_string(model.segments / 2 + 1);
    const std::string directions = std::to_string(kNecPatternDirections);
    return "CM centre-fed dipole, length " + ShortestText(model.length) + " wavelengths, radius "
           + ShortestText(model.radius)
           + "\nCE\n"
           // Tag 1, its segments, the two ends, the radius.
           + "GW 1 " + segments + " 0 0 -" + half + " 0 0 " + half + ' ' + ShortestText(model.radius) + "\n"
           + "GE 0\n"
           // A voltage source of 1 V on the centre segment of tag 1.
           + "EX 0 1 " + centre
           + " 0 1 0\n"
           // One frequency: a wavelength of exactly 1 m. nec2c reckons the
           // wavelength as 299.8 / f metres, not with the speed of light to
           // every digit: at 299.792458 MHz every wire would be 2.5e-5 too
           // short in wavelengths, and the segments of a long wire would
           // drift from where the deck puts them.
           + "FR 0 1 0 0 299.8 0\n"
           // Power gain, θ from 0° in steps of 0.5°, φ = 0.
           + "RP 0 " + directions + " 1 1000 0 0 " + ShortestText(kNecPatternStepDeg) + " 0\n" + "EN\n";
}
