#include "PictureExport.h"

#include "formats/PngWriter.h"
#include "plot/PictureFile.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

PrintError::PrintError() : AppError(QCoreApplication::translate("PictureMenu", "Не удалось начать печать")) {}

ShownPicture PaintedShownPicture(const QString &baseName, const QImage &image, const PicturePaint &paint)
{
    const QSize size = image.size();
    ShownPicture picture;
    picture.baseName = baseName;
    picture.image = image;
    picture.vectorFile = [size, paint](PictureFormat format) { return EncodePaintedPicture(format, size, paint); };
    picture.page.size = size;
    // Drawn at the size shown and scaled into the area, the page keeps the
    // proportions of lines and texts to the picture that the window shows.
    picture.page.paint = [size, paint](QPainter &painter, const QRectF &area) {
        painter.save();
        painter.translate(area.topLeft());
        painter.scale(area.width() / std::max(size.width(), 1), area.height() / std::max(size.height(), 1));
        paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
        painter.restore();
    };
    return picture;
}

QByteArray EncodeShownPicture(const ShownPicture &picture, PictureFormat format, bool labelled)
{
    if (labelled && picture.labelled)
        return EncodePaintedPicture(format, picture.labelled->size, picture.labelled->paint);
    switch (format) {
    case PictureFormat::Bmp: return EncodeBmp(picture.image, 32);
    case PictureFormat::Png: return EncodePicturePng(picture.image);
    case PictureFormat::Svg:
    case PictureFormat::Pdf: break;
    }
    return picture.vectorFile(format);
}

void PrintShownPicture(QPrinter &printer, const ShownPicture &picture)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw PrintError();
    const QRect page = painter.viewport();
    const QSize fitted = picture.page.size.scaled(page.size(), Qt::KeepAspectRatio);
    const QRect area(page.x() + (page.width() - fitted.width()) / 2, page.y() + (page.height() - fitted.height()) / 2,
                     fitted.width(), fitted.height());
    picture.page.paint(painter, area);
    painter.end();
}
