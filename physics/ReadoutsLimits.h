#pragma once
// Constants that the readouts and the lobe list share, so that both tell
// directions, nulls and maxima apart by the same rules, and the nulls that
// cut the half range into lobes.
#include <vector>

namespace ReadoutsLimits {

constexpr double kPi = 3.14159265358979323846;
constexpr double kHalfPi = kPi / 2;
constexpr double kDegreesPerRadian = 180.0 / kPi;

// Nulls closer than this (radians) are one double null: an integer M puts
// two of the closed-form nulls on the same direction.
constexpr double kSameNull = 1e-12;
// A crossing of a level is searched until its interval is this narrow
// (radians): within 1e-8 degrees.
constexpr double kCrossingTolerance = 1e-10;
// Peaks within this fraction of f_max are directions of the maximum.
constexpr double kSameMaximum = 1e-9;

} // namespace ReadoutsLimits

// The nulls of F for |M| = m folded onto the half range [0, π/2], ascending:
// F vanishes where cos θ = ±(1 − 2k/m), that is θ = 2·asin(√(k/m)) and its
// mirror π − θ, for k = 1, 2, … below m. Two nulls meet where m is an
// integer; both stay in the list.
std::vector<double> HalfRangeNulls(double m);
