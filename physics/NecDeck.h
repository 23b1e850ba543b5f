#pragma once
// The NEC-2 model of the same dipole: one straight wire along z, centred on
// the origin, in free space, fed at its centre segment by a voltage source
// of 1 V (a delta gap), at the frequency whose wavelength is 1 m, so that
// lengths and radii in wavelengths are metres. Segments are about a
// hundredth of a wave long, never fewer than 21 and always an odd count, so
// that one segment sits on the centre. The deck asks for the currents and
// for the pattern in the plane φ = 0 every half degree from 0° to 180°.
//
// The thin-wire model behind NEC-2 holds only for segments at least eight
// radii long; a thicker wire is refused rather than solved into a wrong
// number.
#include <string>

inline constexpr int kMinNecSegments = 21;
// Shortest segment length, in wire radii, for which the model is trusted.
inline constexpr double kMinSegmentToRadius = 8.0;
// The pattern's step and count of directions, 0° to 180° inclusive.
inline constexpr double kNecPatternStepDeg = 0.5;
inline constexpr int kNecPatternDirections = 361;

struct NecModel
{
    double length = 0.0; // wavelengths, above 0
    double radius = 0.0; // wavelengths
    int segments = 0;
};

// The segment count for length M: |M|·100 rounded, at least 21, made odd.
int NecSegmentCount(double M);

// The largest radius NEC-2 is trusted with at length M: its segment length
// over kMinSegmentToRadius.
double MaxNecRadius(double M);

// The model of length |M| with radius A and NecSegmentCount(M) segments.
// Throws std::domain_error when |M| is 0 or beyond the plots' length limit,
// or A does not fit M (WireRadiusFits) or exceeds MaxNecRadius(M).
NecModel MakeNecModel(double M, double radius);

// The deck's text, cards one a line.
std::string NecDeck(const NecModel &model);
