// The family drawing shared by the window and dipole-render.
#include "plot/DrawingSurface.h"
#include "plot/FamilyPlot.h"
#include "plot/PictureFile.h"
#include "plot/PlotCommands.h"
#include "plot/PolarPlot.h"
#include "plot/RectangularPlot.h"

#include <gtest/gtest.h>

TEST(FamilyPlotTest, SkipsUnusableLengthsWithoutTakingALegendLine)
{
    DrawingSurface polar(kPictureWidth, kPictureHeight), rect(kPictureWidth, kPictureHeight);
    DrawFamily(
        polar, rect,
        {{30, clRed, "30"}, {0, clRed, "0"}, {-1, clRed, "-1"}, {0.5L, clMaroon, "0.5"}, {29.99L, clTeal, "29.99"}},
        true);

    DrawingSurface refPolar(kPictureWidth, kPictureHeight), refRect(kPictureWidth, kPictureHeight);
    // The family's legends are in Arial whatever face the pictures had.
    refPolar.setFontName("Arial");
    refRect.setFontName("Arial");
    DrawPolarPattern(refPolar, clMaroon, 0.5, true);
    DrawRectangularPattern(refRect, clMaroon, 0.5);
    EXPECT_EQ(DrawLegendLine(refPolar, refRect, 10, clMaroon, "0.5"), 32);
    DrawPolarPattern(refPolar, clTeal, 29.99, true);
    DrawRectangularPattern(refRect, clTeal, 29.99);
    DrawLegendLine(refPolar, refRect, 32, clTeal, "29.99");
    EXPECT_EQ(polar.image(), refPolar.image());
    EXPECT_EQ(rect.image(), refRect.image());
}
