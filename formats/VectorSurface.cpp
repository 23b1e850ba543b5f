#include "VectorSurface.h"

#include <QFontMetrics>

namespace {

// A pixel's middle: the point that a one-unit line through the pixel runs on.
QPointF middleOf(QPoint p)
{
    return QPointF(p.x() + 0.5, p.y() + 0.5);
}

QColor qtColour(TColor c)
{
    return QColor::fromRgb(ToQRgb(c));
}

} // namespace

VectorSurface::VectorSurface(Kind kind, int width, int height)
    : m_document(kind, width, height), m_painter(m_document.painter())
{
    m_painter.setRenderHint(QPainter::Antialiasing);
    const QRect page(0, 0, m_document.width(), m_document.height());
    m_painter.setClipRect(page);
    m_painter.fillRect(page, Qt::white);
}

VectorSurface::~VectorSurface() = default;

void VectorSurface::strokePendingLines()
{
    m_linesEndAtPen = false;
    if (m_lines.isEmpty() || !m_painter.isActive())
        return;
    m_painter.setPen(QPen(qtColour(m_penColor), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPath(m_lines);
    m_lines.clear();
}

void VectorSurface::fillRect(int left, int top, int right, int bottom)
{
    const QRect area = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) & QRect(0, 0, width(), height());
    if (area.isEmpty() || !m_painter.isActive())
        return;
    strokePendingLines();
    m_painter.fillRect(area, qtColour(m_brushColor));
}

void VectorSurface::setPenColor(TColor c)
{
    if (c != m_penColor)
        strokePendingLines();
    m_penColor = c;
}

void VectorSurface::moveTo(int x, int y)
{
    m_penPos = QPoint(x, y);
    m_linesEndAtPen = false;
}

void VectorSurface::lineTo(int x, int y)
{
    const QPoint end(x, y);
    if (end == m_penPos)
        return;
    if (!m_linesEndAtPen)
        m_lines.moveTo(middleOf(m_penPos));
    m_lines.lineTo(middleOf(end));
    m_linesEndAtPen = true;
    m_penPos = end;
}

int VectorSurface::textWidth(const QString &text) const
{
    if (text.isEmpty())
        return 0;
    return QFontMetrics(m_font.font()).horizontalAdvance(text);
}

void VectorSurface::textOut(int x, int y, const QString &text)
{
    const int width = textWidth(text);
    m_penPos = QPoint(x + width, y);
    if (text.isEmpty() || !m_painter.isActive())
        return;
    strokePendingLines();
    // Measured with the raster surface's metrics, so the box and the pen
    // advance match the raster picture.
    const QFont font = m_font.font();
    const QFontMetrics metrics(font);
    m_painter.fillRect(QRect(x, y, width, metrics.ascent() + metrics.descent()), qtColour(m_brushColor));
    m_painter.setFont(font);
    m_painter.setPen(qtColour(m_font.color()));
    m_painter.drawText(QPointF(x, y + metrics.ascent()), text);
}

QByteArray VectorSurface::finish()
{
    if (m_painter.isActive())
        strokePendingLines();
    return m_document.finish();
}
