// The half-waves of the sinusoidal current: a table of lengths worked out by
// hand from the zeros of sin(2π(M/2 − |z|)), half a wave in from either end
// and every half wave further in, and a brute-force count of the signs of
// the same formula sampled along the wire.
#include "physics/CurrentDistribution.h"
#include "physics/CurrentHalfWaves.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct HalfWaveCase
{
    const char *name;
    double M;
    int count;
    int inPhase;
    int opposite;
    bool feedAtNode;
    double middle; // the length of the stretch at the feed, 0 at a node
    bool partial;  // that stretch not half a wave long
};

const HalfWaveCase kCases[] = {
    {"NoWire", 0.0, 0, 0, 0, false, 0.0, false},
    {"Hair", 1e-10, 1, 1, 0, false, 1e-10, true},
    {"Short", 0.3, 1, 1, 0, false, 0.3, true},
    {"HalfWave", 0.5, 1, 1, 0, false, 0.5, false},
    // A dip at the feed, but no zero: one stretch longer than half a wave.
    {"ThreeQuarters", 0.75, 1, 1, 0, false, 0.75, true},
    {"FullWave", 1.0, 2, 2, 0, true, 0.0, false},
    {"WithinTheNodeRule", 1.000001, 2, 2, 0, true, 0.0, false},
    {"JustBeyondIt", 1.0001, 3, 1, 2, false, 0.0001, true},
    {"FiveQuarters", 1.25, 3, 1, 2, false, 0.25, true},
    {"WaveAndAHalf", 1.5, 3, 1, 2, false, 0.5, false},
    {"Negative", -1.5, 3, 1, 2, false, 0.5, false},
    {"TwoWaves", 2.0, 4, 2, 2, true, 0.0, false},
    {"TwoAndAHalf", 2.5, 5, 3, 2, false, 0.5, false},
    // 29 half-waves on either arm, the innermost in phase, then every other.
    {"Longest", 29.99, 59, 29, 30, false, 0.99, true},
};

TEST(CurrentHalfWaves, CountsAndSignsByLength)
{
    for (const HalfWaveCase &c : kCases) {
        SCOPED_TRACE(c.name);
        const CurrentHalfWaves current = FindCurrentHalfWaves(c.M);
        ASSERT_EQ(int(current.halfWaves.size()), c.count);
        EXPECT_EQ(current.inPhase, c.inPhase);
        EXPECT_EQ(current.opposite, c.opposite);
        EXPECT_EQ(current.feedAtNode, c.feedAtNode);
        if (c.count == 0)
            continue;
        EXPECT_DOUBLE_EQ(current.halfWaves.front().from, -std::fabs(c.M) / 2);
        EXPECT_DOUBLE_EQ(current.halfWaves.back().to, std::fabs(c.M) / 2);
        const CurrentHalfWave &middle = current.halfWaves[current.halfWaves.size() / 2];
        if (c.feedAtNode) {
            EXPECT_EQ(middle.from, 0.0);
            continue;
        }
        EXPECT_NEAR(middle.to - middle.from, c.middle, 1e-12);
        EXPECT_EQ(middle.partial, c.partial);
        EXPECT_TRUE(middle.inPhase);
    }
    EXPECT_THROW(FindCurrentHalfWaves(30.5), std::domain_error);
}

// Sampled every 1e-4 of a wave, the formula's sign runs are the half-waves,
// each of the sign the half-wave states against the feed's, sin(πM); the
// signed current of the pictures has the same signs. Lengths stay 1e-3 from
// whole and half numbers, where the middle stretch is shorter than that or
// the feed a node.
TEST(CurrentHalfWaves, AgreeWithTheSignsOfTheSampledFormula)
{
    constexpr double kPi = 3.14159265358979323846;
    for (double M = 0.007; M < 30.0; M += 0.137) {
        SCOPED_TRACE(M);
        const CurrentHalfWaves current = FindCurrentHalfWaves(M);
        const double feedSign = std::sin(kPi * M) > 0.0 ? 1.0 : -1.0;
        const int samples = int(M / 1e-4);
        std::vector<std::pair<double, int>> runs; // start, sign against the feed
        for (int i = 1; i < samples; ++i) {
            const double z = -M / 2 + M * i / samples;
            const int sign = std::sin(2 * kPi * (M / 2 - std::fabs(z))) * feedSign > 0.0 ? 1 : -1;
            if (runs.empty() || runs.back().second != sign)
                runs.emplace_back(z, sign);
        }
        ASSERT_EQ(runs.size(), current.halfWaves.size());
        for (size_t i = 0; i < runs.size(); ++i) {
            EXPECT_NEAR(runs[i].first, current.halfWaves[i].from, 2 * M / samples) << i;
            EXPECT_EQ(runs[i].second > 0, current.halfWaves[i].inPhase) << i;
        }
        const CurrentDistribution drawn = ComputeCurrentDistribution(M, 1001);
        for (const CurrentSample &s : drawn.samples) {
            const double formula = std::sin(2 * kPi * (M / 2 - std::fabs(s.z))) * feedSign;
            EXPECT_NEAR(s.inPhase, formula / (M >= 0.5 ? 1.0 : std::sin(kPi * M)), 1e-12);
        }
    }
}

} // namespace
