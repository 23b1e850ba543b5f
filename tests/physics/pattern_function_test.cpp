#include "physics/PatternFunction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iomanip>

namespace {

// Bit-for-bit equality, so that a last-bit difference fails.
::testing::AssertionResult SameBits(double actual, double expected)
{
    if (std::memcmp(&actual, &expected, sizeof actual) == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hexfloat << actual << " differs from " << expected;
}

double F(double M, int degrees)
{
    return PatternValue(M, SampleAngle(degrees, 1));
}

} // namespace

TEST(PatternFunction, KnownValuesAreBitExact)
{
    EXPECT_TRUE(SameBits(F(0.5, 90), 1.0));
    EXPECT_TRUE(SameBits(F(0.5, 60), 0.8164965809277261));
    EXPECT_TRUE(SameBits(F(0.5, 45), 0.6279332232978173));
    EXPECT_TRUE(SameBits(F(0.5, 180), 0.0));
    EXPECT_TRUE(SameBits(F(0.5, 360), 0.0));
    EXPECT_TRUE(SameBits(F(1.0, 90), 2.0));
    EXPECT_TRUE(SameBits(F(2.0, 90), 0.0));
    EXPECT_TRUE(SameBits(F(2.0, 60), 2.309401076758503));
}

TEST(PatternFunction, VanishesAtZeroAngleAndForZeroLength)
{
    for (double M : {0.5, 1.0, 7.3, -3.0, 1e300})
        EXPECT_EQ(F(M, 0), 0.0) << M;
    for (int i = 0; i <= 720; ++i)
        EXPECT_EQ(PatternValue(0.0, SampleAngle(i, 2)), 0.0) << i;
}

TEST(PatternFunction, NegativeLengthMirrorsPositive)
{
    for (double M : {0.25, 0.5, 1.5, 7.3, 10.0, 29.99})
        for (int i = 0; i <= 720; ++i)
            ASSERT_TRUE(SameBits(PatternValue(-M, SampleAngle(i, 2)), PatternValue(M, SampleAngle(i, 2))))
                << "M=" << M << " i=" << i;
}

TEST(PatternFunction, HalfDegreeSamplesMatchWholeDegrees)
{
    for (int k = 0; k <= 360; ++k)
        ASSERT_TRUE(SameBits(SampleAngle(2 * k, 2), SampleAngle(k, 1))) << k;
    // The odd half degrees lie strictly between their neighbours.
    EXPECT_GT(SampleAngle(1, 2), 0.0);
    EXPECT_LT(SampleAngle(1, 2), SampleAngle(1, 1));
}

TEST(PatternFunction, AnglesNearPiAndTwoPiHaveTinyNonZeroSine)
{
    // θ at 180° and 360° rounds below π and 2π as a double, so the zero-sine
    // guard does not fire there and the zero comes from p == q instead.
    EXPECT_LT(static_cast<long double>(SampleAngle(180, 1)), kExtendedPi);
    EXPECT_LT(static_cast<long double>(SampleAngle(360, 1)), 2 * kExtendedPi);
    EXPECT_NE(ExtendedSin(SampleAngle(180, 1)), 0.0L);
    EXPECT_NE(ExtendedSin(SampleAngle(360, 1)), 0.0L);
    EXPECT_EQ(ExtendedCos(SampleAngle(180, 1)), -1.0L);
    EXPECT_EQ(ExtendedCos(SampleAngle(360, 1)), 1.0L);
}

namespace {

// Within two units in the last place of the 64-bit significand of exact.
::testing::AssertionResult CloseToExact(long double actual, long double exact)
{
    const long double ulp = std::ldexp(1.0L, std::ilogb(exact) - 63);
    if (std::fabs(actual - exact) <= 2 * ulp)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::setprecision(21) << actual << " is not " << exact;
}

} // namespace

TEST(PatternFunction, SineAndCosineStayExactFarFromZero)
{
    // The exact values come from bc at 60 digits, for the exact arguments:
    //     echo "scale=60; x=ARGUMENT; s(x); c(x)" | bc -l
    // with ARGUMENT 2^62, 3*2^61, 18446744073709551615/2 (the largest
    // argument below 2^63), and π·2^k written as 14488038916154245685*2^k/2^62
    // (the 80-bit π times a power of two, as the lengths −2^k give it).
    struct Case
    {
        const char *name;
        long double x, sine, cosine;
    };
    const Case cases[] = {
        {"2^62", 0x1p62L, -0.702922443619208876415381557847L, -0.711266502976486386946903151526L},
        {"3*2^61", 0x3p61L, -0.390844915110675583645856592633L, 0.920456545596873245909839678201L},
        {"below 2^63", 0x1.fffffffffffffffep62L, 0.871864203635364758968054013804L, 0.489747700779974272062954790364L},
        {"pi*2^53", kExtendedPi * 0x1p53L, 4.51851324526194258061581497301e-4L, 0.999999897915185051307218120812L},
        {"pi*2^37", kExtendedPi * 0x1p37L, 6.894704283171302772909898655115e-9L, 0.999999999999999976231526423810L},
        {"pi*2^17", kExtendedPi * 0x1p17L, 6.575302394076636149917059750684e-15L, 1.0L},
        {"pi*2^5", kExtendedPi * 0x1p5L, 1.605298436053866247538344665706e-18L, 1.0L},
    };
    for (const Case &c : cases) {
        EXPECT_TRUE(CloseToExact(ExtendedSin(c.x), c.sine)) << c.name;
        EXPECT_TRUE(CloseToExact(ExtendedCos(c.x), c.cosine)) << c.name;
        EXPECT_TRUE(CloseToExact(ExtendedSin(-c.x), -c.sine)) << c.name;
        EXPECT_TRUE(CloseToExact(ExtendedCos(-c.x), c.cosine)) << c.name;
    }
}

TEST(PatternFunction, RememberedSinesAndCosinesAreTheLibrarysToTheLastBit)
{
    // Far more arguments than the memo has slots, in pairs that share their
    // significand (x and 2x) or differ in sign alone, asked for twice in
    // different orders: a slot that answers for the wrong argument shows.
    const auto same = [](long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; };
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < 20000; ++i) {
            const int k = pass == 0 ? i : 19999 - i;
            const long double x = static_cast<long double>(k) * 0.0123L;
            for (const long double y : {x, 2 * x, -x}) {
                ASSERT_TRUE(same(ExtendedSin(y), std::sin(y))) << k;
                ASSERT_TRUE(same(ExtendedCos(y), std::cos(y))) << k;
            }
        }
    }
}

TEST(PatternFunction, OutOfRangeArgumentsGiveZero)
{
    const long double limit = 0x1p63L;
    EXPECT_EQ(ExtendedSin(limit), 0.0L);
    EXPECT_EQ(ExtendedCos(-limit), 0.0L);
    EXPECT_EQ(ExtendedCos(INFINITY), 0.0L);
    EXPECT_NE(ExtendedCos(std::nextafter(limit, 0.0L)), 0.0L);

    // π·M beyond 2^63 makes cos(π·M) vanish; cos(π·M·cos θ) stays in range
    // where cos θ is small enough, and vanishes too where it is not. For
    // M = 2^62 and θ the double nearest 89.5° (7034936431183838 / 2^52),
    // cos θ · (π·M) formed in 80 bits is 0xe.095e2104d13c5b2p+53, and
    // F = |cos(that)| / sin θ, from bc at 60 digits:
    //     echo "scale=60; x=16183089395666240946/2^7; t=7034936431183838/2^52;
    //           c(x)/s(t)" | bc -l
    const double M = 0x1p62;
    const double theta = SampleAngle(179, 2);
    ASSERT_EQ(theta, 7034936431183838 / 0x1p52);
    ASSERT_EQ(ExtendedCos(theta) * (kExtendedPi * static_cast<long double>(M)), 0xe.095e2104d13c5b2p+53L);
    EXPECT_TRUE(SameBits(PatternValue(M, theta), 0.992044397818213277950640028316));
    EXPECT_EQ(PatternValue(M, SampleAngle(1, 2)), 0.0);
    EXPECT_EQ(PatternValue(1e300, SampleAngle(37, 2)), 0.0);
}

TEST(PatternFunction, StaysBoundedForEveryFiniteLength)
{
    // |p - q| <= 2 and |sin θ| >= sin 0.5° away from the zeros, which keeps
    // every plot coordinate far inside the int range.
    for (double M : {29.99, 1e6, 1e15, 1e300, -1e300})
        for (int i = 0; i <= 720; ++i) {
            const double v = PatternValue(M, SampleAngle(i, 2));
            ASSERT_TRUE(std::isfinite(v));
            ASSERT_LE(v, 230.0) << "M=" << M << " i=" << i;
        }
}
