#include "Colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

TColor fromQColor(const QColor &q)
{
    return RgbColor(q.red(), q.green(), q.blue());
}

// The standard desktop scheme, used where no palette exists.
TColor standardSchemeColor(int index)
{
    switch (index) {
    case 5:
    case 14:
    case 20: return clWhite;                 // window, highlight text, button highlight
    case 13: return RgbColor(0, 0, 128);     // highlight
    case 15: return RgbColor(192, 192, 192); // button face
    case 16:
    case 17: return RgbColor(128, 128, 128); // button shadow, grey text
    default: return clBlack;                 // window text, button text, frames
    }
}

} // namespace

TColor ColorToRGB(TColor c)
{
    if (!IsSystemColor(c))
        return c & 0x00FFFFFFu;
    const int index = int(c & 0xFF);
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return standardSchemeColor(index);
    const QPalette pal = QGuiApplication::palette();
    switch (index) {
    case 5: return fromQColor(pal.color(QPalette::Active, QPalette::Base));
    case 8: return fromQColor(pal.color(QPalette::Active, QPalette::WindowText));
    case 13: return fromQColor(pal.color(QPalette::Active, QPalette::Highlight));
    case 14: return fromQColor(pal.color(QPalette::Active, QPalette::HighlightedText));
    case 15: return fromQColor(pal.color(QPalette::Active, QPalette::Button));
    case 16: return fromQColor(pal.color(QPalette::Active, QPalette::Dark));
    case 17: return fromQColor(pal.color(QPalette::Disabled, QPalette::Text));
    case 18: return fromQColor(pal.color(QPalette::Active, QPalette::ButtonText));
    case 20: return fromQColor(pal.color(QPalette::Active, QPalette::Light));
    default: return standardSchemeColor(index);
    }
}

QRgb ToQRgb(TColor c)
{
    const TColor rgb = ColorToRGB(c);
    return qRgb(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}
