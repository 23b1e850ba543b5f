#include "DrawingSurface.h"

#include "base/AppError.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

// Pixel i (0 <= i < count) of a line lies i steps along the longer (major)
// axis from the start and round(i * minorLength / count) steps along the
// shorter (minor) one, halves rounded away from the start. Because that
// offset has a closed form, drawing can start at the first step whose major
// coordinate is on the surface and stop at the last one, so a line to a
// far-away point costs no more than one across the surface.
struct LineSteps
{
    bool xMajor;
    std::int64_t count; // pixels drawn: the end pixel is left out
    std::int64_t majorStart, minorStart;
    std::int64_t majorStep, minorStep; // +1 or -1
    std::int64_t minorLength;
    std::int64_t majorLimit, minorLimit; // the surface's extent along each axis
};

LineSteps lineStepsBetween(QPoint from, QPoint to, int width, int height)
{
    const std::int64_t x0 = from.x(), y0 = from.y();
    const std::int64_t dx = std::int64_t(to.x()) - x0, dy = std::int64_t(to.y()) - y0;
    const std::int64_t adx = std::llabs(dx), ady = std::llabs(dy);
    LineSteps line;
    line.xMajor = adx >= ady;
    line.count = std::max(adx, ady);
    line.majorStart = line.xMajor ? x0 : y0;
    line.minorStart = line.xMajor ? y0 : x0;
    line.majorStep = (line.xMajor ? dx : dy) < 0 ? -1 : 1;
    line.minorStep = (line.xMajor ? dy : dx) < 0 ? -1 : 1;
    line.minorLength = line.xMajor ? ady : adx;
    line.majorLimit = line.xMajor ? width : height;
    line.minorLimit = line.xMajor ? height : width;
    return line;
}

// The steps whose major coordinate lies in [0, majorLimit), as first and
// last; first > last when there are none.
std::pair<std::int64_t, std::int64_t> stepsOnSurface(const LineSteps &line)
{
    std::int64_t first = 0, last = 0;
    if (line.majorStep > 0) {
        first = -line.majorStart;
        last = line.majorLimit - 1 - line.majorStart;
    } else {
        first = line.majorStart - (line.majorLimit - 1);
        last = line.majorStart;
    }
    return {std::max<std::int64_t>(first, 0), std::min<std::int64_t>(last, line.count - 1)};
}

// Sets the pixels of steps first to last that fall on the surface.
void plotSteps(const LineSteps &line, std::int64_t first, std::int64_t last, QRgb colour, QImage &image)
{
    // minor offset = floor((2 * i * minorLength + count) / (2 * count)),
    // carried from step to step as quotient and remainder.
    const std::int64_t twoN = 2 * line.count, twoMinor = 2 * line.minorLength;
    const __int128 start = __int128(twoMinor) * first + line.count;
    std::int64_t offset = std::int64_t(start / twoN);
    std::int64_t remainder = std::int64_t(start % twoN);

    uchar *const bits = image.bits(); // detaches once, not once per pixel
    const qsizetype bytesPerLine = image.bytesPerLine();
    for (std::int64_t i = first; i <= last; ++i) {
        const std::int64_t major = line.majorStart + line.majorStep * i;
        const std::int64_t minor = line.minorStart + line.minorStep * offset;
        if (minor >= 0 && minor < line.minorLimit) {
            const int px = int(line.xMajor ? major : minor);
            const int py = int(line.xMajor ? minor : major);
            reinterpret_cast<QRgb *>(bits + py * bytesPerLine)[px] = colour;
        }
        remainder += twoMinor;
        if (remainder >= twoN) {
            remainder -= twoN;
            ++offset;
        }
    }
}

} // namespace

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
    return RgbColor(qRed(p), qGreen(p), qBlue(p));
}

void DrawingSurface::fillRect(int left, int top, int right, int bottom)
{
    const int x0 = std::max(left, 0);
    const int y0 = std::max(top, 0);
    const int x1 = std::min(right, m_width);
    const int y1 = std::min(bottom, m_height);
    if (x0 < x1 && y0 < y1) {
        const QRgb colour = ToQRgb(m_brushColor);
        for (int y = y0; y < y1; ++y) {
            QRgb *row = reinterpret_cast<QRgb *>(m_image.scanLine(y));
            std::fill(row + x0, row + x1, colour);
        }
    }
    notifyChanged();
}

void DrawingSurface::lineTo(int x, int y)
{
    const LineSteps line = lineStepsBetween(m_penPos, QPoint(x, y), m_width, m_height);
    m_penPos = QPoint(x, y);
    if (line.count > 0 && !m_image.isNull()) {
        const auto [first, last] = stepsOnSurface(line);
        if (first <= last)
            plotSteps(line, first, last, ToQRgb(m_penColor), m_image);
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
    painter.fillRect(QRect(x, y, width, metrics.ascent() + metrics.descent()), QColor::fromRgb(ToQRgb(m_brushColor)));
    painter.setPen(QColor::fromRgb(ToQRgb(m_font.color())));
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
    painter.end();
    m_penPos = QPoint(x + width, y);
    notifyChanged();
}
