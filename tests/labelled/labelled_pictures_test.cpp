// The labelled pictures as a reader sees them: the curve fills the plot
// whatever the length and never leaves it, every curve of a family shows,
// the texts are real text in the chosen language, and a raster file comes
// out the same on every run.
#include "base/SaveFile.h"
#include "fonts/EmbeddedFonts.h"
#include "labelled/LabelledPair.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>

namespace {

using View = LabelledPatterns::View;

const QRgb kRed = qRgb(0xFF, 0, 0);

class LabelledPictures : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(RegisterEmbeddedFonts()); }
};

QImage render(const LabelledPatterns &patterns, View view, QSize size)
{
    const QImage image = QImage::fromData(EncodeLabelledPicture(PictureFormat::Png, patterns, view, size), "PNG");
    EXPECT_EQ(image.size(), size);
    return image.convertToFormat(QImage::Format_RGB32);
}

// Half the power is half the field's square: −3.0103 dB, not the −6.02 dB
// of half the field.
TEST(HalfPowerLevel, IsHalfThePowerOnEitherScale)
{
    const std::pair<LabelledScale, double> rows[] = {{LabelledScale::Linear, 0.70710678118654752},
                                                     {LabelledScale::Decibel, -3.0102999566398120}};
    for (const auto &[scale, level] : rows)
        EXPECT_NEAR(HalfPowerLevel(scale), level, 1e-12) << static_cast<int>(scale);
}

QSize defaultSize(View view)
{
    return view == View::Polar ? kLabelledPolarSize : kLabelledRectangularSize;
}

// Pixels of exactly this colour: the inside of an antialiased curve.
std::vector<QPoint> pixelsOf(const QImage &image, QRgb colour)
{
    std::vector<QPoint> found;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] & 0xFFFFFF) == (colour & 0xFFFFFF))
                found.emplace_back(x, y);
        }
    }
    return found;
}

struct ExtentCase
{
    const char *name;
    double length;
    LabelledScale scale;
    QSize size; // empty: the default size
};

class CurveExtent : public LabelledPictures, public ::testing::WithParamInterface<ExtentCase>
{
};

const ExtentCase kExtentCases[] = {
    {"ShortLinear", 0.1, LabelledScale::Linear, {}},
    {"LongLinear", 29.99, LabelledScale::Linear, {}},
    {"HalfWaveDb", 0.5, LabelledScale::Decibel, {}},
    {"LongDb", 29.99, LabelledScale::Decibel, {}},
    {"ShortLargePicture", 0.1, LabelledScale::Linear, {1600, 1200}},
    {"LongSmallPicture", 29.99, LabelledScale::Linear, {300, 240}},
};

// The curve's farthest point lies on the outer circle (the maximum is 1 on
// either scale), and no point beyond it.
TEST_P(CurveExtent, PolarCurveReachesTheOuterCircleAndStaysInside)
{
    const ExtentCase &c = GetParam();
    LabelledOptions options;
    options.scale = c.scale;
    const LabelledPatterns patterns({{c.length, clRed}}, options);
    const QSize size = c.size.isEmpty() ? defaultSize(View::Polar) : c.size;
    const QImage image = render(patterns, View::Polar, size);
    const QRectF area(QPointF(0, 0), size);
    const QPointF centre = patterns.polarCentre(area);
    const double radius = patterns.polarRadius(area);

    const std::vector<QPoint> curve = pixelsOf(image, kRed);
    ASSERT_FALSE(curve.empty());
    double farthest = 0.0;
    for (const QPoint &p : curve)
        farthest = std::max(farthest, std::hypot(p.x() + 0.5 - centre.x(), p.y() + 0.5 - centre.y()));
    EXPECT_GT(farthest, radius - 2.0);
    EXPECT_LT(farthest, radius + 2.0);
    EXPECT_GT(radius, 0.3 * std::min(size.width(), size.height())) << "the circle fills the picture";
}

// The top of the curve touches the plot's top edge, and the curve keeps
// within the plot area.
TEST_P(CurveExtent, RectangularCurveReachesTheTopAndStaysInside)
{
    const ExtentCase &c = GetParam();
    LabelledOptions options;
    options.scale = c.scale;
    const LabelledPatterns patterns({{c.length, clRed}}, options);
    const QSize size = c.size.isEmpty() ? defaultSize(View::Rectangular) : c.size;
    const QImage image = render(patterns, View::Rectangular, size);
    const QRectF plot = patterns.rectangularPlotArea(QRectF(QPointF(0, 0), size));

    const std::vector<QPoint> curve = pixelsOf(image, kRed);
    ASSERT_FALSE(curve.empty());
    QRect extent(curve.front(), curve.front());
    for (const QPoint &p : curve)
        extent |= QRect(p, p);
    EXPECT_NEAR(extent.top(), plot.top(), 2.0);
    EXPECT_GE(extent.left(), plot.left() - 1.0);
    EXPECT_LE(extent.right(), plot.right() + 1.0);
    EXPECT_LE(extent.bottom(), plot.bottom() + 1.0);
    // θ runs over the whole width: the curve starts at 0° and ends at 180°.
    EXPECT_NEAR(extent.left(), plot.left(), 2.0);
    EXPECT_NEAR(extent.right(), plot.right(), 2.0);
}

INSTANTIATE_TEST_SUITE_P(Lengths, CurveExtent, ::testing::ValuesIn(kExtentCases),
                         [](const auto &info) { return std::string(info.param.name); });

// On a dB scale however deep, the curve falls to the floor at every null:
// the samples beside a null stop some 50 dB down.
TEST_F(LabelledPictures, DecibelCurveReachesTheFloorAtEveryNull)
{
    const struct
    {
        double length;
        double rangeDb;
    } cases[] = {{1.5, 120.0}, {2.5, 120.0}, {5.0, 60.0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.length);
        LabelledOptions options;
        options.scale = LabelledScale::Decibel;
        options.rangeDb = c.rangeDb;
        const LabelledPatterns patterns({{c.length, clRed}}, options);
        const QSize size = defaultSize(View::Rectangular);
        const QImage image = render(patterns, View::Rectangular, size);
        const QRectF plot = patterns.rectangularPlotArea(QRectF(QPointF(0, 0), size));
        const std::vector<QPoint> curve = pixelsOf(image, kRed);
        const std::vector<double> nulls = ComputePatternReadouts(c.length).nullsDeg;
        ASSERT_FALSE(nulls.empty());
        for (const double null : nulls) {
            const double x = plot.left() + null / 180.0 * plot.width();
            const bool reaches = std::any_of(curve.begin(), curve.end(), [&](const QPoint &p) {
                return std::fabs(p.x() - x) < 3.0 && p.y() > plot.bottom() - 3.0;
            });
            EXPECT_TRUE(reaches) << "the null at " << null << "°";
        }
    }
}

struct FamilyCase
{
    const char *name;
    bool fill;
    LabelledScale scale;
};

class FamilyCurves : public LabelledPictures, public ::testing::WithParamInterface<FamilyCase>
{
};

// Seven lengths whose curves overlap a great deal, the short ones lying
// inside the long ones: each still shows in its own colour.
TEST_P(FamilyCurves, EveryCurveIsVisible)
{
    const std::vector<LabelledCurve> family = {{29.99, clMaroon}, {5.0, clTeal}, {2.5, clPurple}, {1.5, clGreen},
                                               {1.0, clBlue},     {0.5, clRed},  {0.1, clOlive}};
    LabelledOptions options;
    options.fill = GetParam().fill;
    options.scale = GetParam().scale;
    options.readouts = true;
    const LabelledPatterns patterns(family, options);
    for (View view : {View::Polar, View::Rectangular}) {
        const QImage image = render(patterns, view, defaultSize(view));
        for (const LabelledCurve &curve : family) {
            EXPECT_GT(pixelsOf(image, ToQRgb(curve.colour)).size(), 200u)
                << "M = " << curve.length << (view == View::Polar ? " (polar)" : " (rectangular)");
        }
    }
}

const FamilyCase kFamilyCases[] = {
    {"Unfilled", false, LabelledScale::Linear},
    {"Filled", true, LabelledScale::Linear},
    {"FilledDb", true, LabelledScale::Decibel},
};
INSTANTIATE_TEST_SUITE_P(Styles, FamilyCurves, ::testing::ValuesIn(kFamilyCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The text of a PDF as a reader's tool extracts it, both pages joined.
QString pdfText(const std::pair<QByteArray, QByteArray> &files)
{
    QTemporaryDir dir;
    QString text;
    for (const QByteArray *file : {&files.first, &files.second}) {
        const QString path = dir.filePath(QStringLiteral("picture.pdf"));
        SaveFileContents(path, *file);
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
        EXPECT_TRUE(tool.waitForFinished(30000));
        text += QString::fromUtf8(tool.readAllStandardOutput());
    }
    return text;
}

struct TextCase
{
    const char *name;
    std::vector<LabelledCurve> curves;
    LabelledLanguage language;
    LabelledScale scale;
    bool readouts;
    std::vector<const char *> present;
    std::vector<const char *> absent;
};

class PictureTexts : public LabelledPictures, public ::testing::WithParamInterface<TextCase>
{
};

TEST_P(PictureTexts, AreRealTextInTheLanguage)
{
    const TextCase &c = GetParam();
    LabelledOptions options;
    options.language = c.language;
    options.scale = c.scale;
    options.readouts = c.readouts;
    // The extraction guesses the blanks from the glyphs' positions and drops
    // some in short lines ("M=1λ"), so blanks are left out of the comparison.
    const auto withoutBlanks = [](QString text) { return text.remove(QLatin1Char(' ')); };
    const QString text =
        withoutBlanks(pdfText(EncodeLabelledPair(PictureFormat::Pdf, LabelledPatterns(c.curves, options))));
    for (const char *expected : c.present) {
        EXPECT_TRUE(text.contains(withoutBlanks(QString::fromUtf8(expected)))) << expected << " missing from\n"
                                                                               << text.toStdString();
    }
    for (const char *unexpected : c.absent) {
        EXPECT_FALSE(text.contains(withoutBlanks(QString::fromUtf8(unexpected)))) << unexpected << " found in\n"
                                                                                  << text.toStdString();
    }
}

const TextCase kTextCases[] = {
    {"EnglishLinear",
     {{1.5, clNavy}},
     LabelledLanguage::English,
     LabelledScale::Linear,
     true,
     {"M = 1.5 λ", "D = 3.48 dBi", "half-power width 32.8°", "Rin = 105.4 Ω", "HPBW 32.8°", "dipole axis",
      "θ, angle from the dipole axis", "F / Fmax", "0.707", "0.2", "1.0", "150°", "180°"},
     {"1,5", "дБ"}},
    {"RussianLinear",
     {{1.5, clNavy}},
     LabelledLanguage::Russian,
     LabelledScale::Linear,
     true,
     {"M = 1,5 λ", "КНД = 3,48 дБи", "ширина по половинной мощности 32,8°", "Rвх = 105,4 Ом", "ширина ДН 32,8°",
      "ось вибратора", "θ, угол от оси вибратора", "0,707", "0,2"},
     {"1.5", "0.707", "dipole axis", "dBi"}},
    {"EnglishDb",
     {{0.5, clNavy}},
     LabelledLanguage::English,
     LabelledScale::Decibel,
     false,
     {"M = 0.5 λ", "−10 dB", "−30 dB", "0 dB", "−3 dB", "F / Fmax, dB", "−40"},
     {"dBi", "0.707"}},
    {"RussianDb",
     {{0.5, clNavy}},
     LabelledLanguage::Russian,
     LabelledScale::Decibel,
     false,
     {"M = 0,5 λ", "−10 дБ", "−3 дБ", "F / Fмакс, дБ"},
     {" dB"}},
    {"FullWaveHasNoInputResistance",
     {{1.0, clNavy}},
     LabelledLanguage::English,
     LabelledScale::Linear,
     true,
     {"M = 1 λ", "Rin undefined (current node at the feed)"},
     {"Rin ="}},
    {"ZeroLengthRadiatesNothing",
     {{0.0, clNavy}},
     LabelledLanguage::Russian,
     LabelledScale::Linear,
     false,
     {"M = 0 λ", "вибратор не излучает"},
     {"ширина ДН"}},
    {"RussianFamily",
     {{0.5, clRed}, {1.25, clBlue}},
     LabelledLanguage::Russian,
     LabelledScale::Linear,
     true,
     {"Диаграммы направленности", "M = 0,5 λ", "M = 1,25 λ", "2,15 дБи", "уровень половинной мощности"},
     {"M = 1.25"}},
};
INSTANTIATE_TEST_SUITE_P(Pictures, PictureTexts, ::testing::ValuesIn(kTextCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(LabelledPictures, RasterFilesAreTheSameOnEveryRun)
{
    LabelledOptions options;
    options.readouts = true;
    options.fill = true;
    for (PictureFormat format : {PictureFormat::Png, PictureFormat::Bmp}) {
        const auto first = EncodeLabelledPair(format, LabelledPatterns({{1.5, clNavy}, {0.5, clRed}}, options));
        const auto second = EncodeLabelledPair(format, LabelledPatterns({{1.5, clNavy}, {0.5, clRed}}, options));
        EXPECT_TRUE(first == second) << PictureFormatName(format).toStdString();
    }
}

// The vector types are as large as the raster ones, in their own units, and
// carry their words as text.
TEST_F(LabelledPictures, VectorFilesHaveTheSizeAndRealText)
{
    const LabelledPatterns patterns({{1.5, clNavy}}, LabelledOptions{});
    const QByteArray svg = EncodeLabelledPicture(PictureFormat::Svg, patterns, View::Rectangular, QSize(960, 600));
    EXPECT_TRUE(svg.contains("<svg width=\"960\" height=\"600\""));
    // Qt writes a run of text per script: "M = 1.5 " and then "λ".
    EXPECT_TRUE(svg.contains(">M = 1.5 </text>"));
    const QByteArray pdf = EncodeLabelledPicture(PictureFormat::Pdf, patterns, View::Polar, QSize(500, 400));
    static const QRegularExpression page(QStringLiteral("/MediaBox \\[0 0 500(\\.0+)? 400(\\.0+)?\\]"));
    EXPECT_TRUE(page.match(QString::fromLatin1(pdf)).hasMatch());
}

// A comparison pattern held at half the maximum (0.5, or 0.1 = -20 dB on a
// 40 dB range): its dashes lie halfway out on both pictures and both scales,
// and the legend names it beside the theory.
struct ComparisonCase
{
    const char *name;
    View view;
    LabelledScale scale;
    double value;
    LabelledLanguage language;
    const char *theory;
};

class ComparisonCurve : public LabelledPictures, public ::testing::WithParamInterface<ComparisonCase>
{
};

const QRgb kComparisonColour = qRgb(0, 0xC0, 0);

LabelledPatterns comparedPatterns(const ComparisonCase &c)
{
    LabelledOptions options;
    options.scale = c.scale;
    options.language = c.language;
    LabelledComparison comparison;
    comparison.name = QStringLiteral("Rival");
    comparison.colour = QColor(kComparisonColour);
    for (int degrees = 0; degrees <= 180; degrees += 5)
        comparison.samples.emplace_back(degrees, c.value);
    options.comparison = comparison;
    return LabelledPatterns({{1.5, clNavy}}, options);
}

// How far out a point lies: a fraction of the polar radius, or of the
// rectangular plot's height above its bottom.
double fractionOut(const LabelledPatterns &patterns, View view, QSize size, QPoint p)
{
    const QRectF area(QPointF(0, 0), QSizeF(size));
    if (view == View::Polar) {
        const QPointF d = QPointF(p) + QPointF(0.5, 0.5) - patterns.polarCentre(area);
        return std::hypot(d.x(), d.y()) / patterns.polarRadius(area);
    }
    const QRectF plot = patterns.rectangularPlotArea(area);
    return (plot.bottom() - (p.y() + 0.5)) / plot.height();
}

TEST_P(ComparisonCurve, IsDashedHalfwayOutAndNamed)
{
    const ComparisonCase &c = GetParam();
    const LabelledPatterns patterns = comparedPatterns(c);
    const QSize size = defaultSize(c.view);
    const std::vector<QPoint> dashes = pixelsOf(render(patterns, c.view, size), kComparisonColour);
    ASSERT_GT(dashes.size(), 50u);
    size_t halfway = 0;
    for (const QPoint &p : dashes)
        halfway += std::fabs(fractionOut(patterns, c.view, size, p) - 0.5) < 0.02 ? 1 : 0;
    // Most of the colour is the dashes; the rest is the legend's sample.
    EXPECT_GT(halfway, dashes.size() * 3 / 4);

    const QString text = pdfText(EncodeLabelledPair(PictureFormat::Pdf, patterns));
    EXPECT_EQ(text.count(QStringLiteral("Rival")), 2) << text.toStdString();
    EXPECT_EQ(text.count(QString::fromUtf8(c.theory)), 2) << text.toStdString();
}

const ComparisonCase kComparisonCases[] = {
    {"PolarLinear", View::Polar, LabelledScale::Linear, 0.5, LabelledLanguage::English, "theory"},
    {"RectangularLinear", View::Rectangular, LabelledScale::Linear, 0.5, LabelledLanguage::English, "theory"},
    {"PolarDb", View::Polar, LabelledScale::Decibel, 0.1, LabelledLanguage::Russian, "теория"},
    {"RectangularDb", View::Rectangular, LabelledScale::Decibel, 0.1, LabelledLanguage::Russian, "теория"},
};

INSTANTIATE_TEST_SUITE_P(Views, ComparisonCurve, ::testing::ValuesIn(kComparisonCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ResampledDegrees, JoinTheSamplesAndHoldTheEnds)
{
    const std::vector<double> values = ResampleDegrees({{10.0, 0.2}, {20.0, 0.6}, {170.0, 1.0}}, 2);
    ASSERT_EQ(values.size(), 361u);
    EXPECT_DOUBLE_EQ(values[0], 0.2);   // before the first sample
    EXPECT_DOUBLE_EQ(values[20], 0.2);  // 10°
    EXPECT_DOUBLE_EQ(values[30], 0.4);  // 15°, halfway between
    EXPECT_DOUBLE_EQ(values[40], 0.6);  // 20°
    EXPECT_DOUBLE_EQ(values[360], 1.0); // beyond the last sample
    EXPECT_EQ(ResampleDegrees({}, 1), std::vector<double>(181, 0.0));
}

} // namespace
