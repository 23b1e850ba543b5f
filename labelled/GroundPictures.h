#pragma once
// A dipole over a perfect ground and a monopole on it in the labelled
// style, painted on any QPainter in the area it is given:
//   - the polar picture: the upper half plane over a hatched ground line,
//     the field against elevation in a vertical plane (the same on either
//     side of the wire, so the left half mirrors the right), with rings and
//     spokes every 15° labelled with the elevation from 0° at the ground to
//     90° overhead; a horizontal wire's plane across it solid and its plane
//     along it dashed, with a legend;
//   - the rectangular picture: the same cuts against elevation from 0° to
//     90°, the half-power level dashed.
// Both cuts are normalised to the larger of their maxima, so that the one
// along a horizontal wire shows how much weaker it is.
#include "LabelledPatterns.h"
#include "LabelledText.h"
#include "formats/PictureFormat.h"
#include "physics/GroundImage.h"
#include "physics/GroundSweep.h"

#include <QByteArray>
#include <QRectF>
#include <QSize>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

class QPainter;

constexpr QSize kGroundPolarSize(900, 640);

// One elevation cut: F / the pictures' maximum at every 1/stepsPerDegree of
// a degree from 0° to 90°.
struct ElevationCut
{
    std::vector<double> normalised;
    int stepsPerDegree = 10;
};

struct GroundPicture
{
    double length = 0.5; // the dipole's M; a monopole is M/2 high
    bool monopole = false;
    double height = 0.25; // the dipole's centre above the ground, wavelengths
    GroundOrientation orientation = GroundOrientation::Horizontal;
    LabelledScale scale = LabelledScale::Linear;
    double rangeDb = 40.0;
    LabelledLanguage language = LabelledLanguage::English;
    // A solver's cuts drawn in green over the theory's, in the same order
    // (across dashed, along dotted), normalised to their own maximum, and
    // the legend's name for them; none: the theory alone.
    std::vector<ElevationCut> comparison;
    QString comparisonName;
};

// The cuts a picture draws: across a horizontal wire (or any vertical
// plane of a vertical wire or a monopole) first, along a horizontal wire
// second; all zero where the field is zero throughout.
std::vector<ElevationCut> GroundElevationCuts(const GroundPicture &picture);

void PaintGroundPolar(QPainter &painter, const QRectF &area, const GroundPicture &picture);
void PaintGroundElevation(QPainter &painter, const QRectF &area, const GroundPicture &picture);

// R and X of the input impedance against the height of one length over the
// ground, broken at heights without one, with the free-space R and X as
// thin level lines for the swing about them.
struct HeightSweepPicture
{
    double length = 0.5;
    double radius = 0.001;
    GroundOrientation orientation = GroundOrientation::Horizontal;
    std::vector<HeightPoint> points; // ascending heights
    std::optional<Impedance> freeSpace;
    LabelledLanguage language = LabelledLanguage::English;
};

void PaintHeightSweepPicture(QPainter &painter, const QRectF &area, const HeightSweepPicture &picture);

// The polar picture's and the rectangular picture's files, in that order.
std::pair<QByteArray, QByteArray> EncodeGroundPair(PictureFormat format, const GroundPicture &picture, QSize polar,
                                                   QSize rectangular);
