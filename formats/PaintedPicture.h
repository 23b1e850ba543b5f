#pragma once
// A picture that a function paints on a QPainter, as a file of any type: on
// a white raster image of width × height pixels for BMP (24 bits) and PNG,
// on an SVG or PDF document of the same size in units (pixels, points) with
// its text as real text. The painter antialiases lines and text, so the
// function draws the same picture on every device, a printer's included.
#include "PictureFormat.h"

#include <QByteArray>
#include <QRectF>
#include <QSize>

#include <functional>

class QPainter;

// Paints the picture into area, on a painter whose device is already white.
using PicturePaint = std::function<void(QPainter &painter, const QRectF &area)>;

// The whole file; the raster types give the same bytes on every run. Sizes
// below one pixel become one.
QByteArray EncodePaintedPicture(PictureFormat format, QSize size, const PicturePaint &paint);
