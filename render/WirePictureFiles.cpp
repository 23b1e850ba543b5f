#include "WirePictureFiles.h"

#include "formats/PaintedPicture.h"
#include "labelled/LabelledStyle.h"
#include "labelled/WirePictures.h"

#include "base/FilePath.h"

QByteArray WirePictureFile(const QByteArray &directory, const char *name, PictureFormat format)
{
    return JoinPath(directory, name + ('.' + PictureFormatName(format).toLatin1()));
}

namespace {

QSize wirePictureSize(QSize box)
{
    return box.isEmpty() ? kWirePictureSize : FittedToBox(box, kWirePictureSize);
}

} // namespace

void SaveCurrentPicture(const QByteArray &file, PictureFormat format, double M, const std::optional<NecSolution> &nec,
                        QSize box, FileSync sync)
{
    const CurrentPicture picture{M, nec, SystemLabelledLanguage()};
    const QByteArray bytes =
        EncodePaintedPicture(format, wirePictureSize(box), [&](QPainter &painter, const QRectF &area) {
            PaintCurrentPicture(painter, area, picture);
        });
    SaveFileContents(file, bytes, sync);
}

void SaveImpedancePicture(const QByteArray &file, PictureFormat format, const ImpedancePicture &picture, QSize box)
{
    ImpedancePicture localised = picture;
    localised.language = SystemLabelledLanguage();
    const QByteArray bytes =
        EncodePaintedPicture(format, wirePictureSize(box), [&](QPainter &painter, const QRectF &area) {
            PaintImpedancePicture(painter, area, localised);
        });
    SaveFileContents(file, bytes);
}
