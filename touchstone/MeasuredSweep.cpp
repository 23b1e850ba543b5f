#include "MeasuredSweep.h"

#include "physics/Reflection.h"
#include "physics/StandingWaveRatio.h"

std::vector<FrequencyPoint> MeasuredPoints(const OnePortData &data, double referenceResistance)
{
    std::vector<FrequencyPoint> points;
    points.reserve(data.points.size());
    for (const OnePortPoint &measured : data.points) {
        FrequencyPoint point;
        point.frequency = measured.frequency;
        point.input = LoadImpedance(measured.reflection, data.referenceResistance);
        if (point.input) {
            point.swr = StandingWaveRatio(*point.input, referenceResistance);
            point.reflection = ReflectionCoefficient(*point.input, referenceResistance);
        }
        points.push_back(point);
    }
    return points;
}
