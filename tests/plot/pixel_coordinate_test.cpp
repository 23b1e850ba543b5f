// Plot coordinates held to the int range whatever the pattern gives.
#include "plot/PixelCoordinate.h"

#include <gtest/gtest.h>

#include <cmath>

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
