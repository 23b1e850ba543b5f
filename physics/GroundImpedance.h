#pragma once
// The input impedance of a dipole over a perfect ground: its own impedance
// (InducedEmf.h) plus the mutual impedance of its image (MutualImpedance.h),
// whose current is opposite for a horizontal wire (side by side, 2h apart)
// and the same for a vertical one (on one line, centres 2h apart):
//   Z_in = (Z_m ∓ Z₂₁) / sin²(πM),
// both referred to the feed as the free-space input impedance is. A monopole
// of height M/2 fed at its base sees half the voltage of dipole M for the
// same current: half its input impedance.
#include "GroundImage.h"
#include "InducedEmf.h"

#include <optional>

// What the image adds to the impedance referred to the current maximum:
// −Z₂₁ side by side for a horizontal wire, +Z₂₁ on one line for a vertical
// one, the centres 2h apart. The height must pass CheckHeight.
Impedance ImageImpedance(double M, double h, GroundOrientation orientation);

// None where the feed sits at a current node (FeedAtCurrentNode); throws
// std::domain_error where CheckHeight does.
std::optional<Impedance> GroundInputImpedance(double M, double radius, double h, GroundOrientation orientation);

// Half the input impedance of dipole M with the same radius; none where the
// dipole has none; throws where InducedEmfImpedance does.
std::optional<Impedance> MonopoleInputImpedance(double M, double radius);
