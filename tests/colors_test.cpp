#include "colors/Colors.h"

#include <gtest/gtest.h>

TEST(Colors, PlainColoursKeepTheirComponentsAndSystemColoursResolve)
{
    EXPECT_EQ(toQRgb(clNavy), qRgb(0, 0, 128));
    EXPECT_EQ(toQRgb(clMaroon), qRgb(128, 0, 0));
    EXPECT_EQ(colorToRGB(rgbColor(1, 2, 3)), 0x030201u);
    // The test palette is the standard light scheme: window text is black.
    EXPECT_EQ(colorToRGB(clWindowText), clBlack);
    EXPECT_FALSE(isSystemColor(clNone));
    EXPECT_TRUE(isSystemColor(clBtnFace));
}
