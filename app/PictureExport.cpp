#include "PictureExport.h"

#include "formats/PngWriter.h"
#include "plot/PictureFile.h"

#include <QPainter>
#include <QPrinter>

PrintError::PrintError() : AppError(QStringLiteral("Не удалось начать печать")) {}

QString PictureBaseName(PictureSide side)
{
    return side == PictureSide::Polar ? QStringLiteral("dn1") : QStringLiteral("dn2");
}

QByteArray EncodeShownPicture(const ShownPicture &picture, PictureFormat format)
{
    switch (format) {
    case PictureFormat::Bmp: return EncodeBmp(picture.image, 32);
    case PictureFormat::Png: return EncodePicturePng(picture.image);
    case PictureFormat::Svg:
    case PictureFormat::Pdf: break;
    }
    const auto files = EncodePicturePair(format, picture.drawing);
    return picture.side == PictureSide::Polar ? files.first : files.second;
}

void PrintShownPicture(QPrinter &printer, const ShownPicture &picture)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw PrintError();
    const QRect page = painter.viewport();
    const QSize fitted = picture.image.size().scaled(page.size(), Qt::KeepAspectRatio);
    const QRect target(page.x() + (page.width() - fitted.width()) / 2, page.y() + (page.height() - fitted.height()) / 2,
                       fitted.width(), fitted.height());
    painter.drawImage(target, picture.image);
    painter.end();
}
