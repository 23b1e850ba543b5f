#include "MainPictures.h"

#include "WindowLanguage.h"
#include "plot/PictureFile.h"

#include <QPainter>

QString PictureBaseName(PictureSide side)
{
    return QLatin1String(side == PictureSide::Polar ? kPolarPictureName : kRectPictureName);
}

LabelledPatterns LabelledPicturesOf(const DrawnCommand &command)
{
    LabelledOptions options;
    options.fill = command.fill;
    options.readouts = true;
    options.language = CurrentWindowLanguage();
    return LabelledPatterns(command.curves, options);
}

ShownPicture MainShownPicture(PictureSide side, const QImage &image, const DrawnCommand &command)
{
    const bool polar = side == PictureSide::Polar;
    ShownPicture picture;
    picture.baseName = PictureBaseName(side);
    picture.image = image;
    picture.vectorFile = [polar, drawing = command.drawing](PictureFormat format) {
        const auto files = EncodePicturePair(format, drawing);
        return polar ? files.first : files.second;
    };
    // The labelled patterns are computed when a file or a page asks for
    // them, not for every menu that opens.
    const auto view = polar ? LabelledPatterns::View::Polar : LabelledPatterns::View::Rectangular;
    picture.labelled = RedrawnPicture{polar ? kLabelledPolarSize : kLabelledRectangularSize,
                                      [command, view](QPainter &painter, const QRectF &area) {
                                          LabelledPicturesOf(command).paint(view, painter, area);
                                      }};
    picture.page = *picture.labelled;
    return picture;
}
