#include "DrawingSurface.h"

#include "base/AppError.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int kMaxFontNameLength = 31;

// Family names the surface asks for when a face is missing on this machine:
// the metric-compatible free faces first, then any sans-serif face.
const QStringList kFallbackFamilies = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif")};

// The em size in pixels for a font Height. A negative Height -h asks for a
// character height of h without internal leading, which is the em size
// itself; a positive one for the whole cell, ascent plus descent, so the em
// is scaled down by the face's own cell-to-em ratio; 0 asks for the default
// size.
int emPixelSize(QFont font, int fontHeight)
{
    if (fontHeight == 0)
        fontHeight = DrawingSurface::heightForPoints(8, DrawingSurface::displayPpi());
    if (fontHeight < 0)
        return std::max(1, -fontHeight);
    font.setPixelSize(fontHeight);
    const QFontMetricsF metrics(font);
    const qreal cell = metrics.ascent() + metrics.descent();
    if (!(cell > 0))
        return fontHeight;
    return std::max(1, qRound(qreal(fontHeight) * fontHeight / cell));
}

} // namespace

DrawingSurface::DrawingSurface(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_fontHeight(heightForPoints(8, displayPpi()))
{
    if (m_width > 0 && m_height > 0) {
        m_image = QImage(m_width, m_height, QImage::Format_RGB32);
        if (m_image.isNull())
            throw OutOfResourcesError();
        m_image.fill(qRgb(255, 255, 255));
    }
}

int DrawingSurface::displayPpi()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            const int ppi = qRound(screen->logicalDotsPerInchY());
            if (ppi > 0)
                return ppi;
        }
    }
    return 96;
}

int DrawingSurface::heightForPoints(int points, int ppi)
{
    // points * ppi / 72 rounded half away from zero, in integers so that
    // the halves are exact.
    const std::int64_t product = std::int64_t(points) * ppi;
    const std::int64_t magnitude = (std::llabs(product) + 36) / 72;
    const std::int64_t rounded = product < 0 ? -magnitude : magnitude;
    return int(std::clamp<std::int64_t>(-rounded, INT32_MIN, INT32_MAX));
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

void DrawingSurface::setFontSize(int points)
{
    m_fontSize = points;
    m_fontHeight = heightForPoints(points, displayPpi());
}

void DrawingSurface::setFontName(const QString &name)
{
    if (name.isEmpty())
        return;
    m_fontName = name.left(kMaxFontNameLength);
}

QFont DrawingSurface::currentFont() const
{
    QString family = m_fontName;
    if (family.compare(QLatin1String("Default"), Qt::CaseInsensitive) == 0)
        family = QStringLiteral("MS Sans Serif");
    QFont font;
    font.setFamilies(QStringList{family} + kFallbackFamilies);
    font.setPixelSize(emPixelSize(font, m_fontHeight));
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setKerning(false);
    // Light hinting, stated rather than taken from the system's font
    // configuration, so the glyphs come out the same on every machine.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

int DrawingSurface::textWidth(const QString &text) const
{
    if (text.isEmpty())
        return 0;
    return QFontMetrics(currentFont()).horizontalAdvance(text);
}

void DrawingSurface::textOut(int x, int y, const QString &text)
{
    if (text.isEmpty() || m_image.isNull()) {
        m_penPos = QPoint(x + textWidth(text), y);
        notifyChanged();
        return;
    }
    const QFont font = currentFont();
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text);
    QPainter painter;
    if (!painter.begin(&m_image))
        throw CanvasError();
    painter.setFont(font);
    painter.fillRect(QRect(x, y, width, metrics.ascent() + metrics.descent()), QColor::fromRgb(toQRgb(m_brushColor)));
    painter.setPen(QColor::fromRgb(toQRgb(m_fontColor)));
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
    painter.end();
    m_penPos = QPoint(x + width, y);
    notifyChanged();
}
