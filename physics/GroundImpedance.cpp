#include "GroundImpedance.h"

#include "MutualImpedance.h"

#include <cmath>

std::optional<Impedance> GroundInputImpedance(double M, double radius, double h, GroundOrientation orientation)
{
    CheckHeight(M, radius, h, orientation);
    const DipoleImpedance self = InducedEmfImpedance(M, radius);
    if (!self.atFeed)
        return std::nullopt;
    const double m = std::fabs(M);
    const bool horizontal = orientation == GroundOrientation::Horizontal;
    const Impedance mutual = horizontal ? SideBySideMutualImpedance(m, 2.0 * h) : CollinearMutualImpedance(m, 2.0 * h);
    const double sign = horizontal ? -1.0 : 1.0;
    const double feed = FeedCurrentSquared(m);
    return Impedance{self.atFeed->resistance + sign * mutual.resistance / feed,
                     self.atFeed->reactance + sign * mutual.reactance / feed};
}

std::optional<Impedance> MonopoleInputImpedance(double M, double radius)
{
    const DipoleImpedance dipole = InducedEmfImpedance(M, radius);
    if (!dipole.atFeed)
        return std::nullopt;
    return Impedance{dipole.atFeed->resistance / 2.0, dipole.atFeed->reactance / 2.0};
}
