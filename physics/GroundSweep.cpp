#include "GroundSweep.h"

#include "GroundImpedance.h"
#include "GroundReadouts.h"
#include "StandingWaveRatio.h"

std::vector<HeightPoint> ComputeHeightSweep(double M, double radius, GroundOrientation orientation,
                                            const std::vector<double> &heights)
{
    for (const double h : heights)
        CheckHeight(M, radius, h, orientation);
    std::vector<HeightPoint> points;
    points.reserve(heights.size());
    for (const double h : heights) {
        HeightPoint point;
        point.height = h;
        point.input = GroundInputImpedance(M, radius, h, orientation);
        const auto cut = orientation == GroundOrientation::Horizontal
                             ? ComputeElevationReadouts([&](double el) { return HorizontalAcrossPattern(M, h, el); })
                             : ComputeElevationReadouts([&](double el) { return VerticalPattern(M, h, el); });
        if (cut)
            point.maxElevationDeg = cut->maxElevationDeg;
        points.push_back(point);
    }
    return points;
}

std::vector<ImpedancePoint> ComputeGroundImpedanceCurve(const std::vector<double> &lengths, double radius, double h,
                                                        GroundOrientation orientation,
                                                        std::optional<double> referenceResistance)
{
    for (const double M : lengths)
        CheckHeight(M, radius, h, orientation);
    std::vector<ImpedancePoint> points = ComputeImpedanceCurve(lengths, radius, referenceResistance);
    for (ImpedancePoint &point : points) {
        const Impedance image = ImageImpedance(point.length, h, orientation);
        point.atCurrentMaximum.resistance += image.resistance;
        point.atCurrentMaximum.reactance += image.reactance;
        point.input = GroundInputImpedance(point.length, radius, h, orientation);
        point.swr = point.input && referenceResistance
                        ? std::optional<double>(StandingWaveRatio(*point.input, *referenceResistance))
                        : std::nullopt;
    }
    return points;
}
