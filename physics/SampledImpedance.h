#pragma once
// An impedance curve known only at its samples, as NEC-2 gives it: one
// moment-method solution per length, with nothing in between. Its standing-
// wave ratio is that of each sample, and its resonances are found where the
// sampled reactance changes sign, by linear interpolation between the two
// samples around each change. Rising through zero (from capacitive to
// inductive) the reactance marks a series resonance, where the resistance is
// small (about 70 Ω near half a wave); falling through zero it marks an
// anti-resonance, where the resistance is large (thousands of ohms near a
// full wave for a thin wire).
#include "InducedEmf.h"
#include "Resonance.h"

#include <optional>
#include <vector>

struct SampledImpedance
{
    double length = 0.0;
    Impedance input;
    std::optional<double> swr; // with a reference resistance
};

// The samples of inputs at lengths (as many of each, lengths ascending), with
// the SWR against referenceResistance when one is given (it must fit:
// ReferenceResistanceFits). Throws std::invalid_argument when the counts
// differ.
std::vector<SampledImpedance> SampledImpedanceCurve(const std::vector<double> &lengths,
                                                    const std::vector<Impedance> &inputs,
                                                    std::optional<double> referenceResistance);

// Every change of the reactance's sign between neighbouring samples, at the
// length where the straight line between them crosses zero, in ascending
// order; a reactance of exactly 0 counts as positive. rising tells a series
// resonance from an anti-resonance.
std::vector<ReactanceZero> SampledReactanceZeros(const std::vector<SampledImpedance> &curve);
