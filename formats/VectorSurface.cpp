#include "VectorSurface.h"

#include "base/AppError.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>

namespace {

// A pixel's middle: the point that a one-unit line through the pixel runs on.
QPointF middleOf(QPoint p)
{
    return QPointF(p.x() + 0.5, p.y() + 0.5);
}

const QString kTitle = QStringLiteral("Dipole pattern");

QColor qtColour(TColor c)
{
    return QColor::fromRgb(toQRgb(c));
}

} // namespace

VectorSurface::VectorSurface(Kind kind, int width, int height)
    : m_kind(kind), m_width(std::max(width, 1)), m_height(std::max(height, 1)), m_buffer(&m_data)
{
    m_buffer.open(QIODevice::WriteOnly);
    if (kind == Kind::Svg) {
        auto svg = std::make_unique<QSvgGenerator>();
        svg->setOutputDevice(&m_buffer);
        svg->setSize(QSize(m_width, m_height));
        svg->setViewBox(QRect(0, 0, m_width, m_height));
        svg->setResolution(96);
        svg->setTitle(kTitle);
        svg->setDescription(QString());
        m_device = std::move(svg);
    } else {
        // 72 units per inch make one unit one PDF point, so the page is
        // exactly width × height points.
        auto pdf = std::make_unique<QPdfWriter>(&m_buffer);
        pdf->setResolution(72);
        pdf->setPageLayout(
            QPageLayout(QPageSize(QSizeF(m_width, m_height), QPageSize::Point, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF()));
        pdf->setTitle(kTitle);
        pdf->setCreator(kTitle);
        m_device = std::move(pdf);
    }
    if (!m_painter.begin(m_device.get()))
        throw CanvasError();
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setClipRect(QRect(0, 0, m_width, m_height));
    m_painter.fillRect(QRect(0, 0, m_width, m_height), Qt::white);
}

VectorSurface::~VectorSurface()
{
    if (m_painter.isActive())
        m_painter.end();
}

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
    const QRect area = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) & QRect(0, 0, m_width, m_height);
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

void VectorSurface::giveSvgPixelSize()
{
    // The generator gives the size in millimetres, rounded so that it comes
    // out a fraction of a pixel too large at 96 pixels per inch, and a
    // viewer then adds a column. In pixels it is exact: a browser shows the
    // drawing as large as the raster picture.
    static const QRegularExpression size(QStringLiteral("^(<svg) width=\"[0-9.]+mm\" height=\"[0-9.]+mm\""),
                                         QRegularExpression::MultilineOption);
    QString text = QString::fromUtf8(m_data);
    text.replace(size, QStringLiteral("\\1 width=\"%1\" height=\"%2\"").arg(m_width).arg(m_height));
    m_data = text.toUtf8();
}

QByteArray VectorSurface::finish()
{
    if (m_painter.isActive()) {
        strokePendingLines();
        m_painter.end();
        m_device.reset(); // writes the document's last bytes
        m_buffer.close();
        if (m_kind == Kind::Svg)
            giveSvgPixelSize();
    }
    return m_data;
}
