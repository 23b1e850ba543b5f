// The dipole over a perfect ground and the monopole against figures found
// another way: the far field of the wire and its image summed from their
// currents, integrated over the upper half space, and the induced-EMF
// integral written out from the geometry, all with mpmath:
//     python3 tests/physics/ground_reference.py
// The half-wave side-by-side pair at 0.5 λ agrees there with the textbook's
// Si/Ci form, −12.5234 − j29.9079 Ω, to all the digits printed.
#include "physics/GroundImage.h"
#include "physics/GroundImpedance.h"
#include "physics/GroundReadouts.h"
#include "physics/MutualImpedance.h"
#include "physics/PatternReadouts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;
constexpr auto kH = GroundOrientation::Horizontal;
constexpr auto kV = GroundOrientation::Vertical;

struct PatternCase
{
    const char *name;
    double M, h;
    GroundOrientation orientation;
    double elevationDeg, azimuthDeg, value; // F·|AF|
};

// clang-format off
const PatternCase kPatterns[] = {
    {"QuarterHighAcross", 0.5, 0.25, kH, 30, 90, 1.4142135623731},
    {"HalfHighAcross", 0.5, 0.5, kH, 30, 90, 2.0},
    {"HalfHighAlong", 0.5, 0.5, kH, 40, 0, 1.00728252180682},
    {"VerticalHalfWave", 0.5, 0.3, kV, 20, 0, 1.46150588431974},
    {"OblongOblique", 1.5, 0.7, kH, 25, 37, 2.67903708028903},
    {"VerticalLong", 1.25, 0.9, kV, 10, 0, 1.67325138997206},
};
// clang-format on

TEST(GroundTest, PatternIsTheWireAndItsImage)
{
    for (const PatternCase &c : kPatterns) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(GroundPattern(c.M, c.h, c.orientation, c.elevationDeg * kDeg, c.azimuthDeg * kDeg), c.value, 1e-12);
    }
}

struct ReadoutCase
{
    const char *name;
    double M, h;
    GroundOrientation orientation;
    double maxEl, lower, upper; // the cut across, or any vertical plane
    std::optional<double> alongMaxEl, alongLower, alongUpper;
    double dbi;
};

// clang-format off
const ReadoutCase kReadouts[] = {
    {"QuarterHigh", 0.5, 0.25, kH, 90.0, 30.0, 90.0, 90.0, 53.6644703747, 90.0, 7.484546548},
    {"HalfHigh", 0.5, 0.5, kH, 30.0, 14.4775121859, 48.5903778907, 41.858135255, 26.1928037824, 58.4571489444, 8.416502578},
    {"FullWaveTilted", 1.0, 0.4, kH, 38.6821874535, 18.2099568643, 69.6358651937, 90.0, 54.9994456059, 90.0, 8.926274849},
    {"Vertical", 0.5, 0.3, kV, 0.0, 0.0, 20.9925930236, std::nullopt, std::nullopt, std::nullopt, 7.377276416},
    {"VerticalLong", 1.25, 0.9, kV, 0.0, 0.0, 7.26732355821, std::nullopt, std::nullopt, std::nullopt, 11.37630798},
};
// clang-format on

TEST(GroundTest, ReadoutsAgreeWithTheIntegratedField)
{
    for (const ReadoutCase &c : kReadouts) {
        SCOPED_TRACE(c.name);
        const GroundReadouts r = ComputeGroundReadouts(c.M, c.h, 0.001, c.orientation);
        ASSERT_TRUE(r.cut);
        EXPECT_NEAR(r.cut->maxElevationDeg, c.maxEl, 0.01); // a flat top at the zenith
        EXPECT_NEAR(r.cut->halfPowerLowerDeg, c.lower, 1e-6);
        EXPECT_NEAR(r.cut->halfPowerUpperDeg, c.upper, 1e-6);
        ASSERT_EQ(r.alongCut.has_value(), c.alongMaxEl.has_value());
        if (r.alongCut) {
            EXPECT_NEAR(r.alongCut->maxElevationDeg, *c.alongMaxEl, 0.01);
            EXPECT_NEAR(r.alongCut->halfPowerLowerDeg, *c.alongLower, 1e-6);
            EXPECT_NEAR(r.alongCut->halfPowerUpperDeg, *c.alongUpper, 1e-6);
        }
        EXPECT_NEAR(r.directivityDbi, c.dbi, 1e-6);
    }
}

// The half wave across a horizontal wire: |sin(2πh·sin el)|, whose lobes
// peak at sin el = (2k+1)/(4h) and at the zenith at |sin 2πh|.
struct RivalCase
{
    const char *name;
    double h;
    double firstEl, secondEl; // the maximum and its rival, in either order; second NaN: no rival
    double rivalDb;
};

// clang-format off
const RivalCase kRivals[] = {
    {"OneWavelengthEqualLobes", 1.0, 14.4775121859, 48.5903778907, 0.0},
    {"ZenithEqualsTheLowLobe", 0.75, 19.4712206345, 90.0, 0.0},
    {"ZenithWithinOneDb", 0.7, 20.9248324276, 90.0, -0.4358734891},      // 20·log10 sin(0.4π)
    {"ZenithBelowOneDb", 0.65, 22.6198649480, std::nan(""), 0.0},      // −1.84 dB
    {"FlatTopAtTheZenith", 0.25, 90.0, std::nan(""), 0.0},
};
// clang-format on

TEST(GroundTest, FlagsALobeWithinOneDbOfTheMaximum)
{
    for (const RivalCase &c : kRivals) {
        SCOPED_TRACE(c.name);
        const std::optional<ElevationReadouts> r = ComputeGroundReadouts(0.5, c.h, 0.001, kH).cut;
        ASSERT_TRUE(r);
        ASSERT_EQ(r->rivalElevationDeg.has_value(), !std::isnan(c.secondEl));
        if (!r->rivalElevationDeg) {
            EXPECT_NEAR(r->maxElevationDeg, c.firstEl, 0.01);
            continue;
        }
        const bool firstIsMax = std::fabs(r->maxElevationDeg - c.firstEl) < 0.01;
        EXPECT_NEAR(r->maxElevationDeg, firstIsMax ? c.firstEl : c.secondEl, 0.01);
        EXPECT_NEAR(*r->rivalElevationDeg, firstIsMax ? c.secondEl : c.firstEl, 0.01);
        EXPECT_NEAR(*r->rivalLevelDb, c.rivalDb, 1e-6);
    }
}

struct MutualCase
{
    const char *name;
    bool collinear;
    double M, distance, resistance, reactance;
};

// clang-format off
const MutualCase kMutuals[] = {
    {"HalfWavesHalfApart", false, 0.5, 0.5, -12.523407452488, -29.9079359346615},
    {"HalfWavesClose", false, 0.5, 0.1, 67.2870329205798, 7.53257752076038},
    {"HalfWavesFar", false, 0.5, 1.3, 12.5842781634795, -6.68834366024496},
    {"ThreeHalves", false, 1.5, 0.6, -10.635944516583, -40.7761250971202},
    {"ShortAndNear", false, 0.3, 0.02, 13.1337259391239, -59.7118333810601},
    {"CollinearGap", true, 0.5, 0.6, 14.6641038702672, -4.01156053311058},
    {"CollinearWide", true, 0.5, 1.0, -4.11593055819772, -0.72155418236586},
    {"CollinearLong", true, 1.25, 2.0, -3.42393932089905, 2.26256286635422},
    {"CollinearAlmostTouching", true, 0.3, 0.31, 8.94945062037521, 16.8118453045254},
    {"CollinearNanoGap", true, 0.5, 0.500000002, 26.395979731251, 20.1481735473317},
};
// clang-format on

TEST(GroundTest, MutualImpedanceAgreesWithTheInducedEmfIntegral)
{
    for (const MutualCase &c : kMutuals) {
        SCOPED_TRACE(c.name);
        const Impedance z =
            c.collinear ? CollinearMutualImpedance(c.M, c.distance) : SideBySideMutualImpedance(c.M, c.distance);
        EXPECT_NEAR(z.resistance, c.resistance, 1e-7);
        EXPECT_NEAR(z.reactance, c.reactance, 1e-7);
    }
}

// The free-space input impedance at radius 0.001 (antenna_test.cpp's
// references) minus the side-by-side or plus the collinear figure above,
// over sin²(πM) = 1.
struct InputCase
{
    const char *name;
    double M, h;
    GroundOrientation orientation;
    double resistance, reactance;
};

// clang-format off
const InputCase kInputs[] = {
    {"QuarterHigh", 0.5, 0.25, kH, 73.079010285671385 + 12.523407452488, 42.515114705811065 + 29.9079359346615},
    {"Low", 0.5, 0.05, kH, 73.079010285671385 - 67.2870329205798, 42.515114705811065 - 7.53257752076038},
    {"ThreeHalves", 1.5, 0.3, kH, 105.42124980285684 + 10.635944516583, 45.50951328848511 + 40.7761250971202},
    {"Vertical", 0.5, 0.3, kV, 73.079010285671385 + 14.6641038702672, 42.515114705811065 - 4.01156053311058},
    {"VerticalHigh", 0.5, 0.5, kV, 73.079010285671385 - 4.11593055819772, 42.515114705811065 - 0.72155418236586},
};
// clang-format on

TEST(GroundTest, InputImpedanceAddsTheImage)
{
    for (const InputCase &c : kInputs) {
        SCOPED_TRACE(c.name);
        const std::optional<Impedance> z = GroundInputImpedance(c.M, 0.001, c.h, c.orientation);
        ASSERT_TRUE(z);
        EXPECT_NEAR(z->resistance, c.resistance, 1e-6);
        EXPECT_NEAR(z->reactance, c.reactance, 1e-6);
    }
    EXPECT_FALSE(GroundInputImpedance(1.0, 0.001, 0.4, kH)); // the feed at a current node
}

struct RefusalCase
{
    const char *name;
    double M, radius, h;
    GroundOrientation orientation;
};

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// clang-format off
const RefusalCase kRefusals[] = {
    {"VerticalTouching", 0.5, 0.001, 0.25, kV},
    {"VerticalInto", 0.5, 0.001, 0.1, kV},
    {"HorizontalTouching", 0.5, 0.001, 0.001, kH},
    {"OnTheGround", 0.5, 0.001, 0.0, kH},
    {"Below", 0.5, 0.001, -1.0, kH},
    {"NaNHeight", 0.5, 0.001, kNaN, kV},
    {"InfiniteHeight", 0.5, 0.001, kInf, kH},
    {"TooHigh", 0.5, 0.001, 100.000001, kV},
    {"NoLength", 0.0, 0.001, 1.0, kH},
};
// clang-format on

TEST(GroundTest, RefusesAWireInTheGround)
{
    EXPECT_EQ(LowestHeightAllowed(0.5, 0.001, kV), 0.25);
    EXPECT_EQ(LowestHeightAllowed(0.5, 0.001, kH), 0.001);
    for (const RefusalCase &c : kRefusals) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(ComputeGroundReadouts(c.M, c.h, c.radius, c.orientation), std::domain_error);
        EXPECT_THROW(GroundInputImpedance(c.M, c.radius, c.h, c.orientation), std::domain_error);
    }
    EXPECT_NO_THROW(ComputeGroundReadouts(0.5, 0.2501, 0.001, kV));
    EXPECT_NO_THROW(ComputeGroundReadouts(0.5, kMaxGroundHeight, 0.001, kH));
}

struct MonopoleCase
{
    const char *name;
    double M, dbi;
};

const MonopoleCase kMonopoles[] = {
    {"QuarterWave", 0.5, 5.161180331}, {"Short", 0.25, 4.862447951}, {"Long", 1.25, 8.172324528}};

TEST(GroundTest, MonopoleIsTheUpperHalfOfTheDipole)
{
    for (const MonopoleCase &c : kMonopoles) {
        SCOPED_TRACE(c.name);
        const GroundReadouts r = ComputeMonopoleReadouts(c.M);
        EXPECT_NEAR(r.directivityDbi, c.dbi, 1e-6);
        EXPECT_DOUBLE_EQ(r.directivity, 2.0 * *ComputePatternReadouts(c.M).directivity);
        ASSERT_TRUE(r.cut);
        EXPECT_EQ(r.cut->maxElevationDeg, 0.0);
        // The dipole's half-power width is twice the monopole's upper edge.
        EXPECT_NEAR(2.0 * r.cut->halfPowerUpperDeg, *ComputePatternReadouts(c.M).halfPowerWidthDeg, 1e-6);
        const Impedance dipole = *InducedEmfImpedance(c.M, 0.001).atFeed;
        const Impedance monopole = *MonopoleInputImpedance(c.M, 0.001);
        EXPECT_DOUBLE_EQ(monopole.resistance, dipole.resistance / 2.0);
        EXPECT_DOUBLE_EQ(monopole.reactance, dipole.reactance / 2.0);
    }
}

} // namespace
