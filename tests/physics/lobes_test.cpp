// Every lobe of a pattern, the main lobe's width at 0.7 of the maximum and
// the rival-lobe flag, against values solved at 30 digits by
//     python3 tests/physics/lobes_reference.py 0.5 1.4405 1.4406 2.5 7.3 10 1.25 0.25 1.99
// which finds each peak from F'(θ) = 0 and each crossing from F(θ) = level
// with mpmath's root finder, sharing nothing with the program.
#include "physics/Lobes.h"
#include "physics/PatternReadouts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct ExpectedLobe
{
    double directionDeg;
    double levelDb;
    double halfPowerWidthDeg;
};

struct LobeCase
{
    const char *name;
    double M;
    std::vector<ExpectedLobe> lobes;
    double width07Deg;
    std::optional<double> rivalDeg; // the readouts' rival lobe
};

// clang-format off
const LobeCase kLobeCases[] = {
    // The plot's bracket marks 73° here; the true width at 0.7 is 79.2°.
    {"HalfWave", 0.5, {{90.0, 0.0, 78.077718891124}}, 79.1759290307979, std::nullopt},
    {"QuarterWave", 0.25, {{90.0, 0.0, 87.035472104894}}, 88.1788497097201, std::nullopt},
    {"FiveQuarters", 1.25, {{31.09, -10.3256840180672, 26.8822981435828}, {90.0, 0.0, 32.6066483529249}},
     33.0461878058495, std::nullopt},
    // Just before the oblique lobe overtakes the broadside one, and just after.
    {"BeforeTheJump", 1.4405, {{40.20, -0.00489383931797804, 32.0872390559267}, {90.0, 0.0, 22.4427151578575}},
     22.7319142595545, 40.20},
    {"AfterTheJump", 1.4406, {{40.20, 0.0, 32.0887632376095}, {90.0, -2.77946068054639e-5, 22.4377333431069}},
     32.514042792326, 90.0},
    // Just short of two waves: a lobe of −73.5 dB between two nulls 0.6° apart.
    {"NearlyTwoWaves", 1.99, {{57.21, 0.0, 26.9659537275163}, {90.0, -73.5315887216446, 0.311633440852263}},
     27.3453337225989, std::nullopt},
    {"FiveHalves", 2.5, {{32.20, 0.0, 24.7472105704675}, {65.93, -4.10923641347018, 12.6977090628096},
                         {90.0, -4.88283780465335, 11.5526120835114}}, 25.0803814893136, std::nullopt},
    {"SevenPointThree", 7.3, {{13.79, -5.10624203846871, 11.7188390491066}, {33.91, 0.0, 9.20247883519762},
                              {46.69, -13.9343444833189, 3.41286682356255}, {56.61, -3.4181592791812, 6.04403647554889},
                              {65.71, -15.8859262656098, 2.72301291071834}, {74.05, -4.63677150243462, 5.23982984817855},
                              {82.12, -16.6078227800475, 2.50533301545014}, {90.0, -4.97679518965058, 5.03641856140595}},
     9.3244131774751, std::nullopt},
    // An even length: 90° is a null, and the last lobe ends there.
    {"Ten", 10.0, {{24.40, 0.0, 10.8128156598915}, {45.35, -4.49195862866545, 5.89793525041188},
                   {59.91, -6.17971053277092, 4.83263982387783}, {72.50, -7.02248162494448, 4.38043993603473},
                   {84.25, -7.38928868444011, 4.1977213200702}}, 10.965044012732, std::nullopt},
};
// clang-format on

class LobesAgainstReference : public ::testing::TestWithParam<LobeCase>
{
};

TEST_P(LobesAgainstReference, EveryLobeItsLevelAndWidth)
{
    const LobeCase &c = GetParam();
    for (const double M : {c.M, -c.M}) {
        const std::vector<Lobe> lobes = FindLobes(M);
        ASSERT_EQ(lobes.size(), c.lobes.size());
        for (size_t i = 0; i < lobes.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(lobes[i].directionDeg, c.lobes[i].directionDeg);
            EXPECT_NEAR(lobes[i].levelDb, c.lobes[i].levelDb, 1e-9);
            EXPECT_NEAR(lobes[i].halfPowerWidthDeg, c.lobes[i].halfPowerWidthDeg, 1e-7);
            EXPECT_EQ(lobes[i].maximum, c.lobes[i].levelDb == 0.0);
            EXPECT_EQ(lobes[i].rival, c.lobes[i].levelDb != 0.0 && c.lobes[i].levelDb >= -1.0);
        }
    }
}

TEST_P(LobesAgainstReference, ReadoutsWidthAtSevenTenthsAndRival)
{
    const LobeCase &c = GetParam();
    const PatternReadouts r = ComputePatternReadouts(c.M);
    ASSERT_TRUE(r.width07Deg);
    EXPECT_NEAR(*r.width07Deg, c.width07Deg, 1e-7);
    EXPECT_EQ(r.rivalLobeDeg, c.rivalDeg);
    EXPECT_EQ(r.rivalLobeLevelDb.has_value(), c.rivalDeg.has_value());
}

INSTANTIATE_TEST_SUITE_P(Lengths, LobesAgainstReference, ::testing::ValuesIn(kLobeCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The lobe list and the readouts find the lobes each their own way; they
// must agree on the main lobe's half-power width and on a rival at every
// length.
TEST(Lobes, MainLobeAgreesWithTheReadouts)
{
    // Very short dipoles first: their pattern is too small and too flat for
    // a difference of two cosines, which must not mislead the lobes.
    std::vector<double> lengths{1e-12, 1e-10, 1e-7, 1e-4};
    for (double M = 0.05; M < 30.0; M += 0.0731)
        lengths.push_back(M);
    for (const double M : lengths) {
        SCOPED_TRACE(M);
        const PatternReadouts r = ComputePatternReadouts(M);
        const std::vector<Lobe> lobes = FindLobes(M);
        const Lobe *main = nullptr;
        for (const Lobe &lobe : lobes)
            if (lobe.maximum)
                main = &lobe;
        ASSERT_NE(main, nullptr);
        EXPECT_NEAR(main->halfPowerWidthDeg, *r.halfPowerWidthDeg, 1e-6);
        EXPECT_EQ(main->directionDeg, r.maxDirectionsDeg.front());
        EXPECT_NEAR(main->value / r.fMax, 1.0, 1e-9);
        EXPECT_GE(*r.width07Deg, *r.halfPowerWidthDeg);
        bool rival = false;
        for (const Lobe &lobe : lobes)
            rival = rival || lobe.rival;
        EXPECT_EQ(r.rivalLobeDeg.has_value(), rival);
    }
}

TEST(Lobes, NoneForAZeroPatternAndNoneBeyondTheLimit)
{
    EXPECT_TRUE(FindLobes(0.0).empty());
    EXPECT_FALSE(ComputePatternReadouts(0.0).width07Deg);
    EXPECT_EQ(FindLobes(30.0).size(), 15u);
    EXPECT_THROW(FindLobes(30.5), std::domain_error);
    EXPECT_THROW(FindLobes(std::nan("")), std::domain_error);
}

} // namespace
