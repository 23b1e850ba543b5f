#include "StandingWaveRatio.h"

#include <cmath>
#include <limits>
#include <stdexcept>

bool ReferenceResistanceFits(double referenceResistance)
{
    return referenceResistance > 0.0 && std::isfinite(referenceResistance);
}

double StandingWaveRatio(const Impedance &z, double referenceResistance)
{
    if (!ReferenceResistanceFits(referenceResistance))
        throw std::domain_error("reference resistance out of range");
    if (!(z.resistance > 0.0))
        return std::numeric_limits<double>::infinity();
    const double sum = std::hypot(z.resistance + referenceResistance, z.reactance);
    const double difference = std::hypot(z.resistance - referenceResistance, z.reactance);
    return (sum + difference) * (sum + difference) / (4.0 * z.resistance * referenceResistance);
}

double BestLineResistance(const Impedance &z)
{
    return std::hypot(z.resistance, z.reactance);
}
