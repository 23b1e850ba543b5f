#pragma once
// A dipole of length M (wavelengths) with its centre at height h
// (wavelengths) above a perfectly conducting plane, by image theory: the
// plane is replaced by the dipole's mirror image at depth h, and above the
// plane the field is that of the pair. The pattern is the free-space
// pattern F of the element times the array factor of the pair:
//   - horizontal wire: the image's current is opposite, and the pair's
//     phase difference 2kh·sin(elevation) gives |AF| = 2|sin(kh·sin el)|;
//   - vertical wire: the image's current is the same, |AF| = 2|cos(kh·sin el)|
//     (kh·cos θ with θ from the vertical).
// Angles: the elevation el runs from 0 (along the ground) to π/2 (straight
// up), the azimuth az from the horizontal wire's axis. A direction makes the
// angle ψ with a horizontal wire where cos ψ = cos el · cos az, and the angle
// θ = π/2 − el with a vertical one; F is taken at that angle.
#include <optional>

enum class GroundOrientation { Horizontal, Vertical };

// The highest centre height taken, in wavelengths: the readouts resolve the
// array factor's lobes (1/(2h) apart in sin el) up to about there, and above
// it a height adds lobes too fine to draw and seconds to every integral.
inline constexpr double kMaxGroundHeight = 100.0;

// The lowest centre height that keeps the wire off the ground: the wire's
// radius for a horizontal wire, half its length for a vertical one. A height
// must lie above it.
double LowestHeightAllowed(double M, double radius, GroundOrientation orientation);

// Throws std::domain_error unless M is a computable length, the radius fits
// it (DipoleRules.h) and h lies above the lowest height allowed and at most
// at kMaxGroundHeight.
void CheckHeight(double M, double radius, double h, GroundOrientation orientation);

// The array factor's magnitude at elevation el (radians): 2|sin(2πh·sin el)|
// or 2|cos(2πh·sin el)|.
double GroundArrayFactor(double h, GroundOrientation orientation, double elevation);

// The angle between the wire and the direction (el, az), radians.
double ElementAngle(GroundOrientation orientation, double elevation, double azimuth);

// The field pattern over the ground, F(element angle)·|AF|, in any direction
// of the upper half space; azimuth is ignored for a vertical wire.
double GroundPattern(double M, double h, GroundOrientation orientation, double elevation, double azimuth);

// The elevation cuts a teaching picture draws, elevation in radians, 0 to π/2:
// a horizontal wire in the vertical plane across it (az = π/2, where F is
// F(π/2) at every elevation) and along it (az = 0, ψ = el), a vertical wire
// in any vertical plane.
double HorizontalAcrossPattern(double M, double h, double elevation);
double HorizontalAlongPattern(double M, double h, double elevation);
double VerticalPattern(double M, double h, double elevation);

// The monopole of height M/2 on the ground, fed at its base: the upper half
// of dipole M's pattern, F(π/2 − el), the same in every vertical plane.
double MonopolePattern(double M, double elevation);
