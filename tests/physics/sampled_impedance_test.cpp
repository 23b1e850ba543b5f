// The zeros of a sampled reactance, found between the samples by the
// straight line through them: worked by hand, x0 / (x0 − x1) of the step
// past the first sample.
#include "physics/SampledImpedance.h"

#include <gtest/gtest.h>

namespace {

struct ZerosCase
{
    const char *name;
    std::vector<double> reactances; // at 0.5, 0.6, 0.7, …
    std::vector<ReactanceZero> zeros;
};

// clang-format off
const ZerosCase kZerosCases[] = {
    // -30 to 10: a quarter of the way from 0.6 back, at 0.5 + 0.1·30/40.
    {"RisingBetweenSamples", {-30.0, 10.0, 50.0}, {{0.575, true}}},
    // A reactance of exactly 0 counts as positive: one zero, at the sample.
    {"ZeroOnASample", {-20.0, 0.0, 20.0}, {{0.6, true}}},
    {"TouchingZeroFromAbove", {20.0, 0.0, 20.0}, {}},
    {"ResonanceThenAntiResonance", {-10.0, 30.0, -50.0, -60.0}, {{0.525, true}, {0.6375, false}}},
    {"NoSignChange", {-300.0, -100.0, -5.0}, {}},
};
// clang-format on

class SampledZeros : public ::testing::TestWithParam<ZerosCase>
{
};

TEST_P(SampledZeros, LieWhereTheLineCrosses)
{
    const ZerosCase &c = GetParam();
    std::vector<double> lengths;
    std::vector<Impedance> inputs;
    for (size_t i = 0; i < c.reactances.size(); ++i) {
        lengths.push_back(0.5 + 0.1 * double(i));
        inputs.push_back({70.0, c.reactances[i]});
    }
    const std::vector<ReactanceZero> zeros = SampledReactanceZeros(SampledImpedanceCurve(lengths, inputs, {}));
    ASSERT_EQ(zeros.size(), c.zeros.size());
    for (size_t i = 0; i < zeros.size(); ++i) {
        EXPECT_NEAR(zeros[i].length, c.zeros[i].length, 1e-12) << i;
        EXPECT_EQ(zeros[i].rising, c.zeros[i].rising) << i;
    }
}
INSTANTIATE_TEST_SUITE_P(Cases, SampledZeros, ::testing::ValuesIn(kZerosCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
