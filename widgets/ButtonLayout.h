#pragma once
// Where a glyph button puts its glyph and its caption. Glyph, spacing and
// caption form one group along the layout's axis (across for blGlyphLeft and
// blGlyphRight, down for blGlyphTop and blGlyphBottom), centred on the other
// axis. Along the axis the group starts Margin pixels in; a Margin of -1
// centres it, a Spacing of -1 spreads the free room evenly, and both at -1
// give a third of it to the margin, the spacing and the rest. Halving and
// thirds are integer divisions toward zero, so a glyph bigger than the
// button starts before its edge.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QFontMetrics;

enum TButtonLayout : unsigned char { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// What the layout of a button's contents depends on.
struct TButtonContents
{
    QRect rect;          // the contents rectangle inside the frame
    QSize glyph{0, 0};   // one glyph image; empty when there is none
    QSize caption{0, 0}; // the measured caption block; (0, 0) without a caption
    bool hasCaption = false;
    TButtonLayout layout = blGlyphTop;
    int margin = -1; // -1: centred
    int spacing = 1; // -1: spread evenly; taken as 0 unless both glyph and caption are there
};

// Top-left corners of the glyph and of the caption block.
struct TButtonContentsPlaces
{
    QPoint glyph;
    QPoint caption;
};

TButtonContentsPlaces LayoutButtonContents(const TButtonContents &contents);

// The room the caption may take before it is measured: the contents
// rectangle less the glyph, Margin and Spacing (where these are not -1) along
// the layout's axis. `caption` and `hasCaption` are not used.
QSize CaptionRoom(const TButtonContents &contents);

// The longest beginning of line followed by "..." that fits in width
// (trying two characters shorter first); the line itself when it fits.
QString ShortenCaptionLine(const QFontMetrics &metrics, const QString &line, int width);
