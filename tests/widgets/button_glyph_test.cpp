// The glyph object: image counts, per-state images, the greyed and embossed
// looks and the shared image store.
#include "colors/Colors.h"
#include "widgets/ButtonGlyph.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

const QRgb kMagenta = qRgb(255, 0, 255);

// count images side by side, image i filled with colours[i], the
// bottom-left pixel magenta so that it is the transparent colour.
QImage stripOf(const std::vector<QRgb> &colours, int w, int h)
{
    QImage bitmap(w * int(colours.size()), h, QImage::Format_RGB32);
    for (size_t i = 0; i < colours.size(); ++i)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                bitmap.setPixel(int(i) * w + x, y, colours[i]);
    bitmap.setPixel(0, h - 1, kMagenta);
    return bitmap;
}

QImage blank(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kMagenta);
    return image;
}

QRgb opaquePixel(const QImage &image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}

} // namespace

TEST(ButtonGlyph, CountFollowsWholeMultiplesUpToFive)
{
    TButtonGlyph glyph;
    glyph.SetGlyph(blank(56, 14));
    EXPECT_EQ(glyph.NumGlyphs(), 4);
    glyph.SetGlyph(blank(84, 14));
    EXPECT_EQ(glyph.NumGlyphs(), 1);
    glyph.SetGlyph(blank(70, 14));
    EXPECT_EQ(glyph.NumGlyphs(), 5);
    // Not a whole multiple: the count set before stays.
    glyph.SetNumGlyphs(2);
    glyph.SetGlyph(blank(28, 12));
    EXPECT_EQ(glyph.NumGlyphs(), 2);
    EXPECT_EQ(glyph.ImageSize(), QSize(14, 12));
}

TEST(ButtonGlyph, NumGlyphsWriteIsLimitedAndZeroIgnored)
{
    TButtonGlyph glyph;
    glyph.SetNumGlyphs(3);
    glyph.SetNumGlyphs(0);
    EXPECT_EQ(glyph.NumGlyphs(), 3);
    glyph.SetNumGlyphs(9);
    EXPECT_EQ(glyph.NumGlyphs(), 5);
}

TEST(ButtonGlyph, TransparentColourIsTheBottomLeftPixel)
{
    TButtonGlyph glyph;
    QImage bitmap = stripOf({qRgb(0, 128, 0)}, 8, 8);
    bitmap.setPixel(0, 7, qRgb(1, 2, 3));
    bitmap.setPixel(5, 2, qRgb(1, 2, 3));
    glyph.SetGlyph(bitmap);
    EXPECT_EQ(glyph.TransparentColor(), qRgb(1, 2, 3));
    const QImage up = glyph.ImageFor(sbsUp);
    EXPECT_EQ(qAlpha(up.pixel(5, 2)), 0);
    EXPECT_EQ(qAlpha(up.pixel(0, 7)), 0);
    EXPECT_EQ(up.pixel(4, 4), qRgb(0, 128, 0));
}

TEST(ButtonGlyph, TwoImageGlyphShowsFirstForUpDownLatchedAndSecondWhenDisabled)
{
    TButtonGlyph glyph;
    glyph.SetGlyph(stripOf({qRgb(255, 0, 0), qRgb(0, 0, 255)}, 14, 12));
    glyph.SetNumGlyphs(2);
    for (TSpeedButtonState s : {sbsUp, sbsDown, sbsExclusive})
        EXPECT_EQ(glyph.ImageFor(s).pixel(7, 5), qRgb(255, 0, 0)) << int(s);
    EXPECT_EQ(glyph.ImageFor(sbsDisabled).pixel(7, 5), qRgb(0, 0, 255));
    // Pressed with fewer than three images shares the released image.
    EXPECT_EQ(glyph.StateImage(sbsDown), glyph.StateImage(sbsUp));
}

TEST(ButtonGlyph, StatesPickTheirOwnColumnsWhenTheBitmapHasThem)
{
    TButtonGlyph glyph;
    const std::vector<QRgb> colours{qRgb(10, 0, 0), qRgb(20, 0, 0), qRgb(30, 0, 0), qRgb(40, 0, 0), qRgb(50, 0, 0)};
    glyph.SetGlyph(stripOf(colours, 10, 10));
    ASSERT_EQ(glyph.NumGlyphs(), 5);
    for (int s = 0; s < 5; ++s)
        EXPECT_EQ(glyph.ImageFor(TSpeedButtonState(s)).pixel(9, 0), colours[size_t(s)]) << s;
}

TEST(ButtonGlyph, InactiveWithoutItsOwnImageIsTheFirstImageInGrey)
{
    TButtonGlyph glyph;
    QImage bitmap = stripOf({qRgb(255, 0, 0)}, 6, 6);
    bitmap.setPixel(3, 3, ToQRgb(clBtnFace));
    glyph.SetGlyph(bitmap);
    const QImage inactive = glyph.ImageFor(sbsInactive);
    EXPECT_EQ(inactive.pixel(1, 1), qRgb(76, 76, 76));
    EXPECT_EQ(opaquePixel(inactive, 3, 3), ToQRgb(clBtnFace));
    EXPECT_EQ(qAlpha(inactive.pixel(0, 5)), 0);
}

TEST(ButtonGlyph, GreyOfKeepsTransparentAndFaceAndWeighsChannels)
{
    const QRgb face = qRgb(192, 192, 192);
    EXPECT_EQ(GreyOf(kMagenta, kMagenta, face), kMagenta);
    EXPECT_EQ(GreyOf(face, kMagenta, face), face);
    EXPECT_EQ(GreyOf(qRgb(0, 255, 0), kMagenta, face), qRgb(149, 149, 149));
    EXPECT_EQ(GreyOf(qRgb(0, 0, 255), kMagenta, face), qRgb(28, 28, 28));
    EXPECT_EQ(GreyOf(qRgb(255, 255, 255), kMagenta, face), qRgb(255, 255, 255));
}

TEST(ButtonGlyph, DisabledImageIsEmbossedWhenTheGlyphHasOneImage)
{
    QImage bitmap = blank(5, 5);
    bitmap.setPixel(1, 1, qRgb(0, 0, 0));
    bitmap.setPixel(3, 3, qRgb(250, 250, 250)); // light: not part of the outline
    const QImage embossed = MakeDisabledImage(bitmap, kMagenta);
    EXPECT_EQ(embossed.pixel(1, 1), ToQRgb(clBtnShadow));
    EXPECT_EQ(embossed.pixel(2, 2), ToQRgb(clBtnHighlight));
    EXPECT_EQ(embossed.pixel(3, 3), ToQRgb(clBtnFace));
    EXPECT_EQ(embossed.pixel(0, 0), ToQRgb(clBtnFace));

    TButtonGlyph glyph;
    glyph.SetGlyph(bitmap);
    const QImage disabled = glyph.ImageFor(sbsDisabled);
    // The face around the emboss is the mask: it shows the background.
    EXPECT_EQ(qAlpha(disabled.pixel(0, 0)), 0);
    EXPECT_EQ(disabled.pixel(1, 1), ToQRgb(clBtnShadow));
    EXPECT_EQ(disabled.pixel(2, 2), ToQRgb(clBtnHighlight));
}

TEST(ButtonGlyph, EmptyBitmapMakesNoImage)
{
    TButtonGlyph glyph;
    EXPECT_EQ(glyph.StateImage(sbsUp), -1);
    EXPECT_TRUE(glyph.ImageFor(sbsDisabled).isNull());
}

TEST(GlyphList, FreedSlotIsReusedBeforeTheListGrows)
{
    TGlyphList list(4, 4);
    const QImage image = blank(4, 4);
    EXPECT_EQ(list.Add(image), 0);
    EXPECT_EQ(list.Add(image), 1);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Add(image), 0);
    EXPECT_EQ(list.Capacity(), 2);
    list.Delete(5); // not a slot: ignored
    EXPECT_EQ(list.Count(), 2);
}

TEST(GlyphCache, GlyphsOfOneSizeShareAListThatIsFreedWithTheLastImage)
{
    {
        TButtonGlyph first;
        TButtonGlyph second;
        first.SetGlyph(stripOf({qRgb(1, 1, 1)}, 9, 9));
        second.SetGlyph(stripOf({qRgb(2, 2, 2)}, 9, 9));
        first.StateImage(sbsUp);
        second.StateImage(sbsUp);
        ASSERT_NE(first.List(), nullptr);
        EXPECT_EQ(first.List(), second.List());
        EXPECT_EQ(first.List()->Count(), 2);
        const int lists = TGlyphCache::Instance().ListCount();
        second.SetGlyph(QImage()); // gives its image back
        EXPECT_EQ(TGlyphCache::Instance().ListCount(), lists);
        first.Invalidate(); // the list is empty now and goes away
        EXPECT_EQ(TGlyphCache::Instance().ListCount(), lists - 1);
    }
    EXPECT_FALSE(TGlyphCache::Exists());
}
