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
