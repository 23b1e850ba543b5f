#pragma once
// The reflection coefficient S11 of a load Z on a line of real reference
// resistance R₀, Γ = (Z − R₀)/(Z + R₀), and back, Z = R₀·(1 + Γ)/(1 − Γ): the
// network analyser's view of an antenna's feed. The return loss is
// −20·log10|Γ| dB (0 dB for a load that takes no power, infinite for a
// matched one).
#include "InducedEmf.h"

#include <complex>
#include <optional>

// Γ of z against R₀. Throws std::domain_error for an R₀ that does not fit
// (ReferenceResistanceFits).
std::complex<double> ReflectionCoefficient(const Impedance &z, double referenceResistance);

// The load whose reflection is gamma against R₀; none for Γ = 1, an open
// circuit, whose impedance is infinite.
std::optional<Impedance> LoadImpedance(std::complex<double> gamma, double referenceResistance);

double ReturnLossDb(std::complex<double> gamma);
