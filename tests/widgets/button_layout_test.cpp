// The glyph button's contents and frame as rules over rectangles: where glyph
// and caption stand for each layout, margin and spacing, the room the caption
// gets, and which frame each look draws.
#include "widgets/ButtonFrame.h"
#include "widgets/ButtonLayout.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <string>

namespace {

struct LayoutCase
{
    const char *name;
    TButtonLayout layout;
    QRect rect;
    QSize glyph;
    QSize caption; // (0, 0): no caption
    int margin;
    int spacing;
    QPoint glyphAt;
    QPoint captionAt;
};

TButtonContents contentsOf(const LayoutCase &c)
{
    TButtonContents contents;
    contents.rect = c.rect;
    contents.glyph = c.glyph;
    contents.caption = c.caption;
    contents.hasCaption = !c.caption.isEmpty();
    contents.layout = c.layout;
    contents.margin = c.margin;
    contents.spacing = c.spacing;
    return contents;
}

// 100 × 40 for glyph and caption side by side, 40 × 100 for one above the other.
const QRect kWide(0, 0, 100, 40);
const QRect kTall(0, 0, 40, 100);
const QSize kGlyph(16, 12);
const QSize kCaption(30, 14);
const QSize kNone(0, 0);

class ButtonLayoutTable : public ::testing::TestWithParam<LayoutCase>
{
};

} // namespace

TEST_P(ButtonLayoutTable, PlacesGlyphAndCaption)
{
    const LayoutCase &c = GetParam();
    const TButtonContentsPlaces places = LayoutButtonContents(contentsOf(c));
    if (!c.glyph.isEmpty()) {
        EXPECT_EQ(places.glyph, c.glyphAt);
    }
    if (!c.caption.isEmpty()) {
        EXPECT_EQ(places.caption, c.captionAt);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ButtonLayout, ButtonLayoutTable,
    ::testing::Values(
        // Side by side: the group of glyph, spacing and caption is centred
        // across, each part centred down.
        LayoutCase{"GlyphLeftCentred", blGlyphLeft, kWide, kGlyph, kCaption, -1, 1, {26, 14}, {43, 13}},
        LayoutCase{"GlyphRightCentred", blGlyphRight, kWide, kGlyph, kCaption, -1, 1, {57, 14}, {26, 13}},
        LayoutCase{"GlyphLeftMarginAndSpacing", blGlyphLeft, kWide, kGlyph, kCaption, 4, 6, {4, 14}, {26, 13}},
        LayoutCase{"GlyphRightSpacingSpread", blGlyphRight, kWide, kGlyph, kCaption, 4, -1, {59, 14}, {4, 13}},
        LayoutCase{"GlyphLeftBothSpread", blGlyphLeft, kWide, kGlyph, kCaption, -1, -1, {18, 14}, {52, 13}},
        LayoutCase{"GlyphLeftInOffsetRect", blGlyphLeft, {10, 20, 100, 40}, kGlyph, kCaption, 4, 6, {14, 34}, {36, 33}},
        // One above the other: centred across, the group centred down.
        LayoutCase{"GlyphTopCentred", blGlyphTop, kTall, kGlyph, kCaption, -1, 1, {12, 36}, {5, 49}},
        LayoutCase{"GlyphBottomCentred", blGlyphBottom, kTall, kGlyph, kCaption, -1, 1, {12, 51}, {5, 36}},
        LayoutCase{"GlyphBottomMarginAndSpacing", blGlyphBottom, kTall, kGlyph, kCaption, 2, 3, {12, 19}, {5, 2}},
        LayoutCase{"GlyphTopBothSpread", blGlyphTop, kTall, kGlyph, kCaption, -1, -1, {12, 24}, {5, 60}},
        // Without a caption the spacing counts as 0, -1 included: the glyph
        // alone is centred (the numeric field's button) or stands at the margin.
        LayoutCase{"GlyphOnlyCentred", blGlyphTop, {3, 3, 19, 19}, {14, 12}, kNone, -1, 1, {5, 6}, {}},
        LayoutCase{"GlyphOnlyBesideNothing", blGlyphRight, kWide, kGlyph, kNone, 0, -1, {0, 14}, {}},
        LayoutCase{"GlyphOnlySpacingIgnored", blGlyphBottom, kTall, kGlyph, kNone, 0, -1, {12, 0}, {}},
        // Without a glyph the caption alone is centred (a calculator key).
        LayoutCase{"CaptionOnlyCentred", blGlyphTop, {3, 3, 15, 15}, kNone, {8, 13}, -1, 1, {}, {6, 4}},
        LayoutCase{"CaptionOnlySideBySide", blGlyphLeft, kWide, kNone, kCaption, -1, 1, {}, {35, 13}},
        // A glyph bigger than the button: halving truncates toward zero.
        LayoutCase{"GlyphBiggerThanTheButton", blGlyphTop, {3, 3, 19, 19}, {30, 30}, kNone, -1, 1, {-2, -2}, {}}),
    [](const ::testing::TestParamInfo<LayoutCase> &info) { return std::string(info.param.name); });

TEST(ButtonLayout, CaptionRoomLeavesOutGlyphMarginAndSpacingAlongTheAxis)
{
    struct Row
    {
        const char *name;
        TButtonLayout layout;
        QRect rect;
        QSize glyph;
        int margin;
        int spacing;
        QSize room;
    };
    const Row rows[] = {
        {"beside, centred", blGlyphLeft, kWide, kGlyph, -1, 1, {83, 40}},
        {"beside, spacing spread", blGlyphRight, kWide, kGlyph, 4, -1, {80, 40}},
        {"beside, both given", blGlyphRight, kWide, kGlyph, 4, 6, {74, 40}},
        {"above, both given", blGlyphTop, kTall, kGlyph, 2, 3, {40, 83}},
        {"below, both spread", blGlyphBottom, kTall, kGlyph, -1, -1, {40, 88}},
        // The spacing is left out even when there is no glyph.
        {"no glyph", blGlyphTop, {3, 3, 15, 15}, kNone, -1, 1, {15, 14}},
    };
    for (const Row &row : rows) {
        TButtonContents contents;
        contents.rect = row.rect;
        contents.glyph = row.glyph;
        contents.layout = row.layout;
        contents.margin = row.margin;
        contents.spacing = row.spacing;
        EXPECT_EQ(CaptionRoom(contents), row.room) << row.name;
    }
}

TEST(ButtonFrame, EachLookDrawsItsFramesAndLeavesTheInside)
{
    const QRgb h = qRgb(1, 1, 1), s = qRgb(2, 2, 2), w = qRgb(3, 3, 3), f = qRgb(4, 4, 4);
    const QRgb none = qRgb(9, 9, 9);
    const TFrameColors colors{h, s, w, f};
    struct Row
    {
        const char *name;
        bool pressed, newStyle, flat;
        // Outer top-left and bottom-right, inner top-left and bottom-right,
        // and the inner ring's bottom-left corner.
        QRgb outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight, innerBottomLeft;
        QRect inside;
    };
    const QRect two(3, 3, 4, 4), one(2, 2, 6, 6);
    const Row rows[] = {
        {"raised new", false, true, false, h, w, f, s, s, two},
        {"raised new flat", false, true, true, h, s, none, none, none, one},
        {"raised old", false, false, false, w, w, h, s, s, two},
        {"raised old flat", false, false, true, h, w, none, none, none, one},
        {"sunken new", true, true, false, w, h, s, f, f, two},
        {"sunken new flat", true, true, true, w, h, none, none, none, one},
        // Old style: a shadow line along the left and top edges inside.
        {"sunken old", true, false, false, w, w, s, none, s, one},
        {"sunken old flat", true, false, true, w, h, none, none, none, one},
    };
    for (const Row &row : rows) {
        QImage image(10, 10, QImage::Format_RGB32);
        image.fill(none);
        QRect rect = image.rect();
        TFrameLook look;
        look.pressed = row.pressed;
        look.newStyle = row.newStyle;
        look.flat = row.flat;
        {
            QPainter painter(&image);
            DrawButtonFrame(painter, rect, look, colors);
        }
        EXPECT_EQ(image.pixel(0, 0), row.outerTopLeft | 0xFF000000u) << row.name;
        EXPECT_EQ(image.pixel(9, 9), row.outerBottomRight | 0xFF000000u) << row.name;
        EXPECT_EQ(image.pixel(1, 1), row.innerTopLeft | 0xFF000000u) << row.name;
        EXPECT_EQ(image.pixel(8, 8), row.innerBottomRight | 0xFF000000u) << row.name;
        EXPECT_EQ(image.pixel(1, 8), row.innerBottomLeft | 0xFF000000u) << row.name;
        EXPECT_EQ(rect, row.inside) << row.name;
    }
}
