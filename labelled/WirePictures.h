#pragma once
// The wire's two pictures in the labelled style, painted on any QPainter (an
// image, an SVG or PDF document, a window's widget, a printer) in the area
// it is given, in English or Russian:
//   - the current along the wire: the sinusoidal current against its
//     largest magnitude, from −M/2 to M/2, with its sign (above the zero line
//     in phase with the feed's current, below it against it), the feed marked
//     and the current there against the maximum written on it, the half-waves
//     of each sign counted beneath the title; with a NEC-2 solution its
//     complex current over the sinusoid as the part in phase with its feed
//     (dashed) and the part in quadrature (dotted), with a legend;
//   - the input impedance against the length: R and X of the induced-EMF
//     method over a range of M, broken at the current nodes, the zeros of X
//     marked and named (resonances), a length of interest marked; with a
//     reference resistance the standing-wave ratio in a chart beneath; with
//     NEC-2's samples their R, X (and SWR) dashed over the theory's, and
//     where their X crosses zero a dot (a resonance) or a ring (an
//     anti-resonance) on the zero line. The lengths where the closed form is
//     not the wire's (ClosedFormLimits.h) are shaded, and the zeros that are
//     the closed form's alone have their lengths in parentheses.
#include "LabelledStyle.h"
#include "LabelledText.h"
#include "physics/ClosedFormLimits.h"
#include "physics/GroundImage.h"
#include "physics/ImpedanceCurve.h"
#include "physics/NecOutput.h"
#include "physics/Resonance.h"
#include "physics/SampledImpedance.h"

#include <QRectF>
#include <QSize>

#include <optional>
#include <utility>
#include <vector>

class QPainter;

constexpr QSize kWirePictureSize(960, 600);

struct CurrentPicture
{
    double length = 0.5;            // M
    std::optional<NecSolution> nec; // drawn dashed over the sinusoid
    LabelledLanguage language = LabelledLanguage::English;
};

void PaintCurrentPicture(QPainter &painter, const QRectF &area, const CurrentPicture &picture);

// The texts of the current's picture placed by its layout, where it draws
// them: the title block, the axes' titles, and the feed's current on a
// white ground beside its mark, off the curves.
struct CurrentPictureLabels
{
    TitleBlockLayout title;
    std::vector<PlacedLabel> axisTitles;
    std::optional<PlacedLabel> feed;
};
CurrentPictureLabels LayOutCurrentPicture(const QRectF &area, const CurrentPicture &picture);

// NEC-2's curve on the impedance chart.
struct NecImpedanceCurve
{
    std::vector<SampledImpedance> samples; // at the theory's lengths
    std::vector<ReactanceZero> zeros;      // of the sampled reactance
};

// The samples with the zeros of their reactance.
NecImpedanceCurve NecCurvePicture(std::vector<SampledImpedance> samples);

struct ImpedancePicture
{
    double radius = kDefaultWireRadius;
    std::vector<ImpedancePoint> points;        // ascending lengths, as ComputeImpedanceCurve gives them
    std::vector<ReactanceZero> zeros;          // marked on the length axis
    std::optional<double> referenceResistance; // with the points' SWR: a chart beneath
    std::optional<double> markedLength;        // a length of interest, marked by a vertical line
    std::vector<LengthSpan> outsideModel;      // shaded: the closed form's values are not the wire's
    LabelledLanguage language = LabelledLanguage::English;
    std::optional<NecImpedanceCurve> nec; // dashed over the theory's curves
    // Over a perfect ground: the centre's height, wavelengths, and the
    // wire's orientation, named in the titles.
    std::optional<double> groundHeight;
    GroundOrientation groundOrientation = GroundOrientation::Horizontal;
    // The R and X axis from first to second ohms, instead of fitted to the data.
    std::optional<std::pair<double, double>> ohmsAxis;
};

// The picture of a curve computed for one radius (with the SWR against
// referenceResistance when the curve has it): the points and the zeros of
// the reactance over their range.
ImpedancePicture CurvePicture(double radius, std::vector<ImpedancePoint> points,
                              std::optional<double> referenceResistance);

// The picture of one radius from `from` to `to`: the curve at `step`, its
// zeros, the SWR against referenceResistance when given.
ImpedancePicture MakeImpedancePicture(double radius, double from, double to, double step,
                                      std::optional<double> referenceResistance);

void PaintImpedancePicture(QPainter &painter, const QRectF &area, const ImpedancePicture &picture);

// Where PaintImpedancePicture puts the impedance chart's plot in area, and
// the lengths at its left and right edges: for finding the length under a
// point of the picture as drawn. None for a picture without points.
struct ImpedanceChartPlace
{
    QRectF plot;
    double from = 0.0; // M at plot.left()
    double to = 1.0;   // M at plot.right()
};
std::optional<ImpedanceChartPlace> LayOutImpedanceChart(const QRectF &area, const ImpedancePicture &picture);
