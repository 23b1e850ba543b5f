// Which lengths each command takes, in one table: the build command draws
// everything below the limit, the family only lengths above 0, the numbers
// ask for a magnitude below it, and a length that became a double may sit on
// the limit itself. The build command's refusal carries what it refused.
#include "physics/DipoleRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

struct LengthCase
{
    const char *name;
    long double length;
    bool drawable;
    bool family;
    bool measurable;
    bool computable; // as a double
};

// clang-format off
const LengthCase kLengthCases[] = {
    {"HalfWave",                0.5L,                   true,  true,  true,  true},
    {"Zero",                    0.0L,                   true,  false, true,  true},
    {"JustBelowInExtended",     29.99999999999999999L,  true,  true,  true,  true},
    {"TheLimit",                30.0L,                  false, false, false, true},
    {"AboveTheLimit",           30.000000000001L,       false, false, false, false},
    {"NegativeHalfWave",        -0.5L,                  true,  false, true,  true},
    {"NegativeJustBelow",       -29.99999999999999999L, true,  false, true,  true},
    {"NegativeLimit",           -30.0L,                 true,  false, false, true},
    {"NegativeFarBeyond",       -1000.0L,               true,  false, false, false},
    {"Infinity",                HUGE_VALL,              false, false, false, false},
    {"NegativeInfinity",        -HUGE_VALL,             true,  false, false, false},
    {"NaN",                     kNaN,                   false, false, false, false},
};
// clang-format on

class LengthRules : public ::testing::TestWithParam<LengthCase>
{
};

TEST_P(LengthRules, EachCommandTakesItsLengths)
{
    const LengthCase &c = GetParam();
    EXPECT_EQ(IsDrawableLength(c.length), c.drawable);
    EXPECT_EQ(IsFamilyLength(c.length), c.family);
    EXPECT_EQ(IsMeasurableLength(c.length), c.measurable);
    EXPECT_EQ(IsComputableLength(static_cast<double>(c.length)), c.computable);
    try {
        CheckBuildLength(c.length);
        EXPECT_TRUE(c.drawable);
    } catch (const LengthRefusedError &e) {
        EXPECT_FALSE(c.drawable);
        EXPECT_TRUE(e.length() == c.length || (std::isnan(e.length()) && std::isnan(c.length)));
        EXPECT_EQ(e.limit(), kLengthLimit);
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, LengthRules, ::testing::ValuesIn(kLengthCases),
                         [](const auto &info) { return std::string(info.param.name); });

// Every measurable length stays computable once it is a double, however
// close below the limit it was typed; the next double above the limit does not.
TEST(LengthRules, AMeasurableLengthStaysComputableAsADouble)
{
    const long double below = std::nextafter(kLengthLimit, 0.0L);
    ASSERT_TRUE(IsMeasurableLength(below));
    EXPECT_EQ(static_cast<double>(below), 30.0);
    EXPECT_TRUE(IsComputableLength(static_cast<double>(below)));
    EXPECT_FALSE(IsComputableLength(std::nextafter(30.0, 31.0)));
    EXPECT_FALSE(IsComputableLength(-std::nextafter(30.0, 31.0)));
}

} // namespace
