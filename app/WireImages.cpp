#include "WireImages.h"

#include "WindowLanguage.h"
#include "labelled/WirePictures.h"

#include "physics/DipoleRules.h"
#include "physics/ImpedanceCurve.h"

#include <algorithm>
#include <cmath>
#include <vector>

// The pictures speak the window's language (Russian with the decimal comma,
// or English); they are dipole-render's current.EXT and impedance.EXT drawn at the window's size.
void PaintWireCurrent(QPainter &painter, const QRectF &area, const WireModel &model)
{
    if (model.state() == WireState::OutOfRange)
        return;
    CurrentPicture picture;
    picture.length = model.length();
    picture.language = CurrentWindowLanguage();
    PaintCurrentPicture(painter, area, picture);
}

namespace {

constexpr double kZoomSteps = 400.0;
constexpr double kFinestZoomStep = 1e-4;

ImpedancePicture languageMarked(ImpedancePicture picture, const WireModel &model)
{
    const double M = std::fabs(model.length());
    if (M >= kCurveFirstLength && M <= kCurveLastLength)
        picture.markedLength = M;
    picture.language = CurrentWindowLanguage();
    return picture;
}

} // namespace

ImpedancePicture WireImpedancePicture(const WireModel &model)
{
    return languageMarked(CurvePicture(model.radius(), model.impedanceCurve(), std::nullopt), model);
}

ImpedancePicture WireImpedancePicture(const WireModel &model, double from, double to)
{
    from = std::max(from, kCurveFirstLength);
    to = std::min(to, kCurveLastLength);
    std::vector<double> lengths;
    if (to > from) {
        for (const double M : SteppedLengths(from, to, std::max((to - from) / kZoomSteps, kFinestZoomStep)))
            if (WireRadiusFits(M, model.radius()))
                lengths.push_back(M);
    }
    return languageMarked(
        CurvePicture(model.radius(), ComputeImpedanceCurve(lengths, model.radius(), std::nullopt), std::nullopt),
        model);
}

void PaintWireImpedance(QPainter &painter, const QRectF &area, const WireModel &model)
{
    PaintImpedancePicture(painter, area, WireImpedancePicture(model));
}
