// The picture pair in every file type: PNG with the raster surface's exact
// pixels, SVG and PDF as drawings that, rasterised at their own size, trace
// the raster picture and carry the family's legends as text.
#include "formats/PicturePair.h"
#include "formats/VectorSurface.h"
#include "plot/DrawingSurface.h"
#include "plot/FamilyPlot.h"
#include "plot/PictureFile.h"
#include "plot/PlotCommands.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <algorithm>

namespace {

PairDrawing BuildCommand(TColor colour, double M, bool fill)
{
    return [=](PlotCanvas &polar, PlotCanvas &rect) { BuildPictures(polar, rect, colour, M, fill); };
}

PairDrawing Family()
{
    return [](PlotCanvas &polar, PlotCanvas &rect) {
        for (PlotCanvas *canvas : {&polar, &rect})
            canvas->setFontName(QStringLiteral("Arial"));
        DrawFamily(polar, rect, {{0.5L, clMaroon, "0.5"}, {1.5L, clGreen, "1.5"}}, true);
    };
}

std::pair<QImage, QImage> RasterPair(const PairDrawing &draw)
{
    DrawingSurface polar(kPictureWidth, kPictureHeight), rect(kPictureWidth, kPictureHeight);
    draw(polar, rect);
    return {polar.image(), rect.image()};
}

QImage RasteriseSvg(const QByteArray &svg)
{
    QSvgRenderer renderer(svg);
    EXPECT_EQ(renderer.defaultSize(), QSize(kPictureWidth, kPictureHeight));
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::red); // shows through where the drawing leaves a gap
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

QImage RasterisePdf(const QByteArray &pdf)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("p.pdf"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size());
    file.close();
    QProcess::execute("pdftoppm", {"-r", "72", "-png", "-singlefile", file.fileName(), dir.filePath("p")});
    return QImage(dir.filePath("p.png")).convertToFormat(QImage::Format_RGB32);
}

int Distance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// How many drawn pixels of one picture have nothing like them within a pixel
// in the other: a raster pixel needs a neighbour whose nearest colour among
// the raster's own colours is its colour, a clearly drawn pixel of the
// drawing needs a drawn raster neighbour.
int Untraced(const QImage &raster, const QImage &drawing)
{
    const QRgb white = qRgb(255, 255, 255);
    QList<QRgb> palette;
    for (int y = 0; y < raster.height(); ++y)
        for (int x = 0; x < raster.width(); ++x)
            if (!palette.contains(raster.pixel(x, y)))
                palette << raster.pixel(x, y);
    const auto nearest = [&](QRgb d) {
        return *std::min_element(palette.begin(), palette.end(),
                                 [&](QRgb a, QRgb b) { return Distance(d, a) < Distance(d, b); });
    };
    const auto near = [](const QImage &image, int x, int y, const std::function<bool(QRgb)> &test) {
        for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, image.height() - 1); ++ny)
            for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, image.width() - 1); ++nx)
                if (test(image.pixel(nx, ny)))
                    return true;
        return false;
    };
    int untraced = 0;
    for (int y = 0; y < raster.height(); ++y) {
        for (int x = 0; x < raster.width(); ++x) {
            const QRgb r = raster.pixel(x, y);
            if (r != white && !near(drawing, x, y, [&](QRgb d) { return nearest(d) == r; }))
                ++untraced;
            if (Distance(drawing.pixel(x, y), white) > 300 && !near(raster, x, y, [&](QRgb p) { return p != white; }))
                ++untraced;
        }
    }
    return untraced;
}

} // namespace

TEST(PictureFormats, NamesAndExtensions)
{
    PictureFormat format = PictureFormat::Bmp;
    EXPECT_TRUE(ParsePictureFormat("PNG", format));
    EXPECT_EQ(format, PictureFormat::Png);
    EXPECT_TRUE(ParsePictureFormat("pdf", format));
    EXPECT_EQ(format, PictureFormat::Pdf);
    for (const char *bad : {"", "gif", "jpg", "svgz", " bmp"})
        EXPECT_FALSE(ParsePictureFormat(bad, format)) << bad;
    EXPECT_EQ(PicturePairFiles(PictureFormat::Svg, "out"),
              std::make_pair(QString("out/dn1.svg"), QString("out/dn2.svg")));
    EXPECT_EQ(PicturePairFiles(PictureFormat::Bmp, ""), std::make_pair(QString("dn1.bmp"), QString("dn2.bmp")));
}

TEST(PictureFormats, PngHoldsTheRasterPixels)
{
    const PairDrawing draw = Family();
    const auto raster = RasterPair(draw);
    const auto files = EncodePicturePair(PictureFormat::Png, draw);
    ASSERT_TRUE(files.first.startsWith("\x89PNG"));
    EXPECT_EQ(QImage::fromData(files.first, "png").convertToFormat(QImage::Format_RGB32), raster.first);
    EXPECT_EQ(QImage::fromData(files.second, "png").convertToFormat(QImage::Format_RGB32), raster.second);
    // The bitmap stays the bitmap that the window saves.
    EXPECT_TRUE(EncodePicturePair(PictureFormat::Bmp, draw).first == EncodeBmp(raster.first, 32));
}

TEST(PictureFormats, SvgTracesTheRasterPicture)
{
    struct Case
    {
        double M;
        bool fill;
    };
    for (const Case c : {Case{0.5, false}, Case{1.5, true}, Case{7.3, false}, Case{29.9, true}}) {
        const PairDrawing draw = BuildCommand(clRed, c.M, c.fill);
        const auto raster = RasterPair(draw);
        const auto files = EncodePicturePair(PictureFormat::Svg, draw);
        EXPECT_EQ(Untraced(raster.first, RasteriseSvg(files.first)), 0) << "polar " << c.M << " fill " << c.fill;
        EXPECT_EQ(Untraced(raster.second, RasteriseSvg(files.second)), 0) << "rectangular " << c.M;
    }
}

TEST(PictureFormats, PdfTracesTheRasterPictureOnAPageOfItsSize)
{
    const PairDrawing draw = BuildCommand(clRed, 1.5, true);
    const auto raster = RasterPair(draw);
    const auto files = EncodePicturePair(PictureFormat::Pdf, draw);
    EXPECT_TRUE(files.first.contains("/MediaBox [0 0 778.000000 462.000000]"));
    const QImage polar = RasterisePdf(files.first);
    ASSERT_EQ(polar.size(), QSize(kPictureWidth, kPictureHeight));
    EXPECT_EQ(Untraced(raster.first, polar), 0);
    EXPECT_EQ(Untraced(raster.second, RasterisePdf(files.second)), 0);
}

TEST(PictureFormats, LegendsAreTextInTheRasterFaceAndSize)
{
    const auto svg = EncodePicturePair(PictureFormat::Svg, Family());
    for (const QByteArray &file : {svg.first, svg.second}) {
        EXPECT_TRUE(file.contains("font-family=\"Arial\" font-size=\"13\""));
        EXPECT_TRUE(file.contains(">M=0.5</text>"));
        EXPECT_TRUE(file.contains(">M=1.5</text>"));
    }

    QTemporaryDir dir;
    const auto pdf = EncodePicturePair(PictureFormat::Pdf, Family());
    SaveFileContents(dir.filePath("dn2.pdf"), pdf.second);
    QProcess text;
    text.start("pdftotext", {dir.filePath("dn2.pdf"), "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    EXPECT_EQ(text.readAllStandardOutput().simplified(), "M=0.5 M=1.5");
}

TEST(PictureFormats, LegendTextStandsWhereTheRasterPutsIt)
{
    // The legend's maroon glyphs: same box within a pixel, so the text is
    // placed by its cells' top-left corner, not by its baseline.
    const auto bounds = [](const QImage &image) {
        QRect box;
        for (int y = 0; y < 30; ++y)
            for (int x = 40; x < 200; ++x)
                if (Distance(image.pixel(x, y), qRgb(128, 0, 0)) < 200)
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    const QRect raster = bounds(RasterPair(Family()).first);
    const QRect drawing = bounds(RasteriseSvg(EncodePicturePair(PictureFormat::Svg, Family()).first));
    ASSERT_FALSE(raster.isEmpty());
    ASSERT_FALSE(drawing.isEmpty());
    EXPECT_LE(std::abs(raster.top() - drawing.top()), 1);
    EXPECT_LE(std::abs(raster.bottom() - drawing.bottom()), 1);
    EXPECT_LE(std::abs(raster.left() - drawing.left()), 1);
    EXPECT_LE(std::abs(raster.right() - drawing.right()), 2);
}

TEST(PictureFormats, TextCoversWhatLiesUnderItsBoxLikeTheRaster)
{
    DrawingSurface raster(kPictureWidth, kPictureHeight);
    VectorSurface drawing(VectorSurface::Kind::Svg, kPictureWidth, kPictureHeight);
    for (PlotCanvas *canvas : std::initializer_list<PlotCanvas *>{&raster, &drawing}) {
        canvas->setPenColor(clRed);
        canvas->moveTo(0, 15);
        canvas->lineTo(300, 15);
        canvas->setFontName(QStringLiteral("Arial"));
        canvas->setFontSize(10);
        canvas->setFontColor(clBlue);
        canvas->textOut(60, 10, QStringLiteral("M=0.5"));
    }
    const int width = raster.textWidth(QStringLiteral("M=0.5"));
    EXPECT_EQ(drawing.textWidth(QStringLiteral("M=0.5")), width);
    const QImage image = RasteriseSvg(drawing.finish());
    for (int x = 62; x < 60 + width - 2; ++x)
        EXPECT_GT(Distance(image.pixel(x, 15), qRgb(255, 0, 0)), 200) << x;
    EXPECT_EQ(image.pixel(58, 15), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(60 + width + 2, 15), qRgb(255, 0, 0));
}
