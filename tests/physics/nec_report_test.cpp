// nec2c's report of the half-wave deck, stored from a real run, read back;
// and refused when any part of it is missing or inconsistent.
#include "physics/NecOutput.h"

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

// The stored report is nec2c's for NecDeck(kHalfWave). The directivity from
// its numbers, by hand: E(90°) = 0.69100 V, P = 4.8396 mW,
//     D = 2π·0.69100² / (376.730313668 · 0.0048396) = 1.6454925784374856,
// 2.162959278635035 dBi (the report's gain column: 2.16 dB).
TEST(NecOutput, ReadsTheStoredHalfWave)
{
    const NecSolution s = ParseNecOutput(StoredHalfWave(), kHalfWave);
    EXPECT_EQ(s.segments, 51);
    EXPECT_EQ(s.input.resistance, 77.907);
    EXPECT_EQ(s.input.reactance, 44.49);
    EXPECT_NEAR(s.directivity, 1.6454925784374856, 1e-12);
    EXPECT_NEAR(s.directivityDbi, 2.162959278635035, 1e-11);
    // Segment 26 carries 11.146 mA, segment 25 (and 27) the largest, 11.153.
    EXPECT_NEAR(s.feedToMaximum, 0.011146 / 0.011153, 1e-15);
    ASSERT_EQ(s.currents.size(), 51u);
    EXPECT_NEAR(s.currents.front().z, -0.25 + 0.5 / 102, 1e-15);
    EXPECT_NEAR(s.currents[25].z, 0.0, 1e-15);
    EXPECT_NEAR(s.currents.front().magnitude, 4.3570e-4 / 0.011153, 1e-15);
    // Segment 1 against the feed's phase, from the printed parts:
    //     python3 -c "a=complex(3.6343e-4,-2.4033e-4); f=complex(9.6792e-3,-5.5275e-3);
    //                 print(a*f.conjugate()/abs(f)/0.011153)"
    EXPECT_NEAR(s.currents.front().inPhase, 0.03898278431038644, 1e-12);
    EXPECT_NEAR(s.currents.front().quadrature, -0.0025527362501487324, 1e-12);
    EXPECT_NEAR(s.currents[25].inPhase, s.feedToMaximum, 1e-4);
    ASSERT_EQ(s.pattern.size(), 361u);
    EXPECT_EQ(s.pattern[90].thetaDeg, 45.0);
    EXPECT_NEAR(s.pattern[90].field, 0.43212 / 0.69100, 1e-15);
    EXPECT_EQ(s.pattern[180].field, 1.0);
    EXPECT_EQ(s.pattern[0].field, 0.0);
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
    {"SourceOffCentre", "    1    26  1.0000E+00", "    1    25  1.0000E+00"},
    {"NegativeResistance", "7.7907E+01", "-7.7907E+01"},
    {"NotANumber", "7.7907E+01", "nan"},
    {"MissingCurrent", "    30    1    0.0000    0.0000    0.0392   0.00980  9.3992E-03 -5.5812E-03  1.0931E-02  -30.701\n", ""},
    {"MisplacedCurrent", "    30    1    0.0000    0.0000    0.0392", "    30    1    0.0000    0.0000    0.0492"},
    {"NoCurrentSection", "CURRENTS AND LOCATION", "CURRENTS"},
    {"NoRadiatedPower", "RADIATED POWER=  4.8396E-03", "RADIATED POWER=  0.0000E+00"},
    {"GainDisagrees", "   90.00      0.00      2.16  -999.99     2.16", "   90.00      0.00      2.16  -999.99     2.46"},
    {"MissingDirection", "   45.00      0.00     -1.91  -999.99    -1.91      0.0000      0.00 LINEAR  4.3212E-01     58.60  0.0000E+00      0.00\n", ""},
    {"WrongDirection", "   45.00      0.00     -1.91", "   46.00      0.00     -1.91"},
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
    {"HugeResistance", "7.7907E+01  4.4490E+01", "1.0000E+300  4.4490E+01", "an input impedance of 1e+300 + j44.49"},
    {"TinyResistance", "7.7907E+01  4.4490E+01", "1.0000E-300  4.4490E+01", "an input impedance of 1e-300 + j44.49"},
    {"HugeReactance", "7.7907E+01  4.4490E+01", "7.7907E+01 -4.4490E+300", "which no dipole of this length has"},
    {"HugeCurrent", "30    1    0.0000    0.0000    0.0392   0.00980  9.3992E-03 -5.5812E-03  1.0931E-02", "30    1    0.0000    0.0000    0.0392   0.00980  9.4044E-03 -5.5790E-03  1.0000E+300", "a current of 1e+300 A"},
    {"FeedNotTheSource", "9.6792E-03 -5.5275E-03  1.1146E-02", "9.6792E-03 -5.5275E-03  1.1146E-03", "is not the source's"},
    {"InfiniteResistance", "7.7907E+01  4.4490E+01", "inf  4.4490E+01", "\"inf\", which is not a finite number"},
    {"NotANumberPhase", "30    1    0.0000    0.0000    0.0392   0.00980  9.3992E-03 -5.5812E-03  1.0931E-02  -30.701", "30    1    0.0000    0.0000    0.0392   0.00980  9.3992E-03 -5.5812E-03  1.0931E-02  nan", "\"nan\", which is not a finite number"},
    {"InfiniteCoordinate", "    30    1    0.0000", "    30    1    -inf", "\"-inf\", which is not a finite number"},
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
