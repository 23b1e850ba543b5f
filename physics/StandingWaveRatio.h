#pragma once
// The standing-wave ratio on a feed line of real characteristic impedance
// R₀ (50, 75, 300 Ω …) that ends in the impedance Z:
//   SWR = (1 + |Γ|)/(1 − |Γ|),  Γ = (Z − R₀)/(Z + R₀),
// evaluated as (|Z + R₀| + |Z − R₀|)² / (4·R·R₀), which is the same on paper
// and keeps its digits where |Γ| comes close to 1 (a short dipole's few ohms
// of resistance beside hundreds of ohms of reactance).
#include "InducedEmf.h"

// Whether R₀ may serve as a reference resistance: finite and above 0.
bool ReferenceResistanceFits(double referenceResistance);

// The SWR of z against R₀; infinite for a resistance of 0 or less (no power
// reaches the load). Throws std::domain_error for an R₀ that does not fit.
double StandingWaveRatio(const Impedance &z, double referenceResistance);

// The line resistance that z matches best, the one of least SWR: |z|
// (d/dR₀ of |Γ|² vanishes there), for a resistance above 0.
double BestLineResistance(const Impedance &z);
