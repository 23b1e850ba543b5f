#pragma once
// The impedance of one wire radius over a range of lengths, for the table of
// dipole-render --impedance and the picture of R and X against M: each
// length's input impedance (none at a current node), the impedance referred
// to the current maximum, and the standing-wave ratio against a reference
// resistance when one is given.
#include "InducedEmf.h"

#include <optional>
#include <vector>

// Most lengths a range may hold.
inline constexpr long kMaxCurveLengths = 100000;

struct ImpedancePoint
{
    double length = 0.0;
    std::optional<Impedance> input; // none at a current node
    Impedance atCurrentMaximum;
    std::optional<double> swr; // with a reference resistance, where input is
};

// from, from + step, … up to to (reached when it lies within a millionth of
// a step of the grid), each rounded to 12 decimals so that decimal inputs
// give the decimal lengths: 0.1 to 3 by 0.01 is 291 lengths, 0.3 among them
// exactly as the literal 0.3. Throws std::domain_error for a step of 0 or
// less, to below from, a non-finite bound, or more than kMaxCurveLengths.
std::vector<double> SteppedLengths(double from, double to, double step);

// The impedance at every length. Every length must lie within the plots'
// length limit and fit the radius (WireRadiusFits), and a reference
// resistance must fit too (ReferenceResistanceFits); std::domain_error
// otherwise, before anything is computed.
std::vector<ImpedancePoint> ComputeImpedanceCurve(const std::vector<double> &lengths, double radius,
                                                  std::optional<double> referenceResistance);
