#include "ButtonFrame.h"

#include "colors/Colors.h"

#include <QPainter>

TFrameColors TFrameColors::FromDesktop()
{
    return {ToQRgb(clBtnHighlight), ToQRgb(clBtnShadow), ToQRgb(clWindowFrame), ToQRgb(clBtnFace)};
}

namespace {

// One 1-pixel frame: top and left edges in the first colour, bottom and
// right edges (with the two corners they end in) in the second; then the
// rectangle shrinks by one on each side.
void frame(QPainter &p, QRect &r, QRgb first, QRgb second)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.fillRect(r.left(), r.top(), 1, r.height() - 1, QColor(first));
    p.fillRect(r.left(), r.top(), r.width() - 1, 1, QColor(first));
    p.fillRect(r.right(), r.top(), 1, r.height(), QColor(second));
    p.fillRect(r.left(), r.bottom(), r.width(), 1, QColor(second));
    r.adjust(1, 1, -1, -1);
}

} // namespace

void DrawButtonFrame(QPainter &p, QRect &r, const TFrameLook &look, const TFrameColors &c)
{
    const bool newStyle = look.newStyle;
    const bool flat = look.flat;
    if (!look.pressed) {
        if (newStyle && !flat) {
            frame(p, r, c.highlight, c.windowFrame);
            frame(p, r, c.face, c.shadow);
        } else if (newStyle) {
            frame(p, r, c.highlight, c.shadow);
        } else if (!flat) {
            frame(p, r, c.windowFrame, c.windowFrame);
            frame(p, r, c.highlight, c.shadow);
        } else {
            frame(p, r, c.highlight, c.windowFrame);
        }
    } else {
        if (newStyle && !flat) {
            frame(p, r, c.windowFrame, c.highlight);
            frame(p, r, c.shadow, c.face);
        } else if (!newStyle && !flat) {
            frame(p, r, c.windowFrame, c.windowFrame);
            p.fillRect(r.left(), r.top(), 1, r.height(), QColor(c.shadow));
            p.fillRect(r.left(), r.top(), r.width(), 1, QColor(c.shadow));
        } else {
            frame(p, r, c.windowFrame, c.highlight);
        }
    }
    r.adjust(1, 1, -1, -1);
}
