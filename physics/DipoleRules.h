#pragma once
// Which dipoles the program draws and computes: the limit on the length M
// (in wavelengths) and the range of wire radii A. Every command, field and
// computation asks these functions rather than comparing with the figures
// itself, so that a refusal, a message and a computation's own check always
// agree.
#include <stdexcept>

// Lengths are taken below this in magnitude; 30 wavelengths already draw a
// pattern too fine to read.
inline constexpr long double kLengthLimit = 30.0L;

// The thickest wire the wire's closed form is offered for, and the radius a
// wire has until the user gives another (both in wavelengths).
inline constexpr double kMaxWireRadius = 0.05;
// The thinnest: a tenth of a micrometre even at a wavelength of 100 km,
// thinner than any wire. The closed form's ln(M/(2A)) overflows, and the
// reactance with it, only below about 8e-308 (M/(2A) beyond the largest
// double for M near the length limit); the resonance scan then finds no
// sign to bracket. A bound this far above that leaves no subnormal radius
// and no rounding near the overflow to reason about.
inline constexpr double kMinWireRadius = 1e-12;
inline constexpr double kDefaultWireRadius = 0.001;

// The one comparison with the length limit: a magnitude below it. NaN is
// not below it.
bool BelowLengthLimit(long double magnitude);

// The build command draws every length below the limit, negative ones and
// lengths of any size below 0 included.
bool IsDrawableLength(long double M);
// The family draws the lengths above 0 and below the limit; it skips the rest.
bool IsFamilyLength(long double M);
// The numbers of a pattern, and the pictures that show them, take a length
// below the limit in either sign.
bool IsMeasurableLength(long double M);
// A measurable length once it is a double for the computations: one typed
// just below the limit may round to the limit itself, and is computed as the
// plots draw it. Whatever rounds from a measurable length passes; NaN and
// the infinities do not.
bool IsComputableLength(double M);

// Whether A may be the radius of some wire: kMinWireRadius ≤ A ≤
// kMaxWireRadius. NaN is none.
bool IsWireRadius(double radius);

// Whether the feed of a dipole M wavelengths long sits at a node of its
// sinusoidal current: within 1e-5 of a non-zero whole number of
// wavelengths. The input resistance passes 10¹¹ Ω there and tends to
// infinity; a short dipole's feed is no node. The readouts, the impedance
// and the current all take this one rule.
bool FeedAtCurrentNode(double M);
// Whether a wire of radius A may form a dipole of length M: a wire radius
// below |M|/2, so that the wire is longer than it is thick. NaN fits
// nothing.
bool WireRadiusFits(double M, double radius);

// A length that the build command refuses, with the limit it did not stay
// below. The programs word the refusal for their users.
class LengthRefusedError : public std::domain_error
{
public:
    explicit LengthRefusedError(long double length);
    long double length() const { return m_length; }
    long double limit() const { return kLengthLimit; }

private:
    long double m_length;
};

// Throws LengthRefusedError for a length that is not drawable.
void CheckBuildLength(long double length);
