#include "WireImages.h"

#include "labelled/WirePictures.h"

#include <QPainter>

#include <cmath>

namespace {

QImage whiteImage(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

// The window speaks Russian, its pictures too (with the decimal comma); they
// are dipole-render's current.EXT and impedance.EXT drawn at the window's size.
QImage CurrentImage(const WireModel &model, QSize size)
{
    QImage image = whiteImage(size);
    if (model.state() == WireState::OutOfRange)
        return image;
    CurrentPicture picture;
    picture.length = model.length();
    picture.language = LabelledLanguage::Russian;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintCurrentPicture(painter, QRectF(QPointF(0, 0), QSizeF(size)), picture);
    return image;
}

QImage ImpedanceImage(const WireModel &model, QSize size)
{
    ImpedancePicture picture = CurvePicture(model.radius(), model.impedanceCurve(), std::nullopt);
    const double M = std::fabs(model.length());
    if (M >= kCurveFirstLength && M <= kCurveLastLength)
        picture.markedLength = M;
    picture.language = LabelledLanguage::Russian;
    QImage image = whiteImage(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintImpedancePicture(painter, QRectF(QPointF(0, 0), QSizeF(size)), picture);
    return image;
}

QImage PatternImage(const LabelledPatterns &patterns, LabelledPatterns::View view, QSize size)
{
    QImage image = whiteImage(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    patterns.paint(view, painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}
