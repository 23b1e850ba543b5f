// The shortest text of a double: the decimal or the exponent form, whichever
// is shorter, the decimal form on a tie, whole numbers padded with zeros past
// their digits. The expected texts are those the tables and JSON files of
// earlier versions hold, so that files stay the same byte for byte.
#include "physics/ShortestText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>

namespace {

struct TextCase
{
    const char *name;
    double value;
    const char *text;
};

// clang-format off
const TextCase kTextCases[] = {
    {"Zero",                 0.0,                      "0"},
    {"NegativeZero",         -0.0,                     "0"},
    {"Tenth",                0.1,                      "0.1"},
    {"ExponentShorter",      1e-5,                     "1e-05"},
    {"ExponentOnePlace",     1e-4,                     "1e-04"},
    {"TieGoesDecimal",       1.5e-4,                   "0.00015"},
    {"DecimalShorter",       0.00123,                  "0.00123"},
    {"WholeDecimal",         250000.0,                 "250000"},
    {"WholeExponent",        200000.0,                 "2e+05"},
    {"Million",              1e6,                      "1e+06"},
    {"PaddedWithZeros",      123456789012345678.0,     "123456789012345680"},
    {"ManyDigitsExponent",   1.2345678e-05,            "1.2345678e-05"},
    {"ThreeDigitExponent",   1e300,                    "1e+300"},
    {"Subnormal",            5e-324,                   "5e-324"},
    {"NegativeSubnormal",    -5e-324,                  "-5e-324"},
    {"Largest",              -1.7976931348623157e308,  "-1.7976931348623157e+308"},
    {"Negative",             -42.978562792382206,      "-42.978562792382206"},
    {"FullPrecision",        1.7071067811865475,       "1.7071067811865475"},
    {"Infinity",             std::numeric_limits<double>::infinity(),  "inf"},
    {"NegativeInfinity",     -std::numeric_limits<double>::infinity(), "-inf"},
    {"NaN",                  std::numeric_limits<double>::quiet_NaN(), "nan"},
};
// clang-format on

class ShortestTexts : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(ShortestTexts, AreTheFormsTheFilesHold)
{
    EXPECT_EQ(ShortestText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, ShortestTexts, ::testing::ValuesIn(kTextCases),
                         [](const auto &info) { return std::string(info.param.name); });

// Whatever the magnitude, the text reads back as the same double.
TEST(ShortestText, ReadsBackAsTheSameDouble)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> exponent(-300.0, 300.0);
    for (int i = 0; i < 100000; ++i) {
        const double value = std::pow(10.0, exponent(random)) * (i % 2 ? -1.0 : 1.0);
        const std::string text = ShortestText(value);
        ASSERT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
        ASSERT_LE(text.size(), static_cast<std::size_t>(kShortestTextSize)) << text;
    }
}

} // namespace
