#include "SaveTestSupport.h"
#include "plot/DrawingSurface.h"
#include "plot/PictureFile.h"
#include "plot/PlotCommands.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {

quint32 u32(const QByteArray &b, int at)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | quint8(b[at + i]);
    return v;
}

quint16 u16(const QByteArray &b, int at)
{
    return quint16(quint8(b[at]) | (quint8(b[at + 1]) << 8));
}

// A picture with distinct corners: red at the top left, blue at the bottom
// left, a grey diagonal elsewhere.
DrawingSurface MarkedPicture()
{
    DrawingSurface s(kPictureWidth, kPictureHeight);
    s.setPenColor(RgbColor(0x12, 0x34, 0x56));
    s.moveTo(0, 0);
    s.lineTo(kPictureWidth, kPictureHeight);
    s.setPenColor(clRed);
    s.moveTo(0, 0);
    s.lineTo(1, 0);
    s.setPenColor(clBlue);
    s.moveTo(0, kPictureHeight - 1);
    s.lineTo(1, kPictureHeight - 1);
    return s;
}

} // namespace

TEST(BmpEncoding, HeadersAndSizesForEachDepth)
{
    struct Row
    {
        int bpp, stride, imageSize, fileSize;
    };
    const DrawingSurface s(kPictureWidth, kPictureHeight);
    for (const Row &r :
         {Row{32, 3112, 1437744, 1437798}, Row{24, 2336, 1079232, 1079286}, Row{16, 1556, 718872, 718926}}) {
        const QByteArray b = EncodeBmp(s.image(), r.bpp);
        SCOPED_TRACE(r.bpp);
        ASSERT_EQ(b.size(), r.fileSize);
        EXPECT_EQ(b.left(2), QByteArray("BM"));
        EXPECT_EQ(u32(b, 2), quint32(r.fileSize));
        EXPECT_EQ(u32(b, 6), 0u); // both reserved words
        EXPECT_EQ(u32(b, 10), 54u);
        EXPECT_EQ(u32(b, 14), 40u);
        EXPECT_EQ(u32(b, 18), 778u);
        EXPECT_EQ(u32(b, 22), 462u);
        EXPECT_EQ(u16(b, 26), 1);
        EXPECT_EQ(u16(b, 28), r.bpp);
        EXPECT_EQ(u32(b, 30), 0u);
        EXPECT_EQ(u32(b, 34), quint32(r.imageSize));
        for (int at : {38, 42, 46, 50})
            EXPECT_EQ(u32(b, at), 0u) << at;
        EXPECT_EQ(r.stride * kPictureHeight, r.imageSize);
    }
}

TEST(BmpEncoding, RowsAreBottomUpWithPixelLayoutPerDepth)
{
    const DrawingSurface s = MarkedPicture();

    const QByteArray b32 = EncodeBmp(s.image(), 32);
    // First row in the file is the bottom row: blue at its left.
    EXPECT_EQ(b32.mid(54, 4), QByteArray("\xFF\x00\x00\x00", 4));
    // Top-left pixel is the first pixel of the last row: red.
    EXPECT_EQ(b32.mid(54 + 3112 * 461, 4), QByteArray("\x00\x00\xFF\x00", 4));
    // The diagonal's pixel (1, 1), second row from the top.
    EXPECT_EQ(b32.mid(54 + 3112 * 460 + 4, 4), QByteArray("\x56\x34\x12\x00", 4));

    const QByteArray b24 = EncodeBmp(s.image(), 24);
    EXPECT_EQ(b24.mid(54, 3), QByteArray("\xFF\x00\x00", 3));
    EXPECT_EQ(b24.mid(54 + 2336 * 461, 3), QByteArray("\x00\x00\xFF", 3));
    EXPECT_EQ(b24.mid(54 + 2336 * 460 + 3, 3), QByteArray("\x56\x34\x12", 3));
    // 2334 bytes of pixels, then 2 zero fill bytes in every row.
    for (int row = 0; row < kPictureHeight; ++row)
        ASSERT_EQ(b24.mid(54 + 2336 * row + 2334, 2), QByteArray(2, '\0')) << row;

    const QByteArray b16 = EncodeBmp(s.image(), 16);
    EXPECT_EQ(u16(b16, 54), 0x001F);                  // blue
    EXPECT_EQ(u16(b16, 54 + 1556 * 461), 0x7C00);     // red
    EXPECT_EQ(u16(b16, 54 + 1556 * 461 + 2), 0x7FFF); // white, bit 15 clear
    EXPECT_EQ(u16(b16, 54 + 1556 * 460 + 2), (0x12 >> 3) << 10 | (0x34 >> 3) << 5 | (0x56 >> 3));

    EXPECT_THROW(EncodeBmp(s.image(), 8), std::invalid_argument);
}

TEST(PictureFile, SavesBothPicturesAsThirtyTwoBitFilesRepeatably)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    DrawingSurface polar(kPictureWidth, kPictureHeight), rect(kPictureWidth, kPictureHeight);
    BuildPictures(polar, rect, clNavy, 0.5, true);
    {
        CurrentDirectory cd(dir.path());
        SavePictures(polar, rect);
    }
    const QByteArray dn1 = readAll(dir.filePath("dn1.bmp"));
    const QByteArray dn2 = readAll(dir.filePath("dn2.bmp"));
    EXPECT_EQ(dn1, EncodeBmp(polar.image(), 32));
    EXPECT_EQ(dn2, EncodeBmp(rect.image(), 32));
    EXPECT_EQ(dn1.size(), 1437798);

    SavePictures(polar, rect, dir.path());
    EXPECT_EQ(readAll(dir.filePath("dn1.bmp")), dn1);
    EXPECT_EQ(readAll(dir.filePath("dn2.bmp")), dn2);
    EXPECT_EQ(entries(dir.path()), (QStringList{"dn1.bmp", "dn2.bmp"})); // no temporaries left
}

TEST(PictureFile, ReadOnlyFileIsRefusedAndNeitherPictureIsSaved)
{
    QTemporaryDir dir;
    CurrentDirectory cd(dir.path());
    writeFile("dn2.bmp", "previous");
    ASSERT_EQ(::chmod("dn2.bmp", 0444), 0);
    const DrawingSurface s = MarkedPicture();
    try {
        SavePictures(s, s);
        FAIL() << "no error";
    } catch (const FileCreateError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Cannot create file dn2.bmp"));
    }
    // The pair is saved whole or not at all.
    EXPECT_FALSE(QFile::exists("dn1.bmp"));
    EXPECT_EQ(readAll("dn2.bmp"), QByteArray("previous"));
    writeFile("dn1.bmp", "first");
    EXPECT_THROW(SavePictures(s, s), FileCreateError);
    EXPECT_EQ(readAll("dn1.bmp"), QByteArray("first"));

    // Failing on the first file leaves the second alone.
    ASSERT_EQ(::chmod("dn2.bmp", 0644), 0);
    ASSERT_EQ(::chmod("dn1.bmp", 0444), 0);
    writeFile("dn2.bmp", "second");
    EXPECT_THROW(SavePictures(s, s), FileCreateError);
    EXPECT_EQ(readAll("dn2.bmp"), QByteArray("second"));
}

TEST(PictureFile, SurfaceWithoutPixelsWritesNothing)
{
    QTemporaryDir dir;
    SavePicture(DrawingSurface(0, 0), dir.filePath("dn1.bmp"));
    EXPECT_FALSE(QFile::exists(dir.filePath("dn1.bmp")));
}
