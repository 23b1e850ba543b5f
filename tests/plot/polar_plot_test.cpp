#include "plot/DrawingSurface.h"
#include "plot/PlotCommands.h"
#include "plot/PolarPlot.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int cx = kPictureWidth / 2, cy = kPictureHeight / 2;

QPoint Sample(double M, int degrees)
{
    return PolarSamplePoint(M, degrees, cx, cy);
}

DrawingSurface Drawn(double M, bool fill, TColor colour = clNavy)
{
    DrawingSurface s(kPictureWidth, kPictureHeight);
    DrawPolarPattern(s, colour, M, fill);
    return s;
}

} // namespace

TEST(PolarPlot, HalfWaveSamplesLandOnTruncatedPixels)
{
    EXPECT_EQ(Sample(0.5, 45), QPoint(433, 275));
    EXPECT_EQ(Sample(0.5, 90), QPoint(389, 331));
    EXPECT_EQ(Sample(0.5, 135), QPoint(344, 275));
    EXPECT_EQ(Sample(0.5, 225), QPoint(344, 186));
    // cos 270° is about -1.8e-16: 389 - 1.8e-14 truncates to 388.
    EXPECT_EQ(Sample(0.5, 270), QPoint(388, 131));
    EXPECT_EQ(Sample(0.5, 315), QPoint(433, 186));
    for (int d : {0, 180, 360})
        EXPECT_EQ(Sample(0.5, d), QPoint(389, 231)) << d;
    // 231.02 and 230.98 truncate to different rows.
    EXPECT_EQ(Sample(0.5, 1), QPoint(390, 231));
    EXPECT_EQ(Sample(0.5, 359), QPoint(390, 230));
}

TEST(PolarPlot, FullWaveReachesTwoHundredPixels)
{
    EXPECT_EQ(Sample(1.0, 90), QPoint(389, 431));
    EXPECT_EQ(Sample(1.0, 270), QPoint(388, 31));
}

TEST(PolarPlot, DrawsAxesThenCurveThroughEverySample)
{
    for (bool fill : {false, true}) {
        const DrawingSurface s = Drawn(0.5, fill);
        // Axes one pixel above and left of the centre, across the surface,
        // except where the curve crosses them.
        EXPECT_EQ(s.pixel(0, 230), clBlack);
        EXPECT_EQ(s.pixel(777, 230), clBlack);
        EXPECT_EQ(s.pixel(388, 0), clBlack);
        EXPECT_EQ(s.pixel(388, 461), clBlack);
        // Without fill every sample except the last starts the next line;
        // a spoke stops one pixel short of its sample (end pixels are left
        // out), so its last drawn pixel touches the sample.
        for (int d = 0; d < 360; ++d) {
            const QPoint p = Sample(0.5, d);
            bool touched = s.pixel(p.x(), p.y()) == clNavy;
            if (fill && p != QPoint(cx, cy))
                for (int ny = p.y() - 1; ny <= p.y() + 1; ++ny)
                    for (int nx = p.x() - 1; nx <= p.x() + 1; ++nx)
                        touched = touched || s.pixel(nx, ny) == clNavy;
            EXPECT_TRUE(touched) << "fill=" << fill << " d=" << d;
        }
        EXPECT_EQ(s.penPos(), QPoint(389, 231));
        EXPECT_EQ(s.penColor(), clNavy);
    }
}

TEST(PolarPlot, FillDrawsSpokesFromTheCentre)
{
    const DrawingSurface line = Drawn(0.5, false);
    const DrawingSurface spokes = Drawn(0.5, true);
    // Halfway along the 90° spoke lies on the fill only.
    EXPECT_EQ(spokes.pixel(389, 280), clNavy);
    EXPECT_EQ(line.pixel(389, 280), clWhite);
    // The outline itself: the sample at 90° is drawn in both.
    EXPECT_EQ(line.pixel(389, 331), clNavy);
    EXPECT_EQ(spokes.pixel(389, 330), clNavy);
}

TEST(PolarPlot, ZeroLengthShowsOnlyTheAxes)
{
    for (bool fill : {false, true}) {
        const DrawingSurface s = Drawn(0.0, fill);
        int ink = 0;
        for (int y = 0; y < kPictureHeight; ++y)
            for (int x = 0; x < kPictureWidth; ++x)
                if (s.pixel(x, y) != clWhite) {
                    EXPECT_TRUE(x == 388 || y == 230) << x << "," << y;
                    ++ink;
                }
        EXPECT_EQ(ink, kPictureWidth + kPictureHeight - 1);
    }
}

TEST(PolarPlot, SecondCallRedrawsAxesOverTheFirstCurve)
{
    DrawingSurface s(kPictureWidth, kPictureHeight);
    DrawPolarPattern(s, clRed, 0.5, false);
    // Samples at 0° sit at the centre; with fill off the curve starts there.
    EXPECT_EQ(s.pixel(389, 231), clRed);
    DrawPolarPattern(s, clGreen, 1.0, false);
    EXPECT_EQ(s.pixel(389, 331), clRed); // the first curve stays
    EXPECT_EQ(s.pixel(389, 431), clGreen);
    EXPECT_EQ(s.pixel(600, 230), clBlack); // axis redrawn over everything
}

TEST(PolarPlot, NegativeLengthDrawsTheSamePicture)
{
    EXPECT_EQ(Drawn(-1.5, true).image(), Drawn(1.5, true).image());
    EXPECT_EQ(Drawn(-7.3, false).image(), Drawn(7.3, false).image());
}

TEST(PolarPlot, HugeLengthsStayOnSafeCoordinates)
{
    // Every finite length goes through the pattern function; the curve may
    // leave the surface but must be clipped, not crash.
    for (double M : {29.99, 1e300, -1e300, 1e18, HUGE_VAL, std::nan("")}) {
        const DrawingSurface s = Drawn(M, false);
        EXPECT_EQ(s.pixel(0, 230), clBlack);
    }
}
