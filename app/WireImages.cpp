#include "WireImages.h"

#include "WindowLanguage.h"
#include "labelled/WirePictures.h"

#include "physics/DipoleRules.h"
#include "physics/ImpedanceCurve.h"
#include "physics/NecDeck.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>
#include <vector>

// The pictures speak the window's language (Russian with the decimal comma,
// or English); they are dipole-render's current.EXT and impedance.EXT drawn at the window's size.
CurrentPicture WireCurrentPicture(const WireModel &model, std::optional<NecSolution> nec)
{
    CurrentPicture picture;
    picture.length = model.length();
    picture.nec = std::move(nec);
    picture.language = CurrentWindowLanguage();
    return picture;
}

void PaintWireCurrent(QPainter &painter, const QRectF &area, const WireModel &model)
{
    if (model.state() == WireState::OutOfRange)
        return;
    PaintCurrentPicture(painter, area, WireCurrentPicture(model));
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

std::vector<double> NecChartLengths(double from, double to, double radius)
{
    from = std::max(from, kCurveFirstLength);
    to = std::min(to, kCurveLastLength);
    std::vector<double> lengths;
    if (to <= from)
        return lengths;
    for (const double M : SteppedLengths(from, to, (to - from) / kNecChartSteps)) {
        try {
            MakeNecModel(M, radius);
            lengths.push_back(M);
        } catch (const std::domain_error &) {
            // A wire NEC-2 is not given: too thick for its length.
        }
    }
    return lengths;
}

ImpedancePicture WithNecSamples(ImpedancePicture picture, const std::vector<SampledImpedance> &samples)
{
    if (picture.points.empty())
        return picture;
    // A step's rounding must not lose the ends.
    const double slack = 1e-9;
    const double from = picture.points.front().length - slack;
    const double to = picture.points.back().length + slack;
    std::vector<SampledImpedance> shown;
    for (const SampledImpedance &sample : samples) {
        if (sample.length >= from && sample.length <= to)
            shown.push_back(sample);
    }
    if (shown.size() >= 2)
        picture.nec = NecCurvePicture(std::move(shown));
    return picture;
}
