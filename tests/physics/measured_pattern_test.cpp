// A pattern measured on a turntable: the tables a student would type or an
// instrument would write, refused with their line and reason when bad, and
// the theory's length recovered from a measurement made of it with noise.
#include "physics/MeasuredPattern.h"
#include "physics/PatternFunction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace {

struct Table
{
    const char *name;
    std::string text;
    std::optional<MeasuredScale> given;
    MeasuredScale scale;
    double level; // of the third sample, against the largest
};

// clang-format off
const Table kTables[] = {
    {"LinearCommas",      "0,0\n90,2\n180,1\n",                     std::nullopt,           MeasuredScale::Linear,  0.5},
    {"DecibelsByValue",   "0 -40\n90 0\n180 -6.0205999132796239\n", std::nullopt,           MeasuredScale::Decibel, 0.5},
    {"DecibelsByHeader",  "theta,level_db\n0,3\n90,6\n180,0\n",      std::nullopt,           MeasuredScale::Decibel, std::pow(10.0, -6.0 / 20.0)},
    {"LinearByHeader",    "angle;field\n0;0\n90;4\n180;1\n",         std::nullopt,           MeasuredScale::Linear,  0.25},
    {"GivenBeatsHeader",  "theta\tlevel_db\n0\t1\n90\t4\n180\t2\n",  MeasuredScale::Linear,  MeasuredScale::Linear,  0.5},
    {"CommentsAndCrLf",   "# turntable\r\n0 1 # start\r\n\r\n270 2\r\n200 1\r\n", std::nullopt, MeasuredScale::Linear, 0.5},
};

struct BadTable
{
    const char *name;
    std::string text;
    int line;
    const char *reason;
};

const BadTable kBadTables[] = {
    {"Empty",          "",                                0, "the file is empty"},
    {"TwoRows",        "0 1\n90 2\n",                      0, "the table has fewer than three rows"},
    {"OneColumn",      "0 1\n90\n180 1\n",                 2, "the row is not an angle and a level"},
    {"Word",           "0 1\n90 high\n180 1\n",            2, "\"high\" is not a number"},
    {"NaN",            "0 1\nnan 1\n180 1\n",              2, "\"nan\" is not a number"},
    {"AngleBeyond",    "0 1\n361 1\n180 1\n",              2, "the angle \"361\" is not from 0 to 360 degrees"},
    {"NegativeLinear", "theta,field\n0 1\n90 -1\n180 1\n", 3, "a linear level cannot be below 0"},
    {"AllZero",        "0 0\n90 0\n180 0\n",               0, "the levels have no maximum above zero"},
    {"Binary",         std::string("0 1\n9\0 1\n", 10),    2, "the line holds binary data"},
    {"LongLine",       "0 1\n#" + std::string(70000, 'x') + "\n", 2, "the line is longer than 65536 bytes"},
};
// clang-format on

TEST(MeasuredPattern, TablesAreReadInTheirScale)
{
    for (const Table &t : kTables) {
        SCOPED_TRACE(t.name);
        const MeasuredPattern pattern = ReadMeasuredPattern(t.text, t.given);
        ASSERT_EQ(pattern.samples.size(), 3u);
        EXPECT_EQ(pattern.scale, t.scale);
        EXPECT_NEAR(pattern.samples[2].level, t.level, 1e-12);
        EXPECT_EQ(pattern.samples[1].level, 1.0);
    }
}

TEST(MeasuredPattern, BadTablesAreRefusedWithTheirLine)
{
    for (const BadTable &b : kBadTables) {
        SCOPED_TRACE(b.name);
        try {
            ReadMeasuredPattern(b.text, std::nullopt);
            ADD_FAILURE() << "read without complaint";
        } catch (const MeasuredPatternError &error) {
            EXPECT_EQ(error.line(), b.line) << error.what();
            EXPECT_EQ(std::string(error.what()).rfind(b.reason, 0), 0u) << error.what();
        }
    }
}

// A "measurement" of a 1.37 λ dipole every 5° round the turntable in dB,
// with 0.3 dB of noise: the fit finds its length, and the deviation from
// the right length is the noise's.
TEST(MeasuredPattern, TheFitFindsTheLengthItWasMeasuredAt)
{
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, 0.3);
    std::string text = "theta_deg,level_db\n";
    for (int theta = 0; theta < 360; theta += 5) {
        const double f = PatternValue(1.37, theta * M_PI / 180.0) / 1.3;
        const double db = f > 1e-3 ? 20.0 * std::log10(f) : -60.0;
        text += std::to_string(theta) + ',' + std::to_string(db + noise(random)) + '\n';
    }
    const MeasuredPattern pattern = ReadMeasuredPattern(text, std::nullopt);
    EXPECT_NEAR(BestFittingLength(pattern, 0.1, 3.0), 1.37, 0.01);
    EXPECT_LT(PatternDeviationDb(pattern, 1.37), 1.0);
    EXPECT_GT(PatternDeviationDb(pattern, 1.0), 3.0);
}

} // namespace
