#include "PaintedPicture.h"

#include "PngWriter.h"
#include "VectorDocument.h"
#include "base/AppError.h"
#include "plot/PictureFile.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

namespace {

void prepare(QPainter &painter, const QRectF &area)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(area, Qt::white);
}

QByteArray encodeRaster(PictureFormat format, QSize size, const PicturePaint &paint)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        throw CanvasError();
    QPainter painter(&image);
    const QRectF area(0, 0, size.width(), size.height());
    prepare(painter, area);
    paint(painter, area);
    painter.end();
    return format == PictureFormat::Png ? EncodePicturePng(image) : EncodeBmp(image, 24);
}

QByteArray encodeVector(PictureFormat format, QSize size, const PicturePaint &paint)
{
    VectorDocument document(format == PictureFormat::Svg ? VectorDocument::Kind::Svg : VectorDocument::Kind::Pdf,
                            size.width(), size.height());
    const QRectF area(0, 0, document.width(), document.height());
    prepare(document.painter(), area);
    paint(document.painter(), area);
    return document.finish();
}

} // namespace

QByteArray EncodePaintedPicture(PictureFormat format, QSize size, const PicturePaint &paint)
{
    const QSize atLeastOne(std::max(size.width(), 1), std::max(size.height(), 1));
    return IsVectorFormat(format) ? encodeVector(format, atLeastOne, paint) : encodeRaster(format, atLeastOne, paint);
}
