#include "LabelledPair.h"

#include "formats/PaintedPicture.h"

QByteArray EncodeLabelledPicture(PictureFormat format, const LabelledPatterns &patterns, LabelledPatterns::View view,
                                 QSize size)
{
    return EncodePaintedPicture(format, size,
                                [&](QPainter &painter, const QRectF &area) { patterns.paint(view, painter, area); });
}

std::pair<QByteArray, QByteArray> EncodeLabelledPair(PictureFormat format, const LabelledPatterns &patterns,
                                                     const LabelledSizes &sizes)
{
    return {EncodeLabelledPicture(format, patterns, LabelledPatterns::View::Polar, sizes.polar),
            EncodeLabelledPicture(format, patterns, LabelledPatterns::View::Rectangular, sizes.rectangular)};
}

void SaveLabelledPair(PictureFormat format, const LabelledPatterns &patterns, const LabelledSizes &sizes,
                      const QString &polarFile, const QString &rectFile, FileSync sync)
{
    const auto files = EncodeLabelledPair(format, patterns, sizes);
    SaveFileContents(polarFile, files.first, sync);
    SaveFileContents(rectFile, files.second, sync);
}
