// nec2c's report of the half-wave deck, stored from a real run, read back;
// and refused when any part of it is missing or inconsistent.
#include "physics/NecOutput.h"
#include "physics/PatternFunction.h"
#include "physics/PatternReadouts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string StoredHalfWave()
{
    std::ifstream file(DIPOLE_TEST_DATA_DIR "/nec2c_half_wave.out", std::ios::binary);
    EXPECT_TRUE(file.is_open());
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

const NecModel kHalfWave = MakeNecModel(0.5, 1e-5);

// The stored report is nec2c's for NecDeck(kHalfWave) (nec2c -i deck -o
// out, any line holding the word for the structure's heading left out). The
// directivity from its fields by hand: Simpson's rule over the 1801 squared
// E(θ) sin θ (python3, the samples read with split()) gives ∫ = 0.58236814,
// the top three samples are equal (0.69222 V), so
//     D = 2 · 0.69222² / 0.5823681373482849 = 1.6455922919111643,
// 2.1632224442057164 dBi (the report's gain column: 2.16 dB).
TEST(NecOutput, ReadsTheStoredHalfWave)
{
    const NecSolution s = ParseNecOutput(StoredHalfWave(), kHalfWave);
    EXPECT_EQ(s.segments, 21);
    EXPECT_EQ(s.input.resistance, 77.702);
    EXPECT_EQ(s.input.reactance, 44.227);
    EXPECT_NEAR(s.directivity, 1.6455922919111643, 1e-12);
    EXPECT_NEAR(s.directivityDbi, 2.1632224442057164, 1e-11);
    // Segment 11, the feed, carries the largest current, 11.185 mA.
    EXPECT_EQ(s.feedToMaximum, 1.0);
    ASSERT_EQ(s.currents.size(), 21u);
    EXPECT_NEAR(s.currents.front().z, -0.25 + 0.5 / 42, 1e-15);
    EXPECT_NEAR(s.currents[10].z, 0.0, 1e-15);
    EXPECT_NEAR(s.currents.front().magnitude, 9.8915e-4 / 0.011185, 1e-15);
    // Segment 1 against the feed's phase, from the printed parts:
    //     python3 -c "a=complex(8.2766e-4,-5.4165e-4); f=complex(9.7205e-3,-5.5328e-3);
    //                 print(a*f.conjugate()/abs(f)/0.011185)"
    EXPECT_NEAR(s.currents.front().inPhase, 0.08826477909503609, 1e-12);
    EXPECT_NEAR(s.currents.front().quadrature, -0.0054821743143275235, 1e-12);
    EXPECT_NEAR(s.currents[10].inPhase, s.feedToMaximum, 1e-4);
    ASSERT_EQ(s.pattern.size(), 361u);
    EXPECT_EQ(s.pattern[90].thetaDeg, 45.0);
    EXPECT_NEAR(s.pattern[90].field, 0.43294 / 0.69222, 1e-15);
    EXPECT_EQ(s.pattern[180].field, 1.0);
    EXPECT_EQ(s.pattern[0].field, 0.0);
    EXPECT_EQ(ParseNecInputImpedance(StoredHalfWave(), kHalfWave).reactance, 44.227);
}

// The theory's pattern sampled as nec2c samples a pattern, every tenth of a
// degree: its directivity from the samples against the readouts' (which
// agree with mpmath's to 1e-7). A long wire's largest lobe is a degree or
// two wide and falls between samples; its top is lost without the parabola.
TEST(NecOutput, FindsTheDirectivityOfSamples)
{
    for (const double M : {0.5, 1.5, 12.3, 27.83, 29.0}) {
        std::vector<double> squared;
        for (int i = 0; i < kNecDirections; ++i) {
            const double f = PatternValue(M, DegreeAngle(i * static_cast<long double>(kNecFineStepDeg)));
            squared.push_back(f * f);
        }
        const double expected = *ComputePatternReadouts(M).directivity;
        EXPECT_NEAR(SampledDirectivity(squared), expected, 1e-5 * expected) << M;
    }
}

struct Damage
{
    const char *name;
    const char *before;
    const char *after;
};

// clang-format off
const Damage kDamages[] = {
    {"NoInputSection", "ANTENNA INPUT PARAMETERS", "ANTENNA INPUT"},
    {"SourceOffCentre", "    1    11  1.0000E+00", "    1    10  1.0000E+00"},
    {"NegativeResistance", "7.7702E+01", "-7.7702E+01"},
    {"NotANumber", "7.7702E+01", "nan"},
    {"MissingCurrent", "    15    1    0.0000    0.0000    0.0952   0.02381  8.0982E-03 -4.9633E-03  9.4981E-03  -31.504\n", ""},
    {"MisplacedCurrent", "    15    1    0.0000    0.0000    0.0952", "    15    1    0.0000    0.0000    0.0962"},
    {"NoCurrentSection", "CURRENTS AND LOCATION", "CURRENTS"},
    {"NoRadiatedPower", "RADIATED POWER=  4.8603E-03", "RADIATED POWER=  0.0000E+00"},
    {"GainDisagrees", "   90.00      0.00      2.16  -999.99     2.16", "   90.00      0.00      2.16  -999.99     2.46"},
    {"MissingDirection", "   45.00      0.00     -1.92  -999.99    -1.92      0.0000      0.00 LINEAR  4.3294E-01     58.80  0.0000E+00      0.00\n", ""},
    {"WrongDirection", "   45.00      0.00     -1.92", "   46.00      0.00     -1.92"},
    {"NoPatternSection", "RADIATION PATTERNS", "PATTERNS"},
};
// clang-format on

class DamagedReport : public ::testing::TestWithParam<Damage>
{
};

TEST_P(DamagedReport, IsRefused)
{
    std::string text = StoredHalfWave();
    const std::size_t at = text.find(GetParam().before);
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(text.find(GetParam().before, at + 1), std::string::npos);
    text.replace(at, std::strlen(GetParam().before), GetParam().after);
    EXPECT_THROW(ParseNecOutput(text, kHalfWave), NecReportError);
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedReport, ::testing::ValuesIn(kDamages),
                         [](const auto &info) { return std::string(info.param.name); });

struct Implausible
{
    const char *name;
    const char *before;
    const char *after;
    const char *reason; // text the refusal contains
};

// Numbers that parse but that no dipole's solution holds, and numbers that
// are no finite numbers at all, in columns the cross-check reads and in
// columns it passes over.
// clang-format off
const Implausible kImplausibles[] = {
    {"HugeResistance", "7.7702E+01  4.4227E+01", "1.0000E+300  4.4227E+01", "an input impedance of 1e+300 + j44.227"},
    {"TinyResistance", "7.7702E+01  4.4227E+01", "1.0000E-300  4.4227E+01", "an input impedance of 1e-300 + j44.227"},
    {"HugeReactance", "7.7702E+01  4.4227E+01", "7.7702E+01 -4.4227E+300", "which no dipole of this length has"},
    {"HugeCurrent", "15    1    0.0000    0.0000    0.0952   0.02381  8.0982E-03 -4.9633E-03  9.4981E-03", "15    1    0.0000    0.0000    0.0952   0.02381  8.0982E-03 -4.9633E-03  1.0000E+300", "a current of 1e+300 A"},
    {"FeedNotTheSource", "9.7205E-03 -5.5328E-03  1.1185E-02", "9.7205E-03 -5.5328E-03  1.1185E-03", "is not the source's"},
    {"InfiniteResistance", "7.7702E+01  4.4227E+01", "inf  4.4227E+01", "\"inf\", which is not a finite number"},
    {"NotANumberPhase", "15    1    0.0000    0.0000    0.0952   0.02381  8.0982E-03 -4.9633E-03  9.4981E-03  -31.504", "15    1    0.0000    0.0000    0.0952   0.02381  8.0982E-03 -4.9633E-03  9.4981E-03  nan", "\"nan\", which is not a finite number"},
    {"InfiniteCoordinate", "    15    1    0.0000", "    15    1    -inf", "\"-inf\", which is not a finite number"},
};
// clang-format on

class ImplausibleReport : public ::testing::TestWithParam<Implausible>
{
};

TEST_P(ImplausibleReport, IsRefusedWithItsReason)
{
    std::string text = StoredHalfWave();
    const std::size_t at = text.find(GetParam().before);
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(text.find(GetParam().before, at + 1), std::string::npos);
    text.replace(at, std::strlen(GetParam().before), GetParam().after);
    try {
        ParseNecOutput(text, kHalfWave);
        ADD_FAILURE() << "accepted";
    } catch (const NecReportError &e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().reason), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ImplausibleReport, ::testing::ValuesIn(kImplausibles),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(NecOutput, RefusesAnEmptyOrCutReport)
{
    const std::string text = StoredHalfWave();
    EXPECT_THROW(ParseNecOutput(std::string(), kHalfWave), NecReportError);
    EXPECT_THROW(ParseNecOutput(text.substr(0, text.size() / 2), kHalfWave), NecReportError);
    // The report of another wire.
    EXPECT_THROW(ParseNecOutput(text, MakeNecModel(0.6, 1e-5)), NecReportError);
}

} // namespace
