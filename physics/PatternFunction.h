#pragma once
// The far-field pattern of a centre-fed dipole,
//     F(M, θ) = |(cos(π·M·cos θ) − cos(π·M)) / sin θ|,
// evaluated in 80-bit extended precision (long double on x86-64) in a fixed
// order of operations, so that the same M and sample index give bit-identical
// values in every plot. Only the angle and the result are doubles.

// π as the 80-bit value nearest to it (significand C90FDAA22168C235).
inline constexpr long double kExtendedPi = 0xC90FDAA22168C235p-62L;

// Extended sine and cosine. An argument of magnitude 2^63 or more (infinities
// included) yields 0: beyond that range no reduction is attempted.
long double ExtendedSin(long double x);
long double ExtendedCos(long double x);

// The sample angle in radians: index whole degrees (stepsPerDegree 1) or
// index half degrees (stepsPerDegree 2). Index 2k in half degrees equals
// index k in whole degrees to the last bit.
double SampleAngle(int index, int stepsPerDegree);

// An angle given in degrees, in radians, formed as the sample angles are
// (degrees × π, then / 180, in extended precision), so that a whole or half
// degree gives the same double as its sample index.
double DegreeAngle(long double degrees);

// F(M, θ); 0 where sin θ is exactly 0. Never negative, no error path.
double PatternValue(double M, double theta);
