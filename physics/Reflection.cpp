#include "Reflection.h"

#include "StandingWaveRatio.h"

#include <cmath>
#include <stdexcept>

std::complex<double> ReflectionCoefficient(const Impedance &z, double referenceResistance)
{
    if (!ReferenceResistanceFits(referenceResistance))
        throw std::domain_error("reference resistance out of range");
    const std::complex<double> load(z.resistance, z.reactance);
    return (load - referenceResistance) / (load + referenceResistance);
}

std::optional<Impedance> LoadImpedance(std::complex<double> gamma, double referenceResistance)
{
    if (!ReferenceResistanceFits(referenceResistance))
        throw std::domain_error("reference resistance out of range");
    if (gamma == 1.0)
        return std::nullopt;
    const std::complex<double> load = referenceResistance * (1.0 + gamma) / (1.0 - gamma);
    return Impedance{load.real(), load.imag()};
}

double ReturnLossDb(std::complex<double> gamma)
{
    return -20.0 * std::log10(std::abs(gamma));
}
