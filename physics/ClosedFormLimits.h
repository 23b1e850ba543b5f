#pragma once
// Where the induced-EMF closed form (InducedEmf.h) stops describing a real
// wire, so that its figures there are shown as the model's and not as the
// wire's. It fails in two ways:
//   - near a full wave: the sinusoidal current puts a node at the feed at
//     M = 1, 2, …, and the input values R_m/sin²(πM) and X_m/sin²(πM) grow
//     without bound, while a real wire's input resistance peaks at a finite
//     value a little short of the full wave and its reactance stays finite.
//     The band about each whole wavelength n ≥ 1 is where the closed form's
//     input resistance exceeds that peak, never more than 0.3 λ either side;
//   - on a thick wire: a wire shorter than kMinLengthToRadius radii is no
//     thin wire, and the closed form's reactance leaves the wire's (it even
//     turns inductive on a short stub) and its first resonance with it.
// Both rules are read from nec2c solutions of the same wires, the figures in
// ClosedFormLimits.cpp.
#include <optional>
#include <vector>

// Below this many radii of length the closed form is not used as the wire's.
inline constexpr double kMinLengthToRadius = 20.0;

struct LengthSpan
{
    double from = 0.0; // wavelengths
    double to = 0.0;
};

// Whether a wire of radius A is too thick at length M for the closed form:
// |M| below kMinLengthToRadius·A.
bool ThickForClosedForm(double M, double radius);

// The band about the whole wavelength nearest |M| in which the closed
// form's input values are not physical for radius A, when |M| lies in one;
// none below half a wave and outside the bands. Lengths and radii as
// InducedEmfImpedance takes them.
std::optional<LengthSpan> FullWaveBand(double M, double radius);

// Whether a zero of the closed form's input reactance (the first resonant
// length, or any other) of a wire of radius A is the closed form's alone:
// the wire is too thick there or at half a wave (where a real wire
// resonates, and a thick one in the closed form does not), or the length
// lies in a full-wave band.
bool ResonanceBeyondClosedForm(double resonantLength, double radius);

// The lengths from `from` to `to` (0 < from ≤ to) where either rule
// flags a wire of radius A, as ascending spans that do not touch, clipped
// to the range.
std::vector<LengthSpan> ClosedFormLimitSpans(double radius, double from, double to);
