#include "WirePictureFiles.h"

#include "formats/PaintedPicture.h"
#include "labelled/WirePictures.h"

#include <QDir>

QString WirePictureFile(const QString &directory, const QString &name, PictureFormat format)
{
    const QString file = name + QLatin1Char('.') + PictureFormatName(format);
    return directory.isEmpty() ? file : QDir(directory).filePath(file);
}

void SaveCurrentPicture(const QString &file, PictureFormat format, double M, const std::optional<NecSolution> &nec,
                        FileSync sync)
{
    const CurrentPicture picture{M, nec, SystemLabelledLanguage()};
    const QByteArray bytes = EncodePaintedPicture(format, kWirePictureSize, [&](QPainter &painter, const QRectF &area) {
        PaintCurrentPicture(painter, area, picture);
    });
    SaveFileContents(file, bytes, sync);
}

void SaveImpedancePicture(const QString &file, PictureFormat format, const ImpedancePicture &picture)
{
    ImpedancePicture localised = picture;
    localised.language = SystemLabelledLanguage();
    const QByteArray bytes = EncodePaintedPicture(format, kWirePictureSize, [&](QPainter &painter, const QRectF &area) {
        PaintImpedancePicture(painter, area, localised);
    });
    SaveFileContents(file, bytes);
}
