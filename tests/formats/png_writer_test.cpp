// The fast PNG writer: whatever the colours and the width, the file decodes
// to the image's exact pixels, in the smallest palette that holds them, and
// the plot pictures come out no larger than through Qt's own writer. A
// picture of more colours than a palette holds is, byte for byte, the file
// that the encoding library writes when it chooses every row's filter
// itself, as the program once had it do.
#include "formats/PaintedPicture.h"
#include "formats/PngWriter.h"
#include "plot/DrawingSurface.h"
#include "plot/PictureFile.h"
#include "plot/PlotCommands.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>

#include <spng.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

// The image as the encoding library writes it in 24-bit colour, choosing
// among all five filters for each row, at deflate's fastest level.
QByteArray LibraryTrueColourPng(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const size_t stride = size_t(rgb.width()) * 3;
    std::vector<unsigned char> rows(stride * size_t(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(rows.data() + size_t(y) * stride, rgb.constScanLine(y), stride);
    spng_ctx *ctx = spng_ctx_new(SPNG_CTX_ENCODER);
    spng_set_option(ctx, SPNG_ENCODE_TO_BUFFER, 1);
    spng_ihdr ihdr{};
    ihdr.width = uint32_t(rgb.width());
    ihdr.height = uint32_t(rgb.height());
    ihdr.bit_depth = 8;
    ihdr.color_type = SPNG_COLOR_TYPE_TRUECOLOR;
    spng_set_ihdr(ctx, &ihdr);
    spng_set_option(ctx, SPNG_FILTER_CHOICE, SPNG_FILTER_CHOICE_ALL);
    spng_set_option(ctx, SPNG_IMG_COMPRESSION_LEVEL, 1);
    spng_phys phys{3780, 3780, 1};
    spng_set_phys(ctx, &phys);
    QByteArray file;
    if (spng_encode_image(ctx, rows.data(), rows.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE) == 0) {
        size_t length = 0;
        int error = 0;
        void *png = spng_get_png_buffer(ctx, &length, &error);
        file = QByteArray(static_cast<const char *>(png), qsizetype(length));
        std::free(png);
    }
    spng_ctx_free(ctx);
    return file;
}

// Every pixel a colour of its own drawn at random: every filter wins rows.
QImage Noise(int width, int height)
{
    std::mt19937 random(unsigned(width * 1000 + height));
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random() | 0xFF000000u);
    return image;
}

// Smooth ramps in three directions, the kind of rows the predicting filters
// (left, above, their average, Paeth's) shrink best.
QImage Ramps(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, (3 * y) % 256, (x * y / 7) % 256));
    return image;
}

// Each channel at one of seven levels drawn at random: neighbours often
// stand at equal distances, which is where Paeth's predictor breaks ties.
QImage Levels(int width, int height)
{
    std::mt19937 random(unsigned(width * 1000 + height));
    QImage image(width, height, QImage::Format_RGB32);
    const auto level = [&random] { return int(random() % 7) * 42; };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(level(), level(), level()));
    return image;
}

// White rows under a row of noise, with a few dots: on a white row every
// filter but the first scores the same, so the order of the filters decides.
QImage FlatRows(int width, int height)
{
    QImage image = Noise(width, height);
    for (int y = 1; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, (x * 7 + y * 3) % 61 == 0 ? qRgb(x % 256, 128, 255 - x % 256) : qRgb(255, 255, 255));
    return image;
}

// Antialiased circles, lines and text in several colours, like a labelled
// picture.
QImage Smooth(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF area(0, 0, width, height);
    painter.setBrush(QColor(20, 60, 200, 46));
    painter.setPen(QPen(QColor(200, 30, 60), 2.5));
    painter.drawEllipse(area.adjusted(5, 5, -5, -5));
    painter.setPen(QPen(QColor(10, 150, 60), 1.3, Qt::DashLine));
    painter.drawLine(area.topLeft(), area.bottomRight());
    painter.setPen(Qt::black);
    painter.drawText(area, Qt::AlignCenter, QStringLiteral("M = 1.5 λ"));
    return image;
}

// The image through Qt's own PNG writer at its fastest deflate level: the
// size the program's writer must not exceed.
QByteArray QtWriterPng(const QImage &image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(80);
    writer.write(image);
    return data;
}

struct PngHeader
{
    int bitDepth = 0;
    int colourType = 0;
    int paletteEntries = -1; // -1: no palette chunk
    quint32 pixelsPerMetreX = 0;
    quint32 pixelsPerMetreY = 0;
    int unit = -1;
};

// Walks the chunks of a PNG file for the fields the writer chooses.
PngHeader ReadHeader(const QByteArray &png)
{
    PngHeader header;
    const auto u32 = [&](qsizetype at) { return qFromBigEndian<quint32>(png.constData() + at); };
    for (qsizetype at = 8; at + 8 <= png.size();) {
        const quint32 length = u32(at);
        const QByteArray type = png.mid(at + 4, 4);
        const qsizetype data = at + 8;
        if (type == "IHDR") {
            header.bitDepth = quint8(png[data + 8]);
            header.colourType = quint8(png[data + 9]);
        } else if (type == "PLTE") {
            header.paletteEntries = int(length / 3);
        } else if (type == "pHYs") {
            header.pixelsPerMetreX = u32(data);
            header.pixelsPerMetreY = u32(data + 4);
            header.unit = quint8(png[data + 8]);
        }
        at = data + length + 4;
    }
    return header;
}

// width × height pixels cycling through `colours` distinct colours, in runs
// of `run` pixels, so that both the four-pixel runs and the single pixels
// of the writer's colour search are crossed.
QImage Stripes(int width, int height, int colours, int run, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, format);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int c = ((x + y * width) / run) % colours;
            image.setPixel(x, y, qRgb(c * 37 % 256, c * 101 % 256, c / 3));
        }
    }
    return image;
}

QImage Decoded(const QByteArray &png)
{
    return QImage::fromData(png, "png").convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(PngWriter, DecodesToTheSamePixelsInTheSmallestPalette)
{
    struct Case
    {
        const char *name;
        QImage image;
        int bitDepth;
        int colourType; // 3 palette, 2 true colour
        int paletteEntries;
    };
    const Case cases[] = {
        {"one colour", Stripes(778, 462, 1, 1), 1, 3, 1},
        {"two colours, a width of 8n + 1", Stripes(17, 3, 2, 1), 1, 3, 2},
        {"two colours, a width of 8n + 7", Stripes(15, 3, 2, 5), 1, 3, 2},
        {"three colours, 2 bits, width 4n + 1", Stripes(13, 4, 3, 2), 2, 3, 3},
        {"four colours, width 4n + 3", Stripes(11, 4, 4, 3), 2, 3, 4},
        {"five colours, 4 bits, odd width", Stripes(9, 5, 5, 1), 4, 3, 5},
        {"sixteen colours", Stripes(33, 7, 16, 6), 4, 3, 16},
        {"seventeen colours, 8 bits", Stripes(35, 9, 17, 1), 8, 3, 17},
        {"256 colours", Stripes(256, 4, 256, 1), 8, 3, 256},
        {"257 colours: true colour", Stripes(257, 4, 257, 1), 8, 2, -1},
        {"a single pixel", Stripes(1, 1, 1, 1), 1, 3, 1},
        {"a row of three", Stripes(3, 1, 3, 1), 2, 3, 3},
        {"24-bit source", Stripes(21, 6, 6, 4, QImage::Format_RGB888), 4, 3, 6},
    };
    for (const Case &c : cases) {
        const QByteArray png = EncodePicturePng(c.image);
        ASSERT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n")) << c.name;
        EXPECT_EQ(Decoded(png), c.image.convertToFormat(QImage::Format_RGB32)) << c.name;
        const PngHeader header = ReadHeader(png);
        EXPECT_EQ(header.bitDepth, c.bitDepth) << c.name;
        EXPECT_EQ(header.colourType, c.colourType) << c.name;
        EXPECT_EQ(header.paletteEntries, c.paletteEntries) << c.name;
        EXPECT_EQ(header.pixelsPerMetreX, 3780u) << c.name << ": 96 pixels per inch";
        EXPECT_EQ(header.pixelsPerMetreY, 3780u) << c.name;
        EXPECT_EQ(header.unit, 1) << c.name << ": per metre";
    }
}

TEST(PngWriter, AlphaIsIgnoredLikeTheBitmapWriterDoes)
{
    QImage image = Stripes(10, 3, 3, 2, QImage::Format_ARGB32);
    for (int x = 0; x < 10; ++x)
        image.setPixel(x, 1, qRgba(200, 10, 10, x * 25));
    QImage opaque = image.copy();
    for (int y = 0; y < opaque.height(); ++y)
        for (int x = 0; x < opaque.width(); ++x)
            opaque.setPixel(x, y, image.pixel(x, y) | 0xFF000000u);
    const QByteArray png = EncodePicturePng(image);
    EXPECT_EQ(png, EncodePicturePng(opaque)) << "one colour whatever its alpha";
    EXPECT_EQ(ReadHeader(png).paletteEntries, 4);
}

TEST(PngWriter, PlotPicturesAreTheirPixelsAndNoLargerThanQtsWriter)
{
    struct Case
    {
        const char *name;
        double M;
        bool fill;
    };
    const Case cases[] = {
        {"half wave, filled", 0.5, true}, {"short", 0.1, true},
        {"long, filled", 7.3, true},      {"longest, filled", 29.99, true},
        {"longest, lines", 29.99, false}, {"zero", 0.0, false},
    };
    DrawingSurface polar(kPictureWidth, kPictureHeight), rect(kPictureWidth, kPictureHeight);
    for (const Case &c : cases) {
        polar.reset();
        rect.reset();
        BuildPictures(polar, rect, clNavy, c.M, c.fill);
        for (const QImage *image : {&polar.image(), &rect.image()}) {
            const QByteArray png = EncodePicturePng(*image);
            EXPECT_EQ(Decoded(png), *image) << c.name;
            EXPECT_LE(png.size(), QtWriterPng(*image).size()) << c.name;
            EXPECT_EQ(png, EncodePicturePng(*image)) << c.name << ": the same bytes every time";
        }
    }
}

TEST(PngWriter, PaintedPicturesHoldTheBitmapsPixels)
{
    // Line drawings of a few colours and antialiased ones of thousands, at
    // widths that end a palette row mid-byte and a 24-bit row unpadded.
    struct Case
    {
        const char *name;
        QSize size;
        bool smooth;
        int colourType; // 3 palette, 2 true colour
    };
    const Case cases[] = {
        {"square lines", QSize(101, 60), false, 3},
        {"smooth text and circles", QSize(320, 240), true, 2},
        {"smooth, odd width", QSize(77, 53), true, 2},
    };
    for (const Case &c : cases) {
        const PicturePaint paint = [&c](QPainter &painter, const QRectF &area) {
            painter.setRenderHint(QPainter::Antialiasing, c.smooth);
            painter.setRenderHint(QPainter::TextAntialiasing, c.smooth);
            painter.setPen(QPen(QColor(200, 30, 60), 2.5));
            painter.drawEllipse(area.adjusted(5, 5, -5, -5));
            painter.setPen(QColor(10, 90, 160));
            painter.drawLine(area.topLeft(), area.bottomRight());
            painter.drawText(area, Qt::AlignCenter, QStringLiteral("M = 1.5"));
        };
        const QByteArray png = EncodePaintedPicture(PictureFormat::Png, c.size, paint);
        const QImage bitmap = QImage::fromData(EncodePaintedPicture(PictureFormat::Bmp, c.size, paint), "bmp")
                                  .convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(bitmap.size(), c.size) << c.name;
        EXPECT_EQ(Decoded(png), bitmap) << c.name;
        EXPECT_EQ(ReadHeader(png).colourType, c.colourType) << c.name;
        EXPECT_EQ(ReadHeader(png).pixelsPerMetreX, 3780u) << c.name;
    }
}

TEST(PngWriter, TrueColourFilesAreTheLibrarysAdaptiveFilesByteForByte)
{
    struct Case
    {
        const char *name;
        QImage image;
    };
    const Case cases[] = {
        {"noise", Noise(64, 48)},
        {"noise in several data chunks", Noise(120, 100)},
        {"ramps", Ramps(200, 150)},
        {"white rows under noise", FlatRows(300, 40)},
        {"smoothed drawing", Smooth(320, 240)},
        {"one pixel wide", Noise(1, 400)},
        {"one row", Noise(400, 1)},
        {"rows of whole 16-byte blocks", Noise(48, 30)},
        {"rows ending mid-block", Noise(17, 40)},
        {"rows shorter than a block", Ramps(5, 300)},
        {"few levels, rows shorter than a block", Levels(5, 400)},
        {"few levels, rows ending mid-block", Levels(37, 60)},
    };
    for (const Case &c : cases) {
        const QByteArray png = EncodePicturePng(c.image);
        EXPECT_EQ(ReadHeader(png).colourType, 2) << c.name;
        EXPECT_EQ(png, LibraryTrueColourPng(c.image)) << c.name;
        EXPECT_EQ(Decoded(png), c.image) << c.name;
    }
}

TEST(PngWriter, ANullImageIsRefused)
{
    EXPECT_THROW(EncodePicturePng(QImage()), OutOfResourcesError);
}
