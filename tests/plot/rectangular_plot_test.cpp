#include "physics/BeamWidthBracket.h"
#include "physics/PatternFunction.h"
#include "plot/DrawingSurface.h"
#include "plot/PlotCommands.h"
#include "plot/PolarPlot.h"
#include "plot/RectangularPlot.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int h = kPictureHeight;

int Row(double M, int i)
{
    return RectangularCurveRow(PatternValue(M, SampleAngle(i, 2)), h);
}

// The index and value of the maximum below 90°, as the plot finds it.
std::pair<int, double> Maximum(double M)
{
    double Fmax = 0;
    int k = 0;
    for (int i = 0; i < 180; ++i) {
        const double F = PatternValue(M, SampleAngle(i, 2));
        if (F > Fmax) {
            Fmax = F;
            k = i;
        }
    }
    return {k, Fmax};
}

struct Bracket
{
    int k, left, right, ybar;
};

Bracket BracketFor(double M)
{
    const auto [k, Fmax] = Maximum(M);
    const BeamWidthLegs legs = FindBeamWidthLegs(k, M, Fmax);
    return {k, legs.left, legs.right, Row(M, legs.left)};
}

DrawingSurface Drawn(double M, TColor colour = clNavy)
{
    DrawingSurface s(kPictureWidth, kPictureHeight);
    DrawRectangularPattern(s, colour, M);
    return s;
}

} // namespace

TEST(RectangularPlot, HalfWaveCurveSamples)
{
    const std::vector<std::pair<int, int>> samples = {{0, 422},   {1, 421},   {90, 346},  {179, 302},
                                                      {180, 302}, {360, 422}, {540, 302}, {720, 422}};
    for (const auto &[i, y] : samples)
        EXPECT_EQ(Row(0.5, i), y) << i;
}

TEST(RectangularPlot, BracketLegsForKnownLengths)
{
    struct Case
    {
        double M;
        Bracket expected;
    };
    const Case cases[] = {
        {0.5, {179, 107, 253, 333}}, {1.0, {179, 135, 225, 245}}, {1.5, {85, 51, 113, 298}},
        {0.25, {179, 98, 262, 396}}, {10.0, {49, 37, 323, 23}}, // right search jumps the flank onto a later lobe
        {7.3, {68, 68, 68, 84}},                                // no sample in the band on either side
        {0.0, {0, 0, 0, 422}},                                  // everything zero: the band is [0, 0]
    };
    for (const Case &c : cases) {
        const Bracket b = BracketFor(c.M);
        EXPECT_EQ(b.k, c.expected.k) << "M=" << c.M;
        EXPECT_EQ(b.left, c.expected.left) << "M=" << c.M;
        EXPECT_EQ(b.right, c.expected.right) << "M=" << c.M;
        EXPECT_EQ(b.ybar, c.expected.ybar) << "M=" << c.M;
    }
    // The maximum is taken below 90° even where F still rises to 1 there.
    EXPECT_LT(Maximum(0.5).second, 1.0);
    EXPECT_GT(Maximum(0.5).second, 0.9999);
}

TEST(RectangularPlot, DrawsAxesArrowsCurveAndBracket)
{
    const DrawingSurface s = Drawn(0.5);
    // Vertical axis and its arrow head.
    EXPECT_EQ(s.pixel(20, 461), clBlack);
    EXPECT_EQ(s.pixel(20, 0), clBlack);
    EXPECT_EQ(s.pixel(15, 10), clBlack);
    EXPECT_EQ(s.pixel(25, 10), clBlack);
    // Horizontal axis and its arrow head; the stretch from 20 to 40 is
    // drawn over in the curve's colour by the first segment.
    EXPECT_EQ(s.pixel(0, 422), clBlack);
    EXPECT_EQ(s.pixel(777, 422), clBlack);
    EXPECT_EQ(s.pixel(768, 427), clBlack);
    EXPECT_EQ(s.pixel(768, 417), clBlack);
    EXPECT_EQ(s.pixel(30, 422), clNavy);
    EXPECT_EQ(s.pixel(41, 422), clBlack);
    // Curve vertices (each is the start of the next segment).
    for (int i = 0; i < 720; ++i)
        ASSERT_EQ(s.pixel(i + 20, Row(0.5, i)), clNavy) << i;
    // Bracket (127, 438) -> (127, 333) -> (273, 333) -> (273, 438).
    EXPECT_EQ(s.pixel(127, 437), clNavy);
    EXPECT_EQ(s.pixel(127, 400), clNavy);
    EXPECT_EQ(s.pixel(200, 333), clNavy);
    EXPECT_EQ(s.pixel(273, 400), clNavy);
    EXPECT_EQ(s.pixel(273, 438), clWhite); // the last end pixel
    EXPECT_EQ(s.pixel(127, 439), clWhite);
    EXPECT_EQ(s.penPos(), QPoint(273, 438));
}

TEST(RectangularPlot, CurveIsMirrorSymmetricAboutHalfTurn)
{
    for (double M : {0.5, 1.5, 10.0})
        for (int i = 0; i <= 360; ++i)
            ASSERT_EQ(Row(M, i), Row(M, 720 - i)) << "M=" << M << " i=" << i;
}

TEST(RectangularPlot, SingleStrokeBracketForSevenPointThree)
{
    const DrawingSurface s = Drawn(7.3, clRed);
    for (int y = 84; y < 438; ++y)
        ASSERT_EQ(s.pixel(88, y), clRed) << y;
    EXPECT_EQ(s.penPos(), QPoint(88, 438));
}

TEST(RectangularPlot, ZeroLengthLiesOnTheAxisWithStrokeOverVerticalAxis)
{
    const DrawingSurface s = Drawn(0.0, clRed);
    for (int x = 20; x < 740; ++x)
        ASSERT_EQ(s.pixel(x, 422), clRed) << x;
    // Up from 438 and back down: the upward line draws its start pixel.
    for (int y = 422; y <= 438; ++y)
        EXPECT_EQ(s.pixel(20, y), clRed) << y;
    EXPECT_EQ(s.pixel(20, 439), clBlack);
    EXPECT_EQ(s.penPos(), QPoint(20, 438));
}

TEST(RectangularPlot, NegativeLengthDrawsTheSamePicture)
{
    EXPECT_EQ(Drawn(-10.0).image(), Drawn(10.0).image());
}

TEST(PlotCommands, BuildClearsBothPicturesAndDrawsBothPlots)
{
    DrawingSurface polar(kPictureWidth, kPictureHeight), rect(kPictureWidth, kPictureHeight);
    BuildPictures(polar, rect, clRed, 3.0, true);
    BuildPictures(polar, rect, clGreen, 0.5, false);

    DrawingSurface expectPolar(kPictureWidth, kPictureHeight), expectRect(kPictureWidth, kPictureHeight);
    DrawPolarPattern(expectPolar, clGreen, 0.5, false);
    DrawRectangularPattern(expectRect, clGreen, 0.5);
    EXPECT_EQ(polar.image(), expectPolar.image());
    EXPECT_EQ(rect.image(), expectRect.image());
}
