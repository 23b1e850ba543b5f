#pragma once
// Reads back what the cross-check needs from nec2c's printed report of a
// NecDeck: the input impedance at the feed, the current on every segment,
// the pattern in the plane φ = 0, and the power budget. The report prints
// five significant digits, so its numbers are good to about 1e-4.
//
// The directivity is found from the pattern's field strengths alone, the
// largest over their integral, D = 2·|E|²max / ∫|E|² sin θ dθ (Simpson's
// rule over the tenth-degree samples, the top of the largest lobe found by
// a parabola through its three highest samples); the gains the report
// prints beside the fields are checked against 2π·r²|E(θ)|² / (Z₀·P_rad).
// The fields' five digits leave the directivity good to about 1e-4 of
// itself. Every section must be there, complete
// and consistent with the model; anything else is refused, never guessed.
#include "InducedEmf.h"
#include "NecDeck.h"
#include "NecReportTable.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct NecCurrentSample
{
    double z = 0.0;         // the segment's centre, wavelengths
    double magnitude = 0.0; // |I| against the largest |I| on the wire
    // The current's parts in phase and in quadrature with the feed's current
    // (the real and imaginary parts of I·conj(I_feed)/|I_feed|, positive in
    // quadrature where it leads the feed's), against the same largest |I|.
    double inPhase = 0.0;
    double quadrature = 0.0;
};

struct NecPatternSample
{
    double thetaDeg = 0.0;
    double field = 0.0; // |E| against the largest |E|
};

// How far the input impedance moves between HalfNecModel's count and the
// full one.
struct NecSettling
{
    int halfSegments = 0;
    Impedance halfInput;
    double change = 0.0; // |Z − Z_half| / |Z|
};

struct NecSolution
{
    int segments = 0;
    Impedance input;
    double directivity = 0.0;
    double directivityDbi = 0.0;
    double feedToMaximum = 0.0; // |I| at the feed against the largest |I|
    std::vector<NecCurrentSample> currents;
    std::vector<NecPatternSample> pattern; // 0° to 180° in steps of kNecPatternStepDeg
    std::optional<NecSettling> settling;   // where the coarser model was solved too
};

// The solution in output, a report of model's deck (NecDeckContent::
// Everything). Throws NecReportError.
NecSolution ParseNecOutput(std::string_view output, const NecModel &model);

// The directivity of a pattern from |E|² every kNecFineStepDeg from 0° to
// 180° (kNecDirections samples, not all 0): 2·|E|²max / ∫|E|² sin θ dθ.
double SampledDirectivity(const std::vector<double> &fieldSquared);

// The input impedance alone, from a report of either content of model's
// deck. Throws NecReportError.
Impedance ParseNecInputImpedance(std::string_view output, const NecModel &model);

// The settling of input against halfInput, the impedance of the same wire
// with halfSegments segments.
NecSettling CompareWithHalf(const Impedance &input, int halfSegments, const Impedance &halfInput);
