#include "plot/PatternFunction.h"
#include "plot/PixelCoordinate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

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

TEST(PatternFunction, OutOfRangeArgumentsGiveZero)
{
    const long double limit = 0x1p63L;
    EXPECT_EQ(ExtendedSin(limit), 0.0L);
    EXPECT_EQ(ExtendedCos(-limit), 0.0L);
    EXPECT_EQ(ExtendedCos(INFINITY), 0.0L);
    EXPECT_NE(ExtendedCos(std::nextafter(limit, 0.0L)), 0.0L);

    // π·M beyond 2^63 makes cos(π·M) vanish; cos(π·M·cos θ) stays in range
    // where cos θ is small enough, and vanishes too where it is not.
    const double M = 0x1p63 / 3.0;            // π·M ≈ 2^63 · 1.047
    const double theta = SampleAngle(179, 2); // cos θ ≈ 0.0087
    const long double s = ExtendedSin(theta), c = ExtendedCos(theta);
    const long double arg = c * (kExtendedPi * static_cast<long double>(M));
    ASSERT_LT(std::fabs(arg), limit);
    EXPECT_TRUE(SameBits(PatternValue(M, theta), double(std::fabs(ExtendedCos(arg) / s))));
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

TEST(PixelCoordinate, TruncatesTowardZeroAndHoldsWildValues)
{
    EXPECT_EQ(TruncateToPixel(433.999L), 433);
    EXPECT_EQ(TruncateToPixel(388.99999999999998L), 388);
    EXPECT_EQ(TruncateToPixel(-0.75L), 0); // not -1: truncation, not floor
    EXPECT_EQ(TruncateToPixel(-1.5L), -1);
    EXPECT_EQ(TruncateToPixel(1e300L), 1 << 30);
    EXPECT_EQ(TruncateToPixel(-INFINITY), -(1 << 30));
    EXPECT_EQ(TruncateToPixel(NAN), -(1 << 30));
}
