// The impedance, resonance, standing-wave ratio and current of the antenna
// physics against values found another way: mpmath at 40 digits with its own
// sine and cosine integrals, made once with
//     python3 tests/physics/antenna_reference.py
// which also checks the closed form itself against a direct numerical
// integration of the induced EMF. The resistance is checked as well against
// the readouts, which integrate the pattern numerically instead.
#include "physics/CurrentDistribution.h"
#include "physics/DipoleRules.h"
#include "physics/ImpedanceCurve.h"
#include "physics/InducedEmf.h"
#include "physics/NecDeck.h"
#include "physics/PatternReadouts.h"
#include "physics/Resonance.h"
#include "physics/StandingWaveRatio.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

void ExpectRelative(double actual, double expected, double tolerance)
{
    EXPECT_NEAR(actual, expected, tolerance * std::fabs(expected));
}

struct ImpedanceCase
{
    const char *name;
    double M;
    double radius;
    std::optional<double> rIn;
    std::optional<double> xIn;
    double xAtMaximum;
};

// clang-format off
const ImpedanceCase kImpedanceCases[] = {
    // Half a wave: 73.079 + j42.515 Ω whatever the radius.
    {"HalfWaveThin", 0.5, 0.001, 73.079010285671385, 42.515114705811065, 42.515114705811065},
    {"HalfWaveThick", 0.5, 0.05, 73.079010285671385, 42.515114705811065, 42.515114705811065},
    {"QuarterWave", 0.25, 0.001, 13.431190977906827, -446.67789198244473, -223.33894599122237},
    {"Short", 0.1, 0.0001, 1.9988527854416765, -1920.236829478596, -183.36630060287192},
    {"VeryShort", 0.01, 0.00001, 0.01972814921100732, -19897.588627513894, -19.631672992310118},
    {"ThreeQuarters", 0.75, 0.01, 371.36012182259534, 517.06579946189937, 258.53289973094968},
    {"ThreeQuartersNegative", -0.75, 0.01, 371.36012182259534, 517.06579946189937, 258.53289973094968},
    {"ThreeHalves", 1.5, 0.001, 105.42124980285684, 45.50951328848511, 45.50951328848511},
    {"ThickLong", 2.3, 0.05, 188.796088044658, -45.40437829957385, -29.717551406585624},
    {"NearLimit", 29.7, 0.001, 528.30803189054815, 735.45058774391023, 481.35865893991096},
    // The feed at a current node: only the impedance at the maximum exists.
    {"FullWave", 1.0, 0.001, std::nullopt, std::nullopt, 125.32659064373031},
};
// clang-format on

class ImpedanceAgainstReference : public ::testing::TestWithParam<ImpedanceCase>
{
};

TEST_P(ImpedanceAgainstReference, MatchesClosedFormAtFortyDigits)
{
    const ImpedanceCase &c = GetParam();
    const DipoleImpedance z = InducedEmfImpedance(c.M, c.radius);
    ExpectRelative(z.atCurrentMaximum.reactance, c.xAtMaximum, 1e-11);
    ASSERT_EQ(z.atFeed.has_value(), c.rIn.has_value());
    if (c.rIn) {
        ExpectRelative(z.atFeed->resistance, *c.rIn, 1e-11);
        ExpectRelative(z.atFeed->reactance, *c.xIn, 1e-11);
        const double feed = std::pow(std::sin(M_PI * c.M), 2);
        ExpectRelative(z.atCurrentMaximum.resistance, *c.rIn * feed, 1e-11);
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, ImpedanceAgainstReference, ::testing::ValuesIn(kImpedanceCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The closed form and the readouts' numerical integral of the pattern are two
// roads to the same resistance; they must meet, and must agree on where the
// feed sits at a current node.
TEST(InducedEmf, ResistanceMeetsTheReadoutsIntegral)
{
    for (const double M : {0.05, 0.5, 0.999, 1.0, 1.000001, 1.00002, 1.25, 1.99, 2.0, 3.7, 29.99}) {
        SCOPED_TRACE(M);
        const PatternReadouts readouts = ComputePatternReadouts(M);
        const DipoleImpedance z = InducedEmfImpedance(M, 0.001);
        ExpectRelative(z.atCurrentMaximum.resistance, readouts.radiationResistance, 1e-9);
        ASSERT_EQ(z.atFeed.has_value(), readouts.inputResistance.has_value());
        if (z.atFeed)
            ExpectRelative(z.atFeed->resistance, *readouts.inputResistance, 1e-9);
    }
}

struct RadiusCase
{
    const char *name;
    double M;
    double radius;
    bool fits;
};

const RadiusCase kRadiusCases[] = {
    {"Thin", 0.5, 0.001, true},
    {"Thickest", 0.5, 0.05, true},
    {"ThickerThanAllowed", 0.5, 0.0500001, false},
    {"JustBelowHalfTheLength", 0.1, 0.0499, true},
    {"HalfTheLength", 0.1, 0.05, false},
    {"NegativeLength", -0.5, 0.01, true},
    {"ZeroLength", 0.0, 0.001, false},
    {"ZeroRadius", 0.5, 0.0, false},
    {"NegativeRadius", 0.5, -0.01, false},
    {"NaNRadius", 0.5, kNaN, false},
    {"InfiniteRadius", 0.5, kInf, false},
    {"NaNLength", kNaN, 0.001, false},
    {"Thinnest", 0.5, 1e-12, true},
    {"ThinnerThanAllowed", 0.5, 0.999e-12, false},
    {"Subnormal", 0.5, 1e-309, false},
    {"LeastSubnormal", 0.5, 4.9e-324, false},
};

class WireRadius : public ::testing::TestWithParam<RadiusCase>
{
};

TEST_P(WireRadius, FitsOnlyAThinWireShorterThanItsLength)
{
    const RadiusCase &c = GetParam();
    EXPECT_EQ(WireRadiusFits(c.M, c.radius), c.fits);
    if (c.fits) {
        EXPECT_NO_THROW(InducedEmfImpedance(c.M, c.radius));
    } else {
        EXPECT_THROW(InducedEmfImpedance(c.M, c.radius), std::domain_error);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, WireRadius, ::testing::ValuesIn(kRadiusCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(InducedEmf, RefusesLengthsBeyondThePlots)
{
    EXPECT_NO_THROW(InducedEmfImpedance(30.0, 0.001));
    EXPECT_THROW(InducedEmfImpedance(30.0000001, 0.001), std::domain_error);
    EXPECT_THROW(InducedEmfImpedance(-kInf, 0.001), std::domain_error);
}

struct ResonanceCase
{
    const char *name;
    double radius;
    double length;
};

// The first series resonance shortens as the wire thickens; the thickest
// wire's reactance stays inductive up to the first current node.
const ResonanceCase kResonanceCases[] = {
    {"VeryThin", 1e-5, 0.48831546484751914},
    {"Thin", 0.001, 0.47750719938965527},
    {"Medium", 0.01, 0.45738169597347258},
    {"Thick", 0.04, 0.39148122830785093},
    {"Thickest", 0.05, 1.4105388373165754},
    // The rising and the falling zero lie 0.005 apart: a coarser scan
    // passes both and lands on the next resonance, near 1.416.
    {"NearlyThickest", 0.04673, 0.32982716418401598},
    {"Thinnest", 1e-12, 0.49562597622966303},
};

class FirstResonance : public ::testing::TestWithParam<ResonanceCase>
{
};

TEST_P(FirstResonance, IsTheFirstRisingZeroOfTheReactance)
{
    const std::optional<double> length = FirstResonantLength(GetParam().radius);
    ASSERT_TRUE(length);
    EXPECT_NEAR(*length, GetParam().length, 1e-11);
}

INSTANTIATE_TEST_SUITE_P(Radii, FirstResonance, ::testing::ValuesIn(kResonanceCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Resonance, RefusesRadiiOutOfRange)
{
    for (const double radius : {0.0, -1e-3, 0.0500001, kNaN, kInf, 0.999e-12, 1e-309, 1e-320})
        EXPECT_THROW(FirstResonantLength(radius), std::domain_error) << radius;
}

// Both kinds of zero, and none where the reactance changes sign through
// infinity at M = 1 and 2.
TEST(Resonance, ListsEveryZeroInARange)
{
    const std::vector<ReactanceZero> zeros = ReactanceZeros(0.001, 0.003, 3.0);
    const ReactanceZero expected[] = {{0.0054367362814953053, false}, {0.47750719938965527, true},
                                      {1.0620770632602363, false},    {1.4780157420478514, true},
                                      {2.0618771193198958, false},    {2.4786832471889067, true}};
    ASSERT_EQ(zeros.size(), std::size(expected));
    for (size_t i = 0; i < zeros.size(); ++i) {
        EXPECT_NEAR(zeros[i].length, expected[i].length, 1e-11) << i;
        EXPECT_EQ(zeros[i].rising, expected[i].rising) << i;
    }
    EXPECT_EQ(ReactanceZeros(0.001, 0.5, 1.0).size(), 0u);
    EXPECT_THROW(ReactanceZeros(0.001, 0.002, 1.0), std::domain_error);
    EXPECT_THROW(ReactanceZeros(0.001, 1.0, 0.5), std::domain_error);
    EXPECT_THROW(ReactanceZeros(0.001, 1.0, 30.5), std::domain_error);
}

struct SwrCase
{
    const char *name;
    double M;
    double referenceResistance;
    double swr;
};

const SwrCase kSwrCases[] = {
    {"HalfWaveOn50", 0.5, 50, 2.1821970960879267},
    {"HalfWaveOn75", 0.5, 75, 1.7633608001301844},
    {"HalfWaveOn300", 0.5, 300, 4.1926781858040213},
    // A few ohms beside hundreds of reactance: |Γ| close to 1.
    {"QuarterWaveOn50", 0.25, 50, 301.08916770740488},
    {"ResonantOn75", 0.47750719938965527, 75, 1.1721593557056018},
};

class StandingWaves : public ::testing::TestWithParam<SwrCase>
{
};

TEST_P(StandingWaves, MatchReference)
{
    const SwrCase &c = GetParam();
    const DipoleImpedance z = InducedEmfImpedance(c.M, 0.001);
    ExpectRelative(StandingWaveRatio(*z.atFeed, c.referenceResistance), c.swr, 1e-10);
}

INSTANTIATE_TEST_SUITE_P(Cases, StandingWaves, ::testing::ValuesIn(kSwrCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The best line found by trying every resistance from 1 to 2000 Ω in steps
// of 0.01 Ω, against the closed answer |Z|.
TEST(StandingWaveRatio, BestLineIsTheImpedancesMagnitude)
{
    const Impedance rows[] = {{73.08, 42.54}, {73.08, -42.54}, {2.0, -1800.0}, {300.0, 0.0}, {1200.0, 600.0}};
    for (const Impedance &z : rows) {
        double best = 1.0;
        for (double r0 = 1.0; r0 <= 2000.0; r0 += 0.01) {
            if (StandingWaveRatio(z, r0) < StandingWaveRatio(z, best))
                best = r0;
        }
        EXPECT_NEAR(BestLineResistance(z), best, 0.01) << z.resistance << " " << z.reactance;
    }
}

TEST(StandingWaveRatio, KeepsItsDigitsNearTotalReflection)
{
    EXPECT_EQ(StandingWaveRatio({50.0, 0.0}, 50.0), 1.0);
    // A pure resistance R against R₀ gives R₀/R exactly.
    EXPECT_NEAR(StandingWaveRatio({1e-6, 0.0}, 50.0), 5e7, 5e7 * 1e-14);
    EXPECT_NEAR(StandingWaveRatio({5000.0, 0.0}, 50.0), 100.0, 1e-12);
    EXPECT_EQ(StandingWaveRatio({0.0, 10.0}, 50.0), kInf);
    for (const double r0 : {0.0, -50.0, kNaN, kInf})
        EXPECT_THROW(StandingWaveRatio({50.0, 0.0}, r0), std::domain_error) << r0;
}

TEST(SteppedLengths, CountsInDecimal)
{
    const std::vector<double> lengths = SteppedLengths(0.1, 3.0, 0.01);
    ASSERT_EQ(lengths.size(), 291u);
    EXPECT_EQ(lengths[0], 0.1);
    EXPECT_EQ(lengths[20], 0.3);
    EXPECT_EQ(lengths[190], 2.0);
    EXPECT_EQ(lengths.back(), 3.0);
    EXPECT_EQ(SteppedLengths(1.0, 2.0, 0.3), (std::vector<double>{1.0, 1.3, 1.6, 1.9}));
    EXPECT_EQ(SteppedLengths(0.5, 0.5, 0.1), std::vector<double>{0.5});
}

TEST(SteppedLengths, RefusesWhatIsNoRange)
{
    EXPECT_THROW(SteppedLengths(2.0, 1.0, 0.1), std::domain_error);
    EXPECT_THROW(SteppedLengths(1.0, 2.0, 0.0), std::domain_error);
    EXPECT_THROW(SteppedLengths(1.0, 2.0, -0.1), std::domain_error);
    EXPECT_THROW(SteppedLengths(kNaN, 2.0, 0.1), std::domain_error);
    EXPECT_THROW(SteppedLengths(1.0, kInf, 0.1), std::domain_error);
    EXPECT_THROW(SteppedLengths(0.0, 10.0, 1e-4), std::domain_error);
    EXPECT_EQ(SteppedLengths(0.0, 9.9999, 1e-4).size(), static_cast<size_t>(kMaxCurveLengths));
}

TEST(ImpedanceCurve, LeavesCurrentNodesEmpty)
{
    const std::vector<ImpedancePoint> points = ComputeImpedanceCurve({0.5, 1.0, 1.5}, 0.001, 75.0);
    ASSERT_EQ(points.size(), 3u);
    ExpectRelative(points[0].input->reactance, 42.515114705811065, 1e-11);
    ExpectRelative(*points[0].swr, 1.7633608001301844, 1e-10);
    EXPECT_FALSE(points[1].input);
    EXPECT_FALSE(points[1].swr);
    ExpectRelative(points[1].atCurrentMaximum.reactance, 125.32659064373031, 1e-11);
    EXPECT_TRUE(points[2].input && points[2].swr);
    EXPECT_FALSE(ComputeImpedanceCurve({0.5}, 0.001, std::nullopt)[0].swr);
}

TEST(FeedAtCurrentNode, OneRuleForTheReadoutsTheImpedanceAndTheCurrent)
{
    // Within 1e-5 of a non-zero whole number of wavelengths the feed is a
    // current node; a short dipole's feed never is. The readouts' input
    // resistance, the impedance at the feed and the feed's current agree.
    struct Case
    {
        double M;
        bool node;
    };
    const Case cases[] = {
        {1e-6, false},    {0.5, false}, {1.0, true},      {1.000005, true},
        {1.00001, false}, {-2.0, true}, {2.999995, true}, {29.0, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.M);
        EXPECT_EQ(FeedAtCurrentNode(c.M), c.node);
        EXPECT_EQ(ComputePatternReadouts(c.M).inputResistance.has_value(), !c.node);
        EXPECT_EQ(InducedEmfImpedance(c.M, 1e-9).atFeed.has_value(), !c.node);
        EXPECT_EQ(FeedCurrentSquared(c.M) == 0.0, c.node);
    }
}

TEST(ImpedanceCurve, RefusesALengthTheRadiusDoesNotFit)
{
    EXPECT_THROW(ComputeImpedanceCurve({0.5, 0.1}, 0.05, std::nullopt), std::domain_error);
    EXPECT_THROW(ComputeImpedanceCurve({0.5, 31.0}, 0.001, std::nullopt), std::domain_error);
    EXPECT_THROW(ComputeImpedanceCurve({0.5}, 0.001, 0.0), std::domain_error);
}

struct FeedCase
{
    const char *name;
    double M;
    std::optional<double> feedToMaximum;
};

const FeedCase kFeedCases[] = {
    {"Quarter", 0.25, 1.0},    {"Short", 1e-6, 1.0},
    {"Half", 0.5, 1.0},        {"ThreeQuarters", 0.75, M_SQRT1_2},
    {"Full", 1.0, 0.0},        {"NearlyFull", 1.0 + 1e-6, 0.0},
    {"ThreeHalves", 1.5, 1.0}, {"FiveQuarters", -1.25, M_SQRT1_2},
    {"Two", 2.0, 0.0},         {"Zero", 0.0, std::nullopt},
};

class FeedCurrent : public ::testing::TestWithParam<FeedCase>
{
};

TEST_P(FeedCurrent, AgainstTheWiresLargest)
{
    const FeedCase &c = GetParam();
    const std::optional<double> ratio = FeedToMaximumCurrent(c.M);
    ASSERT_EQ(ratio.has_value(), c.feedToMaximum.has_value());
    if (ratio) {
        EXPECT_NEAR(*ratio, *c.feedToMaximum, 1e-15);
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, FeedCurrent, ::testing::ValuesIn(kFeedCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CurrentDistribution, VanishesAtTheEndsAndPeaksAtOne)
{
    for (const double M : {0.25, 0.5, 1.0, 1.3, 7.5}) {
        SCOPED_TRACE(M);
        const CurrentDistribution current = ComputeCurrentDistribution(M, 201);
        ASSERT_EQ(current.samples.size(), 201u);
        EXPECT_EQ(current.samples.front().z, -M / 2);
        EXPECT_EQ(current.samples.back().z, M / 2);
        EXPECT_NEAR(current.samples.front().magnitude, 0.0, 1e-15);
        EXPECT_NEAR(current.samples.back().magnitude, 0.0, 1e-14);
        double largest = 0.0;
        for (size_t i = 0; i < current.samples.size(); ++i) {
            largest = std::max(largest, current.samples[i].magnitude);
            EXPECT_NEAR(current.samples[i].magnitude, current.samples[200 - i].magnitude, 1e-14);
        }
        EXPECT_NEAR(largest, 1.0, 1e-3);
        EXPECT_NEAR(current.samples[100].magnitude, *current.feedToMaximum, 1e-12);
    }
    // A wave and a half: current nodes half a wave in from either end, at
    // z = ±0.25, and the full current at ±0.5 and at the feed.
    const CurrentDistribution wave = ComputeCurrentDistribution(1.5, 7);
    EXPECT_NEAR(wave.samples[2].magnitude, 0.0, 1e-15); // z = −0.25
    EXPECT_NEAR(wave.samples[1].magnitude, 1.0, 1e-15); // z = −0.5
    EXPECT_THROW(ComputeCurrentDistribution(30.5, 10), std::domain_error);
    EXPECT_THROW(ComputeCurrentDistribution(1.0, 1), std::domain_error);
}

struct SegmentCase
{
    const char *name;
    double M;
    double radius;
    int segments;
    bool extendedKernel;
};

// A fortieth of a wave, at least 21 and odd; fewer where a segment would be
// shorter than 2 radii; the extended kernel below 8 radii.
const SegmentCase kSegmentCases[] = {
    {"Tiny", 0.015, 1e-5, 21, false},
    {"Fifth", 0.2, 1e-5, 21, false},
    {"Half", 0.5, 1e-5, 21, false},
    {"JustOver21", 0.53, 1e-5, 23, false},
    {"Odd", 0.6, 1e-5, 25, false},
    {"Full", 1.0, 1e-5, 41, false},
    {"Negative", -1.5, 1e-5, 61, false},
    {"Longest", 30.0, 1e-5, 1201, false},
    {"ShortThinKernel", 0.1, 1e-4, 21, false},
    {"ShortExtendedKernel", 0.1, 1e-3, 21, true},
    {"ExtendedKernel", 1.0, 0.005, 41, true},
    {"ThickFewer", 1.0, 0.02, 25, true},
    {"ThickLong", 29.0, 0.049, 295, true},
};

class NecSegments : public ::testing::TestWithParam<SegmentCase>
{
};

TEST_P(NecSegments, AFortiethOfAWaveOddAtLeast21AndTwoRadiiLong)
{
    const NecModel model = MakeNecModel(GetParam().M, GetParam().radius);
    EXPECT_EQ(model.segments, GetParam().segments);
    EXPECT_EQ(model.extendedKernel, GetParam().extendedKernel);
    EXPECT_EQ(NecSegmentCount(GetParam().M, GetParam().radius), GetParam().segments);
}

INSTANTIATE_TEST_SUITE_P(Lengths, NecSegments, ::testing::ValuesIn(kSegmentCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(NecDeck, DescribesTheDipoleInFreeSpaceFedAtItsCentre)
{
    EXPECT_EQ(NecDeck(MakeNecModel(-0.5, 1e-5)), "CM centre-fed dipole, length 0.5 wavelengths, radius 1e-05\n"
                                                 "CE\n"
                                                 "GW 1 21 0 0 -0.25 0 0 0.25 1e-05\n"
                                                 "GE 0\n"
                                                 "EX 0 1 11 0 1 0\n"
                                                 "FR 0 1 0 0 299.8 0\n"
                                                 "RP 0 1801 1 1000 0 0 0.1 0\n"
                                                 "EN\n");
    // A thick wire's extended kernel; the coarser model's impedance alone.
    const NecModel thick = MakeNecModel(1.0, 0.02);
    EXPECT_EQ(NecDeck(HalfNecModel(thick), NecDeckContent::ImpedanceOnly),
              "CM centre-fed dipole, length 1 wavelengths, radius 0.02\n"
              "CE\n"
              "GW 1 13 0 0 -0.5 0 0 0.5 0.02\n"
              "GE 0\n"
              "EK 0\n"
              "EX 0 1 7 0 1 0\n"
              "FR 0 1 0 0 299.8 0\n"
              "XQ 0\n"
              "EN\n");
    EXPECT_EQ(HalfNecModel(MakeNecModel(0.5, 1e-5)).segments, 11);
    EXPECT_EQ(HalfNecModel(MakeNecModel(29.0, 1e-5)).segments, 581);
}

// The fewest segments are a tenth of a wave long (at least 21), and none may
// be shorter than 2 radii.
TEST(NecDeck, RefusesAWireTooThickForItsSegments)
{
    EXPECT_DOUBLE_EQ(MaxNecRadius(0.5), 0.5 / 21 / 2);
    EXPECT_DOUBLE_EQ(MaxNecRadius(29.0), 29.0 / 291 / 2);
    EXPECT_EQ(NecFewestSegments(29.0), 291);
    for (const double M : {0.5, 3.7, 29.0}) {
        EXPECT_NO_THROW(MakeNecModel(M, MaxNecRadius(M))) << M;
        EXPECT_EQ(MakeNecModel(M, MaxNecRadius(M)).segments, NecFewestSegments(M)) << M;
        EXPECT_THROW(MakeNecModel(M, MaxNecRadius(M) * 1.001), std::domain_error) << M;
    }
    EXPECT_THROW(MakeNecModel(0.0, 1e-5), std::domain_error);
    EXPECT_THROW(MakeNecModel(30.5, 1e-5), std::domain_error);
}

} // namespace
