#include "SampledImpedance.h"

#include "StandingWaveRatio.h"

#include <stdexcept>

std::vector<SampledImpedance> SampledImpedanceCurve(const std::vector<double> &lengths,
                                                    const std::vector<Impedance> &inputs,
                                                    std::optional<double> referenceResistance)
{
    if (lengths.size() != inputs.size())
        throw std::invalid_argument("as many impedances as lengths are needed");
    std::vector<SampledImpedance> curve;
    curve.reserve(lengths.size());
    for (size_t i = 0; i < lengths.size(); ++i) {
        SampledImpedance sample{lengths[i], inputs[i], std::nullopt};
        if (referenceResistance)
            sample.swr = StandingWaveRatio(inputs[i], *referenceResistance);
        curve.push_back(sample);
    }
    return curve;
}

std::vector<ReactanceZero> SampledReactanceZeros(const std::vector<SampledImpedance> &curve)
{
    std::vector<ReactanceZero> zeros;
    for (size_t i = 1; i < curve.size(); ++i) {
        const SampledImpedance &before = curve[i - 1];
        const SampledImpedance &after = curve[i];
        const double x0 = before.input.reactance;
        const double x1 = after.input.reactance;
        if ((x0 >= 0.0) == (x1 >= 0.0))
            continue;
        // x0 and x1 lie on either side of zero, so the fraction lies in [0, 1].
        const double fraction = x0 / (x0 - x1);
        zeros.push_back({before.length + fraction * (after.length - before.length), x1 > x0});
    }
    return zeros;
}
