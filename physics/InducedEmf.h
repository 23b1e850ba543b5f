#pragma once
// The impedance of a centre-fed dipole of length M (wavelengths) and wire
// radius A (wavelengths) by the induced-EMF method: the wire carries the
// sinusoidal current I(z) = I_m·sin(2π(M/2 − |z|)), and the field that
// current makes on the wire's surface, integrated against the current itself,
// gives in closed form (x = 2πM, Z₀ the impedance of free space, Si and Ci the
// sine and cosine integrals, C Euler's constant)
//   R_m = Z₀/(2π)·{C + ln x − Ci(x) + ½ sin x·[Si(2x) − 2Si(x)]
//                  + ½ cos x·[C + ln(x/2) + Ci(2x) − 2Ci(x)]}
//   X_m = Z₀/(4π)·{2Si(x) + cos x·[2Si(x) − Si(2x)]
//                  − sin x·[2Ci(x) − Ci(2x) − Ci(4πA²/M)]}
// referred to the current maximum I_m. At the centre feed the current is
// I_m·sin(πM), so Z_in = Z_m / sin²(πM): infinite at M = 1, 2, …, where the
// feed sits at a node of the current. The resistance does not depend on the
// radius; the reactance does, and at M = 0.5 it is Z₀/(4π)·Si(2π) for any.
// M and −M give the same impedance.
#include "DipoleRules.h"

#include <optional>

struct Impedance
{
    double resistance = 0.0; // ohms
    double reactance = 0.0;  // ohms, positive for an inductive wire
};

struct DipoleImpedance
{
    Impedance atCurrentMaximum;
    // None where the feed sits at a current node (FeedAtCurrentNode, as the
    // readouts decide it for the input resistance).
    std::optional<Impedance> atFeed;
};

// The impedance of a computable length M (DipoleRules.h) and a radius
// that fits it; throws std::domain_error otherwise.
DipoleImpedance InducedEmfImpedance(double M, double radius);

// sin²(πM) in extended precision, the ratio of the feed's current to I_m
// squared; 0 where the feed sits at a current node.
double FeedCurrentSquared(double M);
