// The readouts against values found another way: textbook figures, and a
// brute-force run in plain double precision that shares nothing with the
// program, made once with
//     python3 tests/physics/readouts_reference.py 0.5 1 1.25 1.5 2 3.7 29.99 1.99 0.25 1.44
// which samples F = |(cos(πM cos θ) − cos(πM)) / sin θ| at 2 000 001 points
// of [0, π], integrates F² sin θ by Simpson's rule over them, takes the
// maxima from the grid (a parabola through each peak and its two neighbours)
// and the half-power crossings by linear interpolation between grid points.
// Its integrals agree with mpmath's quad to 1e-13. Short dipoles, where
// plain double precision loses every digit to cancellation, were measured
// with mpmath at up to 64 digits (the script's --short mode).
#include "physics/PatternReadouts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <vector>

namespace {

struct Reference
{
    const char *name;
    double M;
    double fMax;
    std::vector<double> directions; // to 0.01°
    double hpbw;                    // degrees
    double bracket;                 // the plot's legs, in degrees (0: not checked here)
    double directivity;
    double radiationResistance;
    std::optional<double> inputResistance;
    std::optional<double> sideLobeDb;
    std::vector<double> nulls; // to 0.01°
};

const std::optional<double> kNone;

// clang-format off
const Reference kReferences[] = {
    // Half wave: D 1.64 (2.15 dBi), 73 Ω, 78°; the bracket's legs at
    // indices 107 and 253 of the rectangular plot.
    {"HalfWave", 0.5, 1.0, {90.0}, 78.07771889111544, 73.0,
     1.6409223769846821, 73.07901028566705, 73.07901028566705, kNone, {}},
    // Full wave: D 2.41, 199 Ω, the feed at a current null.
    {"FullWave", 1.0, 2.0, {90.0}, 47.83506391095004, 45.0,
     2.41099763749738, 198.9499805402031, kNone, kNone, {}},
    {"FiveQuarters", 1.25, 1.7071067811865477, {90.0}, 32.60664835291244, 0.0,
     3.2824827850642366, 106.46322368596091, 212.92644737192188, -10.325684018067246, {53.13, 126.87}},
    // Main lobes at 42.6° and 137.4°, nulls where cos θ = ±1/3, and the
    // broadside lobe F(90°) = 1 as the side lobe; bracket legs at 51 and 113.
    {"ThreeHalves", 1.5, 1.3990049536603075, {42.56, 137.44}, 32.795457819239495, 31.0,
     2.226337689001998, 105.421249802855, 105.421249802855, 20 * std::log10(1.0 / 1.3990049536603075),
     {70.53, 109.47}},
    // Two waves: a double null at 90°, two lobes a side and no side lobe.
    {"TwoWaves", 2.0, 2.3389815409456323, {57.44, 122.56}, 26.712232123267615, 0.0,
     2.5285589046111205, 259.4545002859159, kNone, kNone, {90.0}},
    {"ThreePointSeven", 3.7, 2.8233974106688744, {32.37, 147.63}, 21.05054584470523, 0.0,
     3.952134740517405, 241.8761103652105, 369.5538123715584, -4.665783864516123,
     {51.57, 62.65, 85.35, 94.65, 117.35, 128.43}},
    {"Longest", 29.99, 8.06930343304193, {13.89, 166.11}, 6.210845158669138, 0.0,
     15.462891235073457, 504.96594106469905, 511805.8236880076, -4.87109749515201, {}},
    // Just short of two waves: the double null splits into two nulls 0.6°
    // apart with a lobe of 2e-4 of the maximum between them.
    {"NearlyTwoWaves", 1.99, 2.3432221620502975, {57.21, 122.79}, 26.96595372748143, 0.0,
     2.5126341394068272, 262.04650434335065, 265595.98597350327, -73.5315887216454, {89.71, 90.29}},
    // Quarter wave: bracket legs at 98 and 262.
    {"QuarterWave", 0.25, 0.2928932188134524, {90.0}, 87.03547210486346, 82.0,
     1.5318449156514637, 6.715595488953186, 13.431190977906375, kNone, {}},
    // The broadside lobe is the maximum by 0.03 dB: the lobes at 40° and
    // 140° are side lobes, not further directions of the maximum.
    {"SideLobeJustBelowTheMaximum", 1.44, 1.1873813145857246, {90.0}, 22.467629771347312, 22.0,
     1.8885333012326606, 89.52337937039887, 92.78108633310701, -0.02950405754773231, {67.11, 112.89}},
};
// clang-format on

void PrintTo(const Reference &ref, std::ostream *out)
{
    *out << ref.name << " (M = " << ref.M << ")";
}

class ReadoutsAgainstReference : public ::testing::TestWithParam<Reference>
{
};

void ExpectRelative(double actual, double expected, double tolerance, const char *what)
{
    EXPECT_NEAR(actual, expected, tolerance * std::fabs(expected)) << what;
}

} // namespace

TEST_P(ReadoutsAgainstReference, MatchesTheBruteForceValues)
{
    const Reference &ref = GetParam();
    for (const double M : {ref.M, -ref.M}) {
        SCOPED_TRACE(M);
        const PatternReadouts r = ComputePatternReadouts(M);
        EXPECT_FALSE(r.zeroPattern);
        ExpectRelative(r.fMax, ref.fMax, 1e-9, "f_max");
        EXPECT_EQ(r.maxDirectionsDeg, ref.directions);
        ASSERT_TRUE(r.halfPowerWidthDeg);
        EXPECT_NEAR(*r.halfPowerWidthDeg, ref.hpbw, 0.001);
        if (ref.bracket > 0) {
            EXPECT_EQ(r.bracketDeg, ref.bracket);
        }
        ExpectRelative(*r.directivity, ref.directivity, 1e-7, "directivity");
        EXPECT_NEAR(*r.directivityDbi, 10 * std::log10(ref.directivity), 1e-6);
        ExpectRelative(r.radiationResistance, ref.radiationResistance, 1e-7, "radiation resistance");
        EXPECT_EQ(r.inputResistance.has_value(), ref.inputResistance.has_value());
        if (r.inputResistance && ref.inputResistance) {
            ExpectRelative(*r.inputResistance, *ref.inputResistance, 1e-7, "input resistance");
        }
        EXPECT_EQ(r.sideLobeLevelDb.has_value(), ref.sideLobeDb.has_value());
        if (r.sideLobeLevelDb && ref.sideLobeDb) {
            EXPECT_NEAR(*r.sideLobeLevelDb, *ref.sideLobeDb, 1e-6);
        }
        if (!ref.nulls.empty()) {
            EXPECT_EQ(r.nullsDeg, ref.nulls);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, ReadoutsAgainstReference, ::testing::ValuesIn(kReferences),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Readouts, NullsOfALongDipoleComeInMirrorPairsWhereCosThetaIsOneMinusTwoKOverM)
{
    // 58 nulls: cos θ = ±(1 − 2k/29.99) for k = 1 … 29, none at 90°; the
    // first two (python3: math.degrees(math.acos(...))) are
    // acos(-1 + 2·29/29.99) = 20.9363…° and acos(1 - 2/29.99) = 21.0430…°.
    const PatternReadouts r = ComputePatternReadouts(29.99);
    ASSERT_EQ(r.nullsDeg.size(), 58u);
    EXPECT_EQ(r.nullsDeg[0], 20.94);
    EXPECT_EQ(r.nullsDeg[1], 21.04);
    for (size_t i = 0; i < r.nullsDeg.size(); ++i)
        EXPECT_NEAR(r.nullsDeg[i] + r.nullsDeg[r.nullsDeg.size() - 1 - i], 180.0, 0.0100001) << i;
}

TEST(Readouts, TheBracketIsThePlotsOwnAndMayDifferFromTheHalfPowerWidth)
{
    // Bracket legs from the plot: M = 10 jumps across a lobe (indices 37 and
    // 323), M = 7.3 falls back to a single stroke at index 68.
    EXPECT_EQ(ComputePatternReadouts(10).bracketDeg, 143.0);
    EXPECT_EQ(ComputePatternReadouts(7.3).bracketDeg, 0.0);
    EXPECT_EQ(ComputePatternReadouts(0).bracketDeg, 0.0);
}

TEST(Readouts, AZeroPatternIsSaidToBeZeroInsteadOfDividedByZero)
{
    const PatternReadouts r = ComputePatternReadouts(0.0);
    EXPECT_TRUE(r.zeroPattern);
    EXPECT_EQ(r.fMax, 0.0);
    EXPECT_FALSE(r.directivity);
    EXPECT_FALSE(r.directivityDbi);
    EXPECT_FALSE(r.halfPowerWidthDeg);
    EXPECT_FALSE(r.inputResistance);
    EXPECT_EQ(r.radiationResistance, 0.0);
    EXPECT_TRUE(r.maxDirectionsDeg.empty());
    EXPECT_TRUE(r.nullsDeg.empty());
}

namespace {

struct ShortDipole
{
    const char *name;
    double M;
    double fMax;
    double hpbw;
    double directivity;
    double radiationResistance;
    double inputResistance;
};

// As M → 0, D → 1.5 and the half-power width → 90°, and the input resistance
// → Z₀πM²/6 (the textbook's 20π²M² with Z₀ = 120π, the short dipole's
// triangular current); R_r, referred to the far larger current maximum, →
// Z₀π³M⁴/6 and f_max → π²M²/2. Down to 1e-9 the values are mpmath's; below,
// these limits, which are then exact to far beyond a double's digits (and
// underflow where the true values do).
ShortDipole Limits(const char *name, double M)
{
    const double Z0 = kFreeSpaceImpedance;
    const double pi = M_PI;
    return {name, M, pi * pi * M * M / 2, 90.0, 1.5, Z0 * pi * pi * pi * M * M * M * M / 6, Z0 * pi * M * M / 6};
}

// clang-format off
const ShortDipole kShortDipoles[] = {
    {"OneThousandth", 1e-3, 4.9347981418338884e-6, 89.999952876104382, 1.5000004934804694,
     1.9468302136812743e-9, 0.00019725579054553759},
    {"HundredThousandth", 1e-5, 4.9348022001388081e-10, 89.999999995287611, 1.500000000049348,
     1.9468340561900679e-17, 1.9725553099328567e-8},
    {"TenMillionth", 1e-7, 4.9348022005446387e-14, 89.999999999999529, 1.5000000000000049,
     1.9468340565743191e-25, 1.9725553096733048e-12},
    {"Billionth", -1e-9, 4.9348022005446793e-18, 90.0, 1.5, 1.9468340565743575e-33, 1.9725553096732788e-16},
    Limits("TenToTheMinus100", 1e-100),
    Limits("SmallestNormal", std::numeric_limits<double>::min()),
    Limits("SmallestSubnormal", std::numeric_limits<double>::denorm_min()),
};
// clang-format on

void PrintTo(const ShortDipole &ref, std::ostream *out)
{
    *out << ref.name << " (M = " << ref.M << ")";
}

class ReadoutsOfAShortDipole : public ::testing::TestWithParam<ShortDipole>
{
};

} // namespace

TEST_P(ReadoutsOfAShortDipole, ApproachTheHertzianDipoleWithoutLosingDigits)
{
    const ShortDipole &ref = GetParam();
    const PatternReadouts r = ComputePatternReadouts(ref.M);
    EXPECT_FALSE(r.zeroPattern);
    ExpectRelative(r.fMax, ref.fMax, 1e-9, "f_max");
    EXPECT_EQ(r.maxDirectionsDeg, std::vector<double>{90.0});
    ASSERT_TRUE(r.halfPowerWidthDeg);
    EXPECT_NEAR(*r.halfPowerWidthDeg, ref.hpbw, 1e-6);
    ASSERT_TRUE(r.directivity);
    EXPECT_NEAR(*r.directivity, ref.directivity, 1e-9);
    ExpectRelative(r.radiationResistance, ref.radiationResistance, 1e-9, "radiation resistance");
    ASSERT_TRUE(r.inputResistance) << "a short dipole's feed is no current node";
    ExpectRelative(*r.inputResistance, ref.inputResistance, 1e-9, "input resistance");
    EXPECT_FALSE(r.sideLobeLevelDb);
    EXPECT_TRUE(r.nullsDeg.empty());
}

INSTANTIATE_TEST_SUITE_P(Lengths, ReadoutsOfAShortDipole, ::testing::ValuesIn(kShortDipoles),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Readouts, TheFeedIsACurrentNodeOnlyNextToAWholeNumberOfWavelengths)
{
    struct Case
    {
        double M;
        bool node;
    };
    const Case cases[] = {{1.0, true},       {1.000005, true}, {0.999995, true}, {-2.000005, true},
                          {29.999995, true}, {1.00002, false}, {2.99998, false}, {0.5, false},
                          {1e-5, false},     {-4e-6, false},   {0.99, false}};
    for (const Case &c : cases) {
        const PatternReadouts r = ComputePatternReadouts(c.M);
        EXPECT_EQ(r.inputResistance.has_value(), !c.node) << c.M;
        if (r.inputResistance) {
            const double feed = std::sin(M_PI * c.M);
            ExpectRelative(*r.inputResistance, r.radiationResistance / (feed * feed), 1e-9, "input resistance");
        }
    }
}

TEST(Readouts, LengthsBeyondThirtyInEitherSignAreRefused)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double aboveLimit = std::nextafter(30.0, inf);
    for (const double M : {aboveLimit, -aboveLimit, 1e300, inf, -inf, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_THROW(ComputePatternReadouts(M), std::domain_error) << M;
    // A length typed just below 30 can become 30 as a double: it is
    // measured, not refused (the plots draw it).
    EXPECT_NO_THROW(ComputePatternReadouts(-29.99));
    EXPECT_NO_THROW(ComputePatternReadouts(30.0));
}
