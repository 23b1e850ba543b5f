// The wire's pictures painted on an image, as a window would paint them:
// they draw their curves inside the area given, and lengths at the edges of
// the range (none at all, a hair, the longest) draw without trouble.
#include "labelled/LineSwrPicture.h"
#include "labelled/WirePictures.h"
#include "physics/InducedEmf.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <map>

namespace {

QImage Painted(const std::function<void(QPainter &, const QRectF &)> &paint, QRect area = QRect(0, 0, 960, 600))
{
    QImage image(area.right() + 41, area.bottom() + 41, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, area);
    return image;
}

// Pixels of a colour close to c, and whether any lies outside area.
std::pair<int, bool> Count(const QImage &image, const QColor &c, const QRect &area)
{
    int count = 0;
    bool outside = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) + std::abs(p.blue() - c.blue()) < 40) {
                ++count;
                outside = outside || !area.contains(x, y);
            }
        }
    }
    return {count, outside};
}

TEST(WirePictures, CurrentDrawsInsideItsArea)
{
    const QRect area(20, 30, 960, 600);
    for (const double M : {0.0, 1e-6, 0.25, 1.0, 29.99}) {
        SCOPED_TRACE(M);
        const QImage image = Painted(
            [&](QPainter &p, const QRectF &a) {
                PaintCurrentPicture(p, a, {M, std::nullopt, LabelledLanguage::English});
            },
            area);
        const auto [curve, outside] = Count(image, QColor(0x1f, 0x3a, 0x93), area);
        EXPECT_EQ(curve > 200, M > 0.0) << curve;
        EXPECT_FALSE(outside);
    }
}

// Where the curve of colour c changes sides of its zero line, the row of its
// ends, as fractions of its width: the mean row of its pixels in each
// column, 5 pixels or more above or below the ends' row.
std::vector<double> Crossings(const QImage &image, const QColor &c, int &firstSide)
{
    std::vector<std::pair<int, double>> columns;
    for (int x = 0; x < image.width(); ++x) {
        int count = 0;
        double rows = 0.0;
        for (int y = 0; y < image.height(); ++y) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) + std::abs(p.blue() - c.blue()) < 40)
                ++count, rows += y;
        }
        if (count > 0)
            columns.emplace_back(x, rows / count);
    }
    const double zero = (columns.front().second + columns.back().second) / 2;
    const double width = columns.back().first - columns.front().first;
    std::vector<double> crossings;
    int side = firstSide = 0;
    for (const auto &[x, row] : columns) {
        const int here = row < zero - 5 ? 1 : row > zero + 5 ? -1 : 0;
        if (here != 0 && side != 0 && here != side)
            crossings.push_back((x - columns.front().first) / width);
        firstSide = firstSide == 0 ? here : firstSide;
        side = here != 0 ? here : side;
    }
    return crossings;
}

// The sinusoid crosses its zero line half a wave in from either end and
// every half wave further in, not at a node of the feed, where both sides
// flow the same way; the stretch at the feed is drawn above the line.
TEST(WirePictures, CurrentCrossesItsZeroLineHalfAWaveFromEachEnd)
{
    const std::tuple<double, std::vector<double>, int> cases[] = {
        {0.5, {}, 1},
        {1.0, {}, 1},
        {1.25, {0.4, 0.6}, -1},
        {1.5, {1.0 / 3, 2.0 / 3}, -1},
        {2.0, {0.25, 0.75}, -1},
        {2.5, {0.2, 0.4, 0.6, 0.8}, 1},
    };
    for (const auto &[M, expected, firstSide] : cases) {
        SCOPED_TRACE(M);
        const QImage image = Painted([&, M = M](QPainter &p, const QRectF &a) {
            PaintCurrentPicture(p, a, {M, std::nullopt, LabelledLanguage::English});
        });
        int side = 0;
        const std::vector<double> crossings = Crossings(image, QColor(0x1f, 0x3a, 0x93), side);
        EXPECT_EQ(side, firstSide);
        ASSERT_EQ(crossings.size(), expected.size());
        for (size_t i = 0; i < crossings.size(); ++i)
            EXPECT_NEAR(crossings[i], expected[i], 0.01) << i;
    }
}

TEST(WirePictures, ImpedanceMarksTheLengthAndBreaksAtNodes)
{
    const QRect area(0, 0, 960, 600);
    ImpedancePicture picture = MakeImpedancePicture(0.001, 0.1, 3.0, 0.01, 75.0);
    picture.markedLength = 1.5;
    ASSERT_EQ(picture.zeros.size(), 5u);
    const QImage image = Painted([&](QPainter &p, const QRectF &a) { PaintImpedancePicture(p, a, picture); }, area);
    EXPECT_GT(Count(image, QColor(0xb0, 0x30, 0x30), area).first, 500);
    EXPECT_FALSE(Count(image, QColor(0xb0, 0x30, 0x30), area).second);

    // One length, and none: a picture without trouble.
    ImpedancePicture single = MakeImpedancePicture(0.001, 0.5, 0.5, 0.01, std::nullopt);
    EXPECT_EQ(single.points.size(), 1u);
    Painted([&](QPainter &p, const QRectF &a) { PaintImpedancePicture(p, a, single); });
    single.points.clear();
    Painted([&](QPainter &p, const QRectF &a) { PaintImpedancePicture(p, a, single); });
}

// The rows of pixels the reactance's red reaches, against the picture's
// height.
double RedHeightShare(const QImage &image)
{
    int top = image.height();
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - 0xb0) + std::abs(p.green() - 0x30) + std::abs(p.blue() - 0x30) < 40) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return bottom < top ? 0.0 : double(bottom - top) / image.height();
}

// Zoomed on a resonance, the vertical axis follows R and X, so the curves
// fill the chart instead of lying flat on a scale of ±1500 Ω; over a range
// with current nodes it keeps that scale.
TEST(WirePictures, ImpedanceAxisFollowsTheValuesShown)
{
    const struct
    {
        double from, to, radius;
        double leastShare; // of the picture's height taken by the reactance
    } rows[] = {
        {0.4, 0.6, 0.001, 0.5},
        {0.45, 0.55, 0.01, 0.5},
        {1.3, 1.6, 0.001, 0.5},
        {0.1, 3.0, 0.001, 0.5},
    };
    for (const auto &row : rows) {
        const ImpedancePicture picture = MakeImpedancePicture(row.radius, row.from, row.to, 0.005, std::nullopt);
        const QImage image = Painted([&](QPainter &p, const QRectF &a) { PaintImpedancePicture(p, a, picture); });
        EXPECT_GT(RedHeightShare(image), row.leastShare) << row.from << ":" << row.to;
    }
}

// The columns where a colour close to c shows, and the lowest row of each.
std::map<int, int> LowestRows(const QImage &image, const QColor &c)
{
    std::map<int, int> lowest;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) + std::abs(p.blue() - c.blue()) < 40)
                lowest[x] = y;
        }
    }
    return lowest;
}

// The SWR against the line's resistance dips lowest where the best line is
// marked, for a wire near resonance, a long one and a short one far off it.
TEST(WirePictures, LineSwrDipsAtTheBestLineMarked)
{
    for (const double M : {0.5, 1.5, 0.3}) {
        LineSwrPicture picture;
        picture.length = M;
        picture.input = *InducedEmfImpedance(M, 0.001).atFeed;
        const QImage image =
            Painted([&](QPainter &p, const QRectF &a) { PaintLineSwrPicture(p, a, picture); }, QRect(0, 0, 960, 600));
        // The middle of the curve's lowest run of columns (the largest row,
        // within a pixel), left of the legend.
        const std::map<int, int> curve = LowestRows(image, QColor(0x1f, 0x3a, 0x93));
        int dipRow = -1;
        for (const auto [x, y] : curve)
            if (x < 700)
                dipRow = std::max(dipRow, y);
        std::vector<int> dip;
        for (const auto [x, y] : curve)
            if (x < 700 && y >= dipRow - 1)
                dip.push_back(x);
        ASSERT_FALSE(dip.empty()) << M;
        const int dipColumn = (dip.front() + dip.back()) / 2;
        // The best line: the green dashes' columns, left of the legend.
        std::vector<int> green;
        for (const auto [x, y] : LowestRows(image, QColor(0x2e, 0x7d, 0x32)))
            if (x < 700)
                green.push_back(x);
        ASSERT_FALSE(green.empty()) << M;
        EXPECT_NEAR(dipColumn, green.front(), 4) << M;
        EXPECT_LE(green.back() - green.front(), 3) << M;
    }
}

TEST(WirePictures, ImpedanceShadesWhereTheModelIsNotTheWire)
{
    const ImpedancePicture thin = MakeImpedancePicture(0.001, 0.1, 3.0, 0.01, std::nullopt);
    ASSERT_EQ(thin.outsideModel.size(), 3u); // about 1, 2 and 3
    ImpedancePicture plain = thin;
    plain.outsideModel.clear();
    const QRect area(0, 0, 960, 600);
    const auto shaded = [&](const ImpedancePicture &picture) {
        const QImage image = Painted([&](QPainter &p, const QRectF &a) { PaintImpedancePicture(p, a, picture); }, area);
        return Count(image, QColor(0xe3, 0xe3, 0xe3), area); // the shade's grey over white
    };
    const auto [withShade, outside] = shaded(thin);
    EXPECT_GT(withShade - shaded(plain).first, 10000);
    EXPECT_FALSE(outside);
}

} // namespace
