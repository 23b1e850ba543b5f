#include "DrawingSurface.h"

#include "base/AppError.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>

DrawingSurface::DrawingSurface(int width, int height) : m_width(std::max(width, 0)), m_height(std::max(height, 0))
{
    if (m_width > 0 && m_height > 0) {
        m_image = QImage(m_width, m_height, QImage::Format_RGB32);
        if (m_image.isNull())
            throw OutOfResourcesError();
        m_image.fill(qRgb(255, 255, 255));
    }
}

void DrawingSurface::reset()
{
    if (!m_image.isNull())
        m_image.fill(qRgb(255, 255, 255));
    m_penColor = clBlack;
    m_brushColor = clWhite;
    m_penPos = QPoint();
    m_font = CanvasFont();
    notifyChanged();
}

void DrawingSurface::notifyChanged()
{
    if (m_changed)
        m_changed();
}

TColor DrawingSurface::pixel(int x, int y) const
{
    const QRgb p = m_image.pixel(x, y);
    return rgbColor(qRed(p), qGreen(p), qBlue(p));
}

void DrawingSurface::fillRect(int left, int top, int right, int bottom)
{
    const int x0 = std::max(left, 0);
    const int y0 = std::max(top, 0);
    const int x1 = std::min(right, m_width);
    const int y1 = std::min(bottom, m_height);
    if (x0 < x1 && y0 < y1) {
        const QRgb colour = toQRgb(m_brushColor);
        for (int y = y0; y < y1; ++y) {
            QRgb *row = reinterpret_cast<QRgb *>(m_image.scanLine(y));
            std::fill(row + x0, row + x1, colour);
        }
    }
    notifyChanged();
}

void DrawingSurface::lineTo(int x, int y)
{
    // Pixel i (0 <= i < n) of the line lies i steps along the longer axis
    // from the start and round(i * minor / n) steps along the shorter one,
    // halves rounded away from the start. Because that offset has a closed
    // form, the loop can start at the first step whose major coordinate is on
    // the surface and stop at the last one, so a line to a far-away point
    // costs no more than one across the surface.
    const std::int64_t x0 = m_penPos.x(), y0 = m_penPos.y();
    const std::int64_t dx = std::int64_t(x) - x0, dy = std::int64_t(y) - y0;
    m_penPos = QPoint(x, y);
    const std::int64_t adx = std::llabs(dx), ady = std::llabs(dy);
    const std::int64_t n = std::max(adx, ady);
    if (n == 0 || m_image.isNull()) {
        notifyChanged();
        return;
    }
    const bool xMajor = adx >= ady;
    const std::int64_t majorStart = xMajor ? x0 : y0, minorStart = xMajor ? y0 : x0;
    const std::int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const std::int64_t minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t minorLength = xMajor ? ady : adx;
    const std::int64_t majorLimit = xMajor ? m_width : m_height;
    const std::int64_t minorLimit = xMajor ? m_height : m_width;

    // Steps whose major coordinate lies in [0, majorLimit).
    std::int64_t first, last;
    if (majorStep > 0) {
        first = -majorStart;
        last = majorLimit - 1 - majorStart;
    } else {
        first = majorStart - (majorLimit - 1);
        last = majorStart;
    }
    first = std::max<std::int64_t>(first, 0);
    last = std::min<std::int64_t>(last, n - 1);

    if (first > last) {
        notifyChanged();
        return;
    }

    // minor offset = floor((2 * i * minorLength + n) / (2 * n)), carried
    // from step to step as quotient and remainder.
    const std::int64_t twoN = 2 * n, twoMinor = 2 * minorLength;
    const __int128 start = __int128(twoMinor) * first + n;
    std::int64_t offset = std::int64_t(start / twoN);
    std::int64_t remainder = std::int64_t(start % twoN);

    const QRgb colour = toQRgb(m_penColor);
    uchar *const bits = m_image.bits(); // detaches once, not once per pixel
    const qsizetype bytesPerLine = m_image.bytesPerLine();
    for (std::int64_t i = first; i <= last; ++i) {
        const std::int64_t major = majorStart + majorStep * i;
        const std::int64_t minor = minorStart + minorStep * offset;
        if (minor >= 0 && minor < minorLimit) {
            const int px = int(xMajor ? major : minor);
            const int py = int(xMajor ? minor : major);
            reinterpret_cast<QRgb *>(bits + py * bytesPerLine)[px] = colour;
        }
        remainder += twoMinor;
        if (remainder >= twoN) {
            remainder -= twoN;
            ++offset;
        }
    }
    notifyChanged();
}

int DrawingSurface::textWidth(const QString &text) const
{
    if (text.isEmpty())
        return 0;
    return QFontMetrics(m_font.font()).horizontalAdvance(text);
}

void DrawingSurface::textOut(int x, int y, const QString &text)
{
    if (text.isEmpty() || m_image.isNull()) {
        m_penPos = QPoint(x + textWidth(text), y);
        notifyChanged();
        return;
    }
    const QFont font = m_font.font();
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text);
    QPainter painter;
    if (!painter.begin(&m_image))
        throw CanvasError();
    painter.setFont(font);
    painter.fillRect(QRect(x, y, width, metrics.ascent() + metrics.descent()), QColor::fromRgb(toQRgb(m_brushColor)));
    painter.setPen(QColor::fromRgb(toQRgb(m_font.color())));
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
    painter.end();
    m_penPos = QPoint(x + width, y);
    notifyChanged();
}
