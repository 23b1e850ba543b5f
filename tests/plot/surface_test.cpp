#include "base/AppError.h"
#include "plot/DrawingSurface.h"
#include "plot/PlotCommands.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

namespace {

// Counts pixels that are not white, optionally inside a rectangle.
int countInk(const DrawingSurface &s, QRect area = QRect())
{
    if (area.isNull())
        area = QRect(0, 0, s.width(), s.height());
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (s.pixel(x, y) != clWhite)
                ++n;
    return n;
}

// Covers the surface with black lines, so that white paint shows.
void paintBlack(DrawingSurface &s)
{
    s.setPenColor(clBlack);
    for (int y = 0; y < s.height(); ++y) {
        s.moveTo(0, y);
        s.lineTo(s.width(), y);
    }
}

} // namespace

TEST(DrawingSurface, StartsWhiteWithInitialCanvasState)
{
    DrawingSurface s(kPictureWidth, kPictureHeight);
    EXPECT_EQ(s.image().format(), QImage::Format_RGB32);
    EXPECT_EQ(s.image().size(), QSize(778, 462));
    EXPECT_EQ(countInk(s), 0);
    EXPECT_EQ(s.penColor(), clBlack);
    EXPECT_EQ(s.penPos(), QPoint(0, 0));
    EXPECT_EQ(s.fontName(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(s.fontColor(), clWindowText);
    EXPECT_EQ(s.fontHeight(), CanvasFont::heightForPoints(8, CanvasFont::displayPpi()));
}

TEST(DrawingSurface, ResetGivesBackANewSurface)
{
    DrawingSurface s(40, 30);
    s.setPenColor(clRed);
    s.moveTo(0, 5);
    s.lineTo(40, 5);
    s.setFontName(QStringLiteral("Arial"));
    s.setFontSize(30);
    s.setFontColor(clBlue);
    s.reset();
    const DrawingSurface fresh(40, 30);
    EXPECT_EQ(s.image(), fresh.image());
    EXPECT_EQ(s.penColor(), clBlack);
    EXPECT_EQ(s.penPos(), QPoint(0, 0));
    EXPECT_EQ(s.fontName(), fresh.fontName());
    EXPECT_EQ(s.fontHeight(), fresh.fontHeight());
    EXPECT_EQ(s.fontColor(), clWindowText);
}

TEST(DrawingSurface, FillRectExcludesRightAndBottomEdgesAndIgnoresPen)
{
    DrawingSurface s(50, 40);
    paintBlack(s);
    s.setPenColor(clRed);
    s.moveTo(3, 4);
    s.fillRect(10, 5, 20, 15);
    EXPECT_EQ(s.pixel(10, 5), clWhite);
    EXPECT_EQ(s.pixel(19, 14), clWhite);
    EXPECT_EQ(s.pixel(20, 14), clBlack);
    EXPECT_EQ(s.pixel(19, 15), clBlack);
    EXPECT_EQ(s.pixel(9, 5), clBlack);
    EXPECT_EQ(s.penPos(), QPoint(3, 4));

    // Off-surface parts are ignored; the whole-area fill covers everything.
    s.fillRect(-100, -100, 1000, 1000);
    EXPECT_EQ(countInk(s), 0);
}

TEST(DrawingSurface, LineDrawsStartButNotEndAndChainsIntoPolyline)
{
    DrawingSurface s(100, 100);
    s.moveTo(10, 10);
    s.lineTo(20, 10);
    EXPECT_EQ(s.pixel(10, 10), clBlack);
    EXPECT_EQ(s.pixel(19, 10), clBlack);
    EXPECT_EQ(s.pixel(20, 10), clWhite);
    EXPECT_EQ(countInk(s), 10);
    EXPECT_EQ(s.penPos(), QPoint(20, 10));

    s.lineTo(20, 20);
    EXPECT_EQ(s.pixel(20, 10), clBlack);
    EXPECT_EQ(s.pixel(20, 19), clBlack);
    EXPECT_EQ(s.pixel(20, 20), clWhite);

    // A line to the pen position changes nothing.
    const QImage before = s.image().copy();
    s.lineTo(20, 20);
    EXPECT_EQ(s.image(), before);
}

TEST(DrawingSurface, LineHasOnePixelPerStepAlongTheLongerAxis)
{
    struct Case
    {
        QPoint from, to;
    };
    for (const Case &c : {Case{{5, 5}, {35, 12}}, Case{{40, 30}, {3, 20}}, Case{{7, 50}, {12, 2}},
                          Case{{30, 30}, {10, 50}}, Case{{0, 0}, {60, 60}}}) {
        DrawingSurface s(100, 100);
        s.setPenColor(clBlue);
        s.moveTo(c.from.x(), c.from.y());
        s.lineTo(c.to.x(), c.to.y());
        const int dx = std::abs(c.to.x() - c.from.x()), dy = std::abs(c.to.y() - c.from.y());
        EXPECT_EQ(countInk(s), std::max(dx, dy)) << c.from.x() << "," << c.from.y();
        EXPECT_EQ(s.pixel(c.from.x(), c.from.y()), clBlue);
        EXPECT_EQ(s.pixel(c.to.x(), c.to.y()), clWhite);
        // Every drawn pixel lies within half a pixel of the ideal line.
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                if (s.pixel(x, y) != clWhite) {
                    const double cross = double(x - c.from.x()) * (c.to.y() - c.from.y())
                                         - double(y - c.from.y()) * (c.to.x() - c.from.x());
                    EXPECT_LE(std::abs(cross) / std::max(dx, dy), 0.5 + 1e-9) << x << "," << y;
                }
    }
}

TEST(DrawingSurface, LineIsClippedWithoutChangingItsPixels)
{
    // Drawn on a big surface and on a small one, a line must agree wherever
    // the small surface has pixels.
    DrawingSurface big(400, 400), small(100, 100);
    for (DrawingSurface *s : {&big, &small}) {
        s->moveTo(-150, 230);
        s->lineTo(250, -37);
    }
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(small.pixel(x, y), big.pixel(x, y)) << x << "," << y;

    DrawingSurface s(kPictureWidth, kPictureHeight);
    s.moveTo(0, 230);
    s.lineTo(778, 230);
    EXPECT_EQ(countInk(s), 778);
    EXPECT_EQ(s.pixel(777, 230), clBlack);
}

TEST(DrawingSurface, FarAwayEndpointsAreCheapAndSafe)
{
    DrawingSurface s(kPictureWidth, kPictureHeight);
    s.moveTo(INT_MIN, INT_MIN);
    s.lineTo(INT_MAX, INT_MAX); // diagonal through the surface
    EXPECT_EQ(s.pixel(0, 0), clBlack);
    EXPECT_EQ(s.pixel(400, 400), clBlack);
    EXPECT_EQ(countInk(s), kPictureHeight);
    s.moveTo(389, 231);
    s.lineTo(INT_MAX, 231);
    EXPECT_EQ(s.pixel(777, 231), clBlack);
    s.moveTo(INT_MIN, -5);
    s.lineTo(INT_MAX, -5); // entirely above the surface
    EXPECT_EQ(s.penPos(), QPoint(INT_MAX, -5));
}

TEST(DrawingSurface, SystemPenColourResolvesWhenUsed)
{
    DrawingSurface s(10, 10);
    s.setPenColor(clWindowText);
    EXPECT_EQ(s.penColor(), clWindowText);
    s.moveTo(0, 0);
    s.lineTo(5, 0);
    EXPECT_EQ(s.pixel(0, 0), ColorToRGB(clWindowText));
}

TEST(DrawingSurface, FontHeightRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(CanvasFont::heightForPoints(30, 96), -40);
    EXPECT_EQ(CanvasFont::heightForPoints(12, 96), -16);
    EXPECT_EQ(CanvasFont::heightForPoints(10, 96), -13); // 13.33
    EXPECT_EQ(CanvasFont::heightForPoints(8, 96), -11);  // 10.67
    EXPECT_EQ(CanvasFont::heightForPoints(3, 96), -4);   // exactly 4
    EXPECT_EQ(CanvasFont::heightForPoints(9, 120), -15); // 15 exactly
    EXPECT_EQ(CanvasFont::heightForPoints(3, 12), -1);   // 0.5 rounds away from zero
    EXPECT_EQ(CanvasFont::heightForPoints(-3, 12), 1);

    DrawingSurface s(10, 10);
    s.setFontSize(10);
    EXPECT_EQ(s.fontHeight(), CanvasFont::heightForPoints(10, CanvasFont::displayPpi()));
}

TEST(DrawingSurface, FontHeightSignChoosesEmOrCell)
{
    // The rows of the white box that text out paints at the top left of a
    // black surface: the font's cell height.
    const auto cellHeight = [](int points) {
        DrawingSurface s(300, 120);
        paintBlack(s);
        s.setFontName(QStringLiteral("Arial"));
        s.setFontSize(points);
        s.textOut(0, 0, QStringLiteral(" M"));
        int rows = 0;
        while (rows < s.height() && s.pixel(0, rows) == clWhite)
            ++rows;
        return std::make_pair(rows, s.fontHeight());
    };
    // Negative: the em is the height, so the cell is taller.
    const auto [emCell, emHeight] = cellHeight(30);
    ASSERT_LT(emHeight, 0);
    EXPECT_GT(emCell, -emHeight);
    // Positive: the cell itself is the height.
    const auto [cell, height] = cellHeight(-30);
    ASSERT_GT(height, 0);
    EXPECT_NEAR(cell, height, 1);
    // Zero: the default size, not an invisible one.
    EXPECT_EQ(cellHeight(0).first, cellHeight(8).first);
}

TEST(DrawingSurface, FontNameRules)
{
    DrawingSurface s(10, 10);
    s.setFontName(QString());
    EXPECT_EQ(s.fontName(), QStringLiteral("MS Sans Serif"));
    s.setFontName(QStringLiteral("Arial"));
    EXPECT_EQ(s.fontName(), QStringLiteral("Arial"));
    s.setFontName(QString(40, QLatin1Char('x')));
    EXPECT_EQ(s.fontName(), QString(31, QLatin1Char('x')));
}

TEST(DrawingSurface, TextOutPaintsBoxAndAdvancesPen)
{
    DrawingSurface s(kPictureWidth, kPictureHeight);
    paintBlack(s); // shows where the white box goes
    s.setFontName(QStringLiteral("Arial"));
    s.setFontSize(10);
    s.setFontColor(clRed);
    const QString text = QStringLiteral("M=1,5");
    const int width = s.textWidth(text);
    ASSERT_GT(width, 0);
    s.textOut(60, 10, text);
    EXPECT_EQ(s.penPos(), QPoint(60 + width, 10));

    // Everything painted lies in the box from (60, 10), width wide; the
    // box's corners are background, and some glyph pixels are red-ish.
    int red = 0;
    for (int y = 0; y < kPictureHeight; ++y)
        for (int x = 0; x < kPictureWidth; ++x) {
            const TColor p = s.pixel(x, y);
            if (p == clBlack)
                continue;
            ASSERT_GE(x, 60);
            ASSERT_LT(x, 60 + width);
            ASSERT_GE(y, 10);
            if (RedOf(p) > 200 && GreenOf(p) < 60)
                ++red;
        }
    EXPECT_EQ(s.pixel(60, 10), clWhite);
    EXPECT_EQ(s.pixel(60 + width - 1, 10), clWhite);
    EXPECT_EQ(s.pixel(60 + width, 10), clBlack);
    EXPECT_GT(red, 5);

    // An empty text paints nothing and moves the pen.
    const QImage before = s.image().copy();
    s.textOut(5, 7, QString());
    EXPECT_EQ(s.image(), before);
    EXPECT_EQ(s.penPos(), QPoint(5, 7));
}

TEST(DrawingSurface, TextBeforeAnyFontColourIsWindowText)
{
    DrawingSurface s(200, 60);
    s.setFontSize(30);
    s.textOut(0, 0, QStringLiteral("Ш"));
    bool sawDark = false;
    for (int y = 0; y < 60 && !sawDark; ++y)
        for (int x = 0; x < 200; ++x)
            if (s.pixel(x, y) == ColorToRGB(clWindowText))
                sawDark = true;
    EXPECT_TRUE(sawDark);
}

TEST(DrawingSurface, ChangedHandlerFiresOnlyForPixelOperations)
{
    DrawingSurface s(20, 20);
    int calls = 0;
    s.setChangedHandler([&] { ++calls; });
    s.setPenColor(clRed);
    s.moveTo(1, 1);
    s.setFontSize(12);
    s.setFontColor(clBlue);
    s.setFontName(QStringLiteral("Arial"));
    EXPECT_EQ(calls, 0);
    s.lineTo(5, 5);
    s.fillRect(0, 0, 20, 20);
    s.textOut(0, 0, QStringLiteral("a"));
    EXPECT_EQ(calls, 3);
}

TEST(DrawingSurface, EmptySurfaceIgnoresDrawing)
{
    DrawingSurface s(0, 462);
    EXPECT_TRUE(s.image().isNull());
    s.fillRect(0, 0, 10, 10);
    s.moveTo(0, 0);
    s.lineTo(10, 10);
    s.textOut(0, 0, QStringLiteral("x"));
    EXPECT_EQ(s.penPos(), QPoint(s.textWidth(QStringLiteral("x")), 0));
}
