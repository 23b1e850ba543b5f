#include "EditButtonGlyphs.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

QImage DrawEllipsisGlyph(int buttonWidth)
{
    const int bw = qMax(1, buttonWidth - 6);
    QImage image(bw, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int gap = qBound(1, (bw - 6) / 2, 3);
    const int x0 = (bw - 6 - 2 * gap) / 2;
    QPainter painter(&image);
    for (int x : {x0, x0 + gap + 2, x0 + 2 * gap + 4})
        painter.fillRect(x, 1, 2, 2, Qt::black);
    return image;
}

QImage DropDownArrowGlyph(const QWidget *widget)
{
    // Drawn on a clear image first: the style smooths its arrow, and the
    // half-covered pixels must not blend with the transparent colour.
    QImage clear(9, 7, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    {
        QPainter painter(&clear);
        QStyleOption option;
        option.initFrom(widget);
        option.rect = clear.rect();
        option.state = QStyle::State_Enabled;
        option.palette.setColor(QPalette::ButtonText, Qt::black);
        option.palette.setColor(QPalette::WindowText, Qt::black);
        widget->style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &painter, widget);
    }
    QImage glyph(clear.size(), QImage::Format_RGB32);
    for (int y = 0; y < clear.height(); ++y)
        for (int x = 0; x < clear.width(); ++x)
            glyph.setPixel(x, y, qAlpha(clear.pixel(x, y)) >= 128 ? qRgb(0, 0, 0) : qRgb(255, 0, 255));
    glyph.setPixel(0, glyph.height() - 1, qRgb(255, 0, 255));
    return glyph;
}
