#include "WireImages.h"

#include "labelled/WirePictures.h"

#include <cmath>

// The window speaks Russian, its pictures too (with the decimal comma); they
// are dipole-render's current.EXT and impedance.EXT drawn at the window's size.
void PaintWireCurrent(QPainter &painter, const QRectF &area, const WireModel &model)
{
    if (model.state() == WireState::OutOfRange)
        return;
    CurrentPicture picture;
    picture.length = model.length();
    picture.language = LabelledLanguage::Russian;
    PaintCurrentPicture(painter, area, picture);
}

void PaintWireImpedance(QPainter &painter, const QRectF &area, const WireModel &model)
{
    ImpedancePicture picture = CurvePicture(model.radius(), model.impedanceCurve(), std::nullopt);
    const double M = std::fabs(model.length());
    if (M >= kCurveFirstLength && M <= kCurveLastLength)
        picture.markedLength = M;
    picture.language = LabelledLanguage::Russian;
    PaintImpedancePicture(painter, area, picture);
}
