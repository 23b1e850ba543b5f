#include "colors/Colors.h"
#include "colors/StandardColors.h"

#include <gtest/gtest.h>

TEST(Colors, PlainColoursKeepTheirComponentsAndSystemColoursResolve)
{
    EXPECT_EQ(ToQRgb(clNavy), qRgb(0, 0, 128));
    EXPECT_EQ(ToQRgb(clMaroon), qRgb(128, 0, 0));
    EXPECT_EQ(ColorToRGB(RgbColor(1, 2, 3)), 0x030201u);
    // The test palette is the standard light scheme: window text is black.
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_FALSE(IsSystemColor(clNone));
    EXPECT_TRUE(IsSystemColor(clBtnFace));
}

TEST(StandardColors, NamesInAnyCaseFindTheirValues)
{
    struct Case
    {
        const char *name;
        bool found;
        TColor value;
    };
    const Case cases[] = {
        {"Black", true, clBlack}, {"maroon", true, clMaroon},   {"NAVY", true, clNavy}, {"gRAY", true, clGray},
        {"White", true, clWhite}, {"Fuchsia", true, clFuchsia}, {"clRed", false, 0},    {"Grey", false, 0},
        {"", false, 0},           {"Red ", false, 0},           {"None", false, 0},     {"Default", false, 0},
    };
    for (const Case &c : cases) {
        TColor colour = 0x12345678;
        EXPECT_EQ(FindStandardColor(QString::fromLatin1(c.name), colour), c.found) << c.name;
        EXPECT_EQ(colour, c.found ? c.value : 0x12345678) << c.name;
    }
}

TEST(StandardColors, SixteenColoursEachFoundByItsOwnName)
{
    ASSERT_EQ(std::size(kStandardColors), 16u);
    for (const StandardColor &standard : kStandardColors) {
        TColor found = 0x12345678;
        EXPECT_TRUE(FindStandardColor(QString::fromLatin1(standard.ident + 2), found)) << standard.ident;
        EXPECT_EQ(found, standard.value) << standard.ident;
    }
}
