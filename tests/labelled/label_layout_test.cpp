// The texts that the labelled pictures place by their layout, read from the
// layout and checked on the painted picture: each lies inside the picture,
// whole (never cut), apart from every other, and where it stands on a plot
// no curve runs through it and no marker line strikes it; a Russian text
// writes its numbers with the decimal comma throughout.
#include "fonts/EmbeddedFonts.h"
#include "formats/PaintedPicture.h"
#include "labelled/ChartFrame.h"
#include "labelled/LabelledPatterns.h"
#include "labelled/WirePictures.h"

#include <QFontMetricsF>
#include <QImage>
#include <QLineF>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

using View = LabelledPatterns::View;

// A picture as painted and what its layout says of its texts.
struct LaidOut
{
    QImage image;
    std::vector<PlacedLabel> texts;  // inside the picture, whole, apart from each other
    std::vector<QRectF> offCurves;   // no pixel of a curve's colour inside
    std::vector<QLineF> markerLines; // upright or level lines that no box of offCurves meets
};

QImage painted(QSize size, const PicturePaint &paint)
{
    return QImage::fromData(EncodePaintedPicture(PictureFormat::Png, size, paint), "PNG")
        .convertToFormat(QImage::Format_RGB32);
}

void append(std::vector<PlacedLabel> &to, const std::vector<PlacedLabel> &from)
{
    to.insert(to.end(), from.cbegin(), from.cend());
}

struct PatternPicture
{
    std::vector<LabelledCurve> curves;
    View view = View::Polar;
    QSize size;
    LabelledScale scale = LabelledScale::Linear;
    LabelledLanguage language = LabelledLanguage::English;
    bool readouts = false;
    double rangeDb = 40.0;
};

LaidOut patternPicture(const PatternPicture &p)
{
    LabelledOptions options;
    options.scale = p.scale;
    options.rangeDb = p.rangeDb;
    options.language = p.language;
    options.readouts = p.readouts;
    options.fill = p.curves.size() == 1;
    const LabelledPatterns patterns(p.curves, options);
    const QRectF area(QPointF(0, 0), p.size);
    LaidOut out;
    out.image = painted(p.size, [&](QPainter &painter, const QRectF &a) { patterns.paint(p.view, painter, a); });
    const LabelledPatterns::Labels labels = patterns.labels(p.view, area);
    append(out.texts, labels.title.titleLines);
    append(out.texts, labels.title.subtitleLines);
    append(out.texts, labels.rings);
    append(out.texts, labels.axisTitles);
    if (labels.axisName)
        out.texts.push_back(*labels.axisName);
    for (const PlacedLabel &ring : labels.rings)
        out.offCurves.push_back(ring.box);
    if (labels.axisName)
        out.offCurves.push_back(labels.axisName->box);
    if (labels.beamWidth) {
        out.texts.push_back(*labels.beamWidth);
        out.offCurves.push_back(labels.beamWidth->box);
        // The level line across the plot and the flanks' lines up to it.
        const QRectF plot = patterns.rectangularPlotArea(area);
        const PatternReadouts &r = patterns.patterns().front().readouts;
        const double level = HalfPowerLevel(p.scale);
        const double fraction = p.scale == LabelledScale::Linear ? level : (level + p.rangeDb) / p.rangeDb;
        const double y = plot.bottom() - fraction * plot.height();
        out.markerLines.emplace_back(plot.left(), y, plot.right(), y);
        for (double theta : {*r.halfPowerLowerDeg, *r.halfPowerUpperDeg}) {
            const double x = plot.left() + theta / 180.0 * plot.width();
            out.markerLines.emplace_back(x, plot.bottom(), x, y);
        }
    }
    return out;
}

LaidOut currentPicture(double M, std::optional<double> necFeed, LabelledLanguage language, QSize size)
{
    CurrentPicture picture{M, std::nullopt, language};
    if (necFeed) {
        NecSolution nec;
        nec.segments = 101;
        nec.feedToMaximum = *necFeed;
        picture.nec = nec;
    }
    LaidOut out;
    out.image =
        painted(size, [&](QPainter &painter, const QRectF &area) { PaintCurrentPicture(painter, area, picture); });
    const CurrentPictureLabels labels = LayOutCurrentPicture(QRectF(QPointF(0, 0), size), picture);
    append(out.texts, labels.title.titleLines);
    append(out.texts, labels.title.subtitleLines);
    append(out.texts, labels.axisTitles);
    if (labels.feed) {
        out.texts.push_back(*labels.feed);
        out.offCurves.push_back(labels.feed->box);
    }
    return out;
}

// The size of the window's texts (a 12-pixel font), whatever the picture's size.
const double kWindowUnit = 12.0 / kSmallestTextUnits;

struct LayoutCase
{
    const char *name;
    std::function<LaidOut()> lay;
};

const LayoutCase kLayoutCases[] = {
    // The readouts of a length with a current node at the feed, longer in
    // Russian than the picture is wide.
    {"RussianReadoutsPolar",
     [] {
         return patternPicture({{{1.0, clNavy}}, View::Polar, {800, 800}, {}, LabelledLanguage::Russian, true});
     }},
    {"RussianReadoutsInAWindow",
     [] {
         const ScopedLabelledUnit unit(kWindowUnit);
         return patternPicture({{{1.0, clNavy}}, View::Rectangular, {480, 360}, {}, LabelledLanguage::Russian, true});
     }},
    {"EnglishReadoutsNarrowPolar",
     [] {
         return patternPicture({{{3.0, clNavy}}, View::Polar, {300, 600}, {}, LabelledLanguage::English, true});
     }},
    // The half-power width of a narrow lobe, wider than the lobe.
    {"BeamWidthOfANarrowLobe",
     [] {
         return patternPicture({{{10.0, clNavy}}, View::Rectangular, {960, 600}});
     }},
    {"BeamWidthOfANarrowLobeInDb",
     [] {
         return patternPicture({{{5.0, clNavy}}, View::Rectangular, {960, 600}, LabelledScale::Decibel});
     }},
    {"BeamWidthOfTheLongest",
     [] {
         return patternPicture({{{29.99, clNavy}}, View::Rectangular, {960, 600}, LabelledScale::Decibel});
     }},
    {"BeamWidthSmallPicture",
     [] {
         return patternPicture({{{7.3, clNavy}}, View::Rectangular, {480, 300}});
     }},
    // Curves that run along the axis, where the rings' values are.
    {"RingsUnderAFamilyInDb",
     [] {
         return patternPicture(
             {{{0.5, clNavy}, {1.5, clRed}, {2.5, clGreen}}, View::Polar, {800, 800}, LabelledScale::Decibel});
     }},
    {"RingsUnderOneLength",
     [] {
         return patternPicture({{{1.5, clNavy}}, View::Polar, {800, 800}});
     }},
    // The window's texts on a small picture, and many rings.
    {"RingsInASmallWindow",
     [] {
         const ScopedLabelledUnit unit(kWindowUnit);
         return patternPicture({{{1.5, clNavy}}, View::Polar, {400, 400}, LabelledScale::Decibel});
     }},
    {"RingsInAWideWindow",
     [] {
         const ScopedLabelledUnit unit(kWindowUnit);
         return patternPicture({{{0.5, clNavy}}, View::Polar, {480, 360}, LabelledScale::Decibel});
     }},
    {"RingsOfAWideRange",
     [] {
         return patternPicture({{{0.5, clNavy}}, View::Polar, {800, 800}, LabelledScale::Decibel, {}, false, 120.0});
     }},
    // The feed at a current maximum, beneath the title block.
    {"FeedAtAMaximumRussian",
     [] {
         return currentPicture(2.5, 0.988, LabelledLanguage::Russian, {960, 600});
     }},
    {"FeedAtAMaximumInAWindow",
     [] {
         const ScopedLabelledUnit unit(kWindowUnit);
         return currentPicture(0.5, std::nullopt, LabelledLanguage::English, {480, 360});
     }},
};

// A curve's colour: far from grey (the texts, the grid, the frame, white)
// and from a light tint of a fill.
bool isCurvePixel(QRgb pixel)
{
    const int high = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    const int low = std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    return high - low > 60;
}

// The pixels wholly inside box (a line passing just outside tints the
// pixels its edge crosses).
int curvePixelsIn(const QImage &image, const QRectF &box)
{
    int count = 0;
    for (int y = int(std::ceil(box.top())); y + 1 <= box.bottom(); ++y) {
        for (int x = int(std::ceil(box.left())); x + 1 <= box.right(); ++x)
            count += image.valid(x, y) && isCurvePixel(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

bool meets(const QRectF &box, const QLineF &line)
{
    const QRectF extent = QRectF(line.p1(), line.p2()).normalized();
    return extent.left() <= box.right() && extent.right() >= box.left() && extent.top() <= box.bottom()
           && extent.bottom() >= box.top();
}

void PrintTo(const LayoutCase &c, std::ostream *os)
{
    *os << c.name;
}

class LabelLayout : public ::testing::TestWithParam<LayoutCase>
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(RegisterEmbeddedFonts()); }
};

TEST_P(LabelLayout, TextsAreWholeApartAndClear)
{
    const LaidOut out = GetParam().lay();
    ASSERT_FALSE(out.texts.empty());
    const QRectF picture(out.image.rect());
    static const QRegularExpression decimalPoint(QStringLiteral("\\d\\.\\d"));
    for (size_t i = 0; i < out.texts.size(); ++i) {
        const PlacedLabel &text = out.texts[i];
        SCOPED_TRACE(text.text.toStdString());
        EXPECT_TRUE(picture.contains(text.box));
        EXPECT_FALSE(text.text.contains(QChar(0x2026))) << "cut";
        if (text.text.contains(QRegularExpression(QStringLiteral("[а-я]")))) {
            EXPECT_FALSE(text.text.contains(decimalPoint)) << "a decimal point in Russian";
        }
        for (size_t j = i + 1; j < out.texts.size(); ++j)
            EXPECT_FALSE(text.box.intersects(out.texts[j].box)) << "overlaps " << out.texts[j].text.toStdString();
    }
    for (const QRectF &box : out.offCurves) {
        EXPECT_EQ(curvePixelsIn(out.image, box), 0) << "a curve through the text at " << box.x() << ", " << box.y();
        for (const QLineF &line : out.markerLines)
            EXPECT_FALSE(meets(box, line)) << "a marker line through the text at " << box.x() << ", " << box.y();
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, LabelLayout, ::testing::ValuesIn(kLayoutCases),
                         [](const auto &info) { return std::string(info.param.name); });

// A readouts line breaks at its separators before it breaks a phrase, and
// never loses a word.
TEST(WrapText, BreaksAtSeparatorsFirstAndKeepsEveryWord)
{
    ASSERT_TRUE(RegisterEmbeddedFonts());
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(16);
    const QString text =
        QStringLiteral("D = 3.82 dBi   ·   half-power width 47.8°   ·   Rin undefined; node at the feed");
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(QStringLiteral("half-power width 47.8°")) + 1;
    const std::vector<QString> lines = WrapText(text, font, width);
    const std::vector<QString> expected = {QStringLiteral("D = 3.82 dBi"), QStringLiteral("half-power width 47.8°"),
                                           QStringLiteral("Rin undefined;"), QStringLiteral("node at the feed")};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(WrapText(text, font, 1e6), std::vector<QString>{text});
}

// A box against lines that cross it with no point inside, pass beside it
// within their clearance or beyond it, run along an edge, or are one point.
struct ClearCase
{
    const char *name;
    std::vector<QPointF> points;
    double clearance;
    bool clear;
};

TEST(ClearOfLines, BoxAgainstTheLinesAndTheirClearance)
{
    const QRectF box(10, 10, 20, 10); // x 10 to 30, y 10 to 20
    const ClearCase cases[] = {
        {"CrossesWithNoPointInside", {{0, 0}, {40, 30}}, 0.0, false},
        {"CrossesUpright", {{20, 0}, {20, 40}}, 0.0, false},
        {"PassesAboveWithinClearance", {{0, 8}, {40, 8}}, 3.0, false},
        {"PassesAboveBeyondClearance", {{0, 8}, {40, 8}}, 1.0, true},
        {"EndsShortOfTheBox", {{0, 15}, {8, 15}}, 1.0, true},
        {"DiagonalPastACorner", {{28, 0}, {40, 12}}, 0.0, true},
        {"PointInside", {{15, 15}}, 0.0, false},
        {"PointBesideWithinClearance", {{32, 15}}, 3.0, false},
        {"CurveAlongXPassingThrough", {{0, 30}, {5, 30}, {15, 15}, {25, 30}, {50, 30}}, 0.0, false},
        {"CurveAlongXSpanningTheBox", {{0, 30}, {5, 30}, {35, 5}, {50, 30}}, 0.0, false},
        {"CurveAlongXBelow", {{0, 30}, {15, 25}, {25, 25}, {50, 30}}, 1.0, true},
    };
    for (const ClearCase &c : cases)
        EXPECT_EQ(IsClearOf(box, {{c.points, c.clearance}}), c.clear) << c.name;
}

// The first clear candidate wins; with none clear, the clear place nearest
// the point asked for; with no clear place at all, nothing.
TEST(ClearBoxPlace, PrefersTheCandidatesThenTheNearestClearPlace)
{
    const QRectF within(0, 0, 100, 100);
    const std::vector<ChartObstacle> wall = {{{{50, 0}, {50, 100}}, 1.0}}; // upright at x = 50
    const QSizeF size(10, 10);
    EXPECT_EQ(ClearBox(size, {{45, 0}, {60, 0}}, within, wall, {}, 1.0), QRectF(60, 0, 10, 10));
    const std::optional<QRectF> nearest = ClearBox(size, {{45, 0}}, within, wall, QPointF(50, 50), 1.0);
    ASSERT_TRUE(nearest);
    EXPECT_NEAR(std::fabs(nearest->center().x() - 50), 6.0, 1.0) << "just clear of the wall";
    EXPECT_NEAR(nearest->center().y(), 50, 1.0);
    EXPECT_FALSE(ClearBox(size, {{45, 0}}, within, wall, {}, 0.0)) << "no search without a step";
    EXPECT_FALSE(ClearBox(QSizeF(60, 10), {}, within, wall, {}, 1.0)) << "wider than either side";
}

} // namespace
