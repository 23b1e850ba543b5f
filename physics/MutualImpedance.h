#pragma once
// The mutual impedance of two parallel dipoles of the same length M
// (wavelengths), each carrying the sinusoidal current
// I(z) = I_m·sin(2π(M/2 − |z|)), by the induced-EMF method: the field the
// first dipole's current makes along the second,
//   E_z = −j·Z₀·I_m/(4π) · [e^{−jkR₁}/R₁ + e^{−jkR₂}/R₂ − 2cos(kM/2)·e^{−jkr}/r]
// (R₁, R₂ the distances from the first dipole's ends, r from its centre;
// exact for a sinusoidal current), is integrated against the second
// dipole's current:
//   Z₂₁ = −1/I_m² · ∫ E_z(z)·I(z) dz,
// referred to the current maxima like the self impedance's Z_m
// (InducedEmf.h). Side by side the integral has a closed form in Si and Ci
// for any length; on one line it is taken by GSL's adaptive quadrature
// (Quadrature.h) to 1e-10 relative in each of R and X, or 1e-9 Ω where one
// of them passes through zero.
#include "InducedEmf.h"

// Side by side, centres at the same height, axes d apart (d > 0).
Impedance SideBySideMutualImpedance(double M, double d);

// On one line, centres s apart, the wires not overlapping (s > M).
Impedance CollinearMutualImpedance(double M, double s);
