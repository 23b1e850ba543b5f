#include "ButtonLayout.h"

#include <QFontMetrics>

namespace {

bool sideBySide(TButtonLayout layout)
{
    return layout == blGlyphLeft || layout == blGlyphRight;
}

// Margin and spacing along the axis, with -1 resolved.
struct AxisGaps
{
    int margin;
    int spacing;
};

AxisGaps axisGaps(const TButtonContents &c)
{
    const bool across = sideBySide(c.layout);
    const int extent = across ? c.rect.width() : c.rect.height();
    const int total = across ? c.glyph.width() + c.caption.width() : c.glyph.height() + c.caption.height();
    AxisGaps gaps{c.margin, (!c.glyph.isEmpty() && c.hasCaption) ? c.spacing : 0};
    if (gaps.margin == -1 && gaps.spacing == -1) {
        gaps.spacing = (extent - total) / 3;
        gaps.margin = gaps.spacing;
    } else if (gaps.margin == -1) {
        gaps.margin = (extent - total - gaps.spacing) / 2;
    } else if (gaps.spacing == -1) {
        gaps.spacing = (extent - total - gaps.margin) / 2;
    }
    return gaps;
}

} // namespace

TButtonContentsPlaces LayoutButtonContents(const TButtonContents &c)
{
    const AxisGaps gaps = axisGaps(c);
    const QRect &r = c.rect;
    TButtonContentsPlaces places;
    if (sideBySide(c.layout)) {
        places.glyph.setY(r.top() + (r.height() - c.glyph.height()) / 2);
        places.caption.setY(r.top() + (r.height() - c.caption.height()) / 2);
        if (c.layout == blGlyphLeft) {
            places.glyph.setX(r.left() + gaps.margin);
            places.caption.setX(places.glyph.x() + c.glyph.width() + gaps.spacing);
        } else {
            places.caption.setX(r.left() + gaps.margin);
            places.glyph.setX(places.caption.x() + c.caption.width() + gaps.spacing);
        }
    } else {
        places.glyph.setX(r.left() + (r.width() - c.glyph.width()) / 2);
        places.caption.setX(r.left() + (r.width() - c.caption.width()) / 2);
        if (c.layout == blGlyphTop) {
            places.glyph.setY(r.top() + gaps.margin);
            places.caption.setY(places.glyph.y() + c.glyph.height() + gaps.spacing);
        } else {
            places.caption.setY(r.top() + gaps.margin);
            places.glyph.setY(places.caption.y() + c.caption.height() + gaps.spacing);
        }
    }
    return places;
}

QSize CaptionRoom(const TButtonContents &c)
{
    QSize room = c.rect.size();
    const bool across = sideBySide(c.layout);
    int reduction = across ? c.glyph.width() : c.glyph.height();
    if (c.margin != -1)
        reduction += c.margin;
    if (c.spacing != -1)
        reduction += c.spacing;
    if (across)
        room.setWidth(room.width() - reduction);
    else
        room.setHeight(room.height() - reduction);
    return room;
}

QString ShortenCaptionLine(const QFontMetrics &metrics, const QString &line, int width)
{
    if (metrics.horizontalAdvance(line) <= width)
        return line;
    for (int keep = int(line.size()) - 2; keep > 0; --keep) {
        const QString candidate = line.left(keep) + QStringLiteral("...");
        if (metrics.horizontalAdvance(candidate) <= width)
            return candidate;
    }
    return QStringLiteral("...");
}
