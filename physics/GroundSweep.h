#pragma once
// A dipole over a perfect ground over a range: of heights for one length
// (how the input resistance swings about its free-space value as the image
// moves away, and where the maximum's elevation goes), and of lengths at
// one height (the impedance table of dipole-render --impedance over the
// ground).
#include "GroundImage.h"
#include "ImpedanceCurve.h"
#include "InducedEmf.h"

#include <optional>
#include <vector>

struct HeightPoint
{
    double height = 0.0;
    std::optional<Impedance> input;        // none at a current node
    std::optional<double> maxElevationDeg; // across a horizontal wire, any plane of a vertical one; none where zero
};

// One point a height; throws std::domain_error where CheckHeight does at
// any of them.
std::vector<HeightPoint> ComputeHeightSweep(double M, double radius, GroundOrientation orientation,
                                            const std::vector<double> &heights);

// ComputeImpedanceCurve's points with the image's impedance added to each
// (and the standing-wave ratio against the reference resistance taken from
// the sum); throws std::domain_error where it or CheckHeight does.
std::vector<ImpedancePoint> ComputeGroundImpedanceCurve(const std::vector<double> &lengths, double radius, double h,
                                                        GroundOrientation orientation,
                                                        std::optional<double> referenceResistance);
