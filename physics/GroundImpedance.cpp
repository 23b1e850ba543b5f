#include "GroundImpedance.h"

#include "MutualImpedance.h"

#include <cmath>

Impedance ImageImpedance(double M, double h, GroundOrientation orientation)
{
    const double m = std::fabs(M);
    if (orientation == GroundOrientation::Vertical)
        return CollinearMutualImpedance(m, 2.0 * h);
    const Impedance mutual = SideBySideMutualImpedance(m, 2.0 * h);
    return {-mutual.resistance, -mutual.reactance};
}

std::optional<Impedance> GroundInputImpedance(double M, double radius, double h, GroundOrientation orientation)
{
    CheckHeight(M, radius, h, orientation);
    const DipoleImpedance self = InducedEmfImpedance(M, radius);
    if (!self.atFeed)
        return std::nullopt;
    const Impedance image = ImageImpedance(M, h, orientation);
    const double feed = FeedCurrentSquared(std::fabs(M));
    return Impedance{self.atFeed->resistance + image.resistance / feed,
                     self.atFeed->reactance + image.reactance / feed};
}

std::optional<Impedance> MonopoleInputImpedance(double M, double radius)
{
    const DipoleImpedance dipole = InducedEmfImpedance(M, radius);
    if (!dipole.atFeed)
        return std::nullopt;
    return Impedance{dipole.atFeed->resistance / 2.0, dipole.atFeed->reactance / 2.0};
}
