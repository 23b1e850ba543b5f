#include "PictureExport.h"

#include "formats/PngWriter.h"
#include "labelled/LabelledPair.h"
#include "plot/PictureFile.h"

#include <QPainter>
#include <QPrinter>

PrintError::PrintError() : AppError(QStringLiteral("Не удалось начать печать")) {}

QString PictureBaseName(PictureSide side)
{
    return QLatin1String(side == PictureSide::Polar ? kPolarPictureName : kRectPictureName);
}

namespace {

LabelledPatterns::View viewOf(PictureSide side)
{
    return side == PictureSide::Polar ? LabelledPatterns::View::Polar : LabelledPatterns::View::Rectangular;
}

QSize labelledSizeOf(PictureSide side)
{
    return side == PictureSide::Polar ? kLabelledPolarSize : kLabelledRectangularSize;
}

} // namespace

LabelledPatterns LabelledPicturesOf(const DrawnCommand &command)
{
    LabelledOptions options;
    options.fill = command.fill;
    options.readouts = true;
    options.language = LabelledLanguage::Russian;
    return LabelledPatterns(command.curves, options);
}

QByteArray EncodeShownPicture(const ShownPicture &picture, PictureFormat format, bool labelled)
{
    if (labelled)
        return EncodeLabelledPicture(format, LabelledPicturesOf(picture.command), viewOf(picture.side),
                                     labelledSizeOf(picture.side));
    switch (format) {
    case PictureFormat::Bmp: return EncodeBmp(picture.image, 32);
    case PictureFormat::Png: return EncodePicturePng(picture.image);
    case PictureFormat::Svg:
    case PictureFormat::Pdf: break;
    }
    const auto files = EncodePicturePair(format, picture.command.drawing);
    return picture.side == PictureSide::Polar ? files.first : files.second;
}

void PrintShownPicture(QPrinter &printer, const ShownPicture &picture)
{
    const LabelledPatterns patterns = LabelledPicturesOf(picture.command);
    QPainter painter;
    if (!painter.begin(&printer))
        throw PrintError();
    const QRect page = painter.viewport();
    const QSize fitted = labelledSizeOf(picture.side).scaled(page.size(), Qt::KeepAspectRatio);
    const QRect area(page.x() + (page.width() - fitted.width()) / 2, page.y() + (page.height() - fitted.height()) / 2,
                     fitted.width(), fitted.height());
    patterns.paint(viewOf(picture.side), painter, area);
    painter.end();
}
