#include "NecDeck.h"

#include "DipoleRules.h"
#include "ShortestText.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

// A count made odd by adding one where it is even.
int odd(int count)
{
    return count % 2 == 0 ? count + 1 : count;
}

// At least n·|M| segments, at least kMinNecSegments, an odd count. The
// product is rounded up, less a hair, so that 40 · 0.5 is 20 and not 21.
int segmentsFor(double M, double perWavelength)
{
    const double wanted = std::ceil(std::fabs(M) * perWavelength * (1.0 - 1e-12));
    return odd(std::max(static_cast<int>(wanted), kMinNecSegments));
}

// The most segments, an odd count, that stay kMinExtendedSegmentToRadius
// radii long; the hair lets MaxNecRadius(M) itself through.
int mostSegmentsForRadius(double M, double radius)
{
    const double most = std::fabs(M) / (kMinExtendedSegmentToRadius * radius) * (1.0 + 1e-12);
    if (!(most < kMinNecSegments * 1e6))
        return kMinNecSegments * 1000000 + 1;
    const int count = static_cast<int>(std::floor(most));
    return count % 2 == 0 ? count - 1 : count;
}

} // namespace

int NecSegmentCount(double M, double radius)
{
    return std::min(segmentsFor(M, kNecSegmentsPerWavelength), mostSegmentsForRadius(M, radius));
}

int NecFewestSegments(double M)
{
    return segmentsFor(M, kFewestNecSegmentsPerWavelength);
}

double MaxNecRadius(double M)
{
    return std::fabs(M) / NecFewestSegments(M) / kMinExtendedSegmentToRadius;
}

NecModel MakeNecModel(double M, double radius)
{
    const double m = std::fabs(M);
    if (!(m > 0.0) || !IsComputableLength(m) || !WireRadiusFits(m, radius) || radius > MaxNecRadius(m))
        throw std::domain_error("length or wire radius out of range for the NEC-2 model");
    const int segments = NecSegmentCount(m, radius);
    return {m, radius, segments, m / segments < kMinSegmentToRadius * radius};
}

NecModel HalfNecModel(const NecModel &model)
{
    NecModel half = model;
    half.segments = std::max(odd(model.segments / 2), 3);
    return half;
}

std::string NecDeck(const NecModel &model, NecDeckContent content)
{
    // Numbers at full precision with a dot, whatever the locale.
    const std::string half = ShortestText(model.length / 2.0);
    const std::string segments = std::to_string(model.segments);
    const std::string centre = std::to_string(model.segments / 2 + 1);
    const std::string directions = std::to_string(kNecDirections);
    return "CM centre-fed dipole, length " + ShortestText(model.length) + " wavelengths, radius "
           + ShortestText(model.radius)
           + "\nCE\n"
           // Tag 1, its segments, the two ends, the radius.
           + "GW 1 " + segments + " 0 0 -" + half + " 0 0 " + half + ' ' + ShortestText(model.radius) + "\n"
           + "GE 0\n"
           // The extended thin-wire kernel for segments shorter than
           // kMinSegmentToRadius radii.
           + (model.extendedKernel ? "EK 0\n" : "")
           // A voltage source of 1 V on the centre segment of tag 1.
           + "EX 0 1 " + centre
           + " 0 1 0\n"
           // One frequency: a wavelength of exactly 1 m. nec2c reckons the
           // wavelength as 299.8 / f metres, not with the speed of light to
           // every digit: at 299.792458 MHz every wire would be 2.5e-5 too
           // short in wavelengths, and the segments of a long wire would
           // drift from where the deck puts them.
           + "FR 0 1 0 0 299.8 0\n"
           // Power gain, θ from 0° in steps of kNecFineStepDeg, φ = 0; or
           // no pattern, the solution alone.
           + (content == NecDeckContent::Everything
                  ? "RP 0 " + directions + " 1 1000 0 0 " + ShortestText(kNecFineStepDeg) + " 0\n"
                  : std::string("XQ 0\n"))
           + "EN\n";
}
