#include "VectorDocument.h"

#include "base/AppError.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <algorithm>

namespace {

const QString kTitle = QStringLiteral("Dipole pattern");

} // namespace

VectorDocument::VectorDocument(Kind kind, int width, int height)
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
}

VectorDocument::~VectorDocument()
{
    if (m_painter.isActive())
        m_painter.end();
}

void VectorDocument::giveSvgPixelSize()
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

QByteArray VectorDocument::finish()
{
    if (m_painter.isActive()) {
        m_painter.end();
        m_device.reset(); // writes the document's last bytes
        m_buffer.close();
        if (m_kind == Kind::Svg)
            giveSvgPixelSize();
    }
    return m_data;
}
