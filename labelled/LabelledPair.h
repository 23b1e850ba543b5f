#pragma once
// The labelled pictures as files of any type: the polar picture (dn1) and
// the rectangular one (dn2), or either alone, at a size in pixels for BMP
// and PNG and in units (SVG pixels, PDF points) for the vector types.
#include "LabelledPatterns.h"
#include "formats/PictureFormat.h"

#include <QByteArray>
#include <QSize>
#include <QString>

#include <utility>

struct LabelledSizes
{
    QSize polar = kLabelledPolarSize;
    QSize rectangular = kLabelledRectangularSize;
};

// One picture's file.
QByteArray EncodeLabelledPicture(PictureFormat format, const LabelledPatterns &patterns, LabelledPatterns::View view,
                                 QSize size);

// Both pictures' files, the polar one first.
std::pair<QByteArray, QByteArray> EncodeLabelledPair(PictureFormat format, const LabelledPatterns &patterns,
                                                     const LabelledSizes &sizes = {});
