#pragma once
// A polar chart in the labelled style: the largest circle that fits the
// area with room for its labels, rings with their values, spokes every 30°
// labelled with θ, and the dipole's axis marked across the middle. Angles
// are those of the plain polar picture: θ = 0 points right along the axis
// and θ grows clockwise on screen, so the lower half holds θ from 0° to 180°
// and the upper half is its mirror image; a spoke's label is its angle from
// the axis, 0° to 180°, on both halves.
//
//     PolarFrame polar(painter, area, metrics, text);
//     polar.drawGrid(rings);
//     polar.drawAxis();
//     polar.drawCurve(radii, colour, fill);
//     polar.drawLabels(rings);
//
// The rings' values and the axis's name go on last, on a white ground, so
// that no curve runs through them.
#include "LabelledStyle.h"
#include "LabelledText.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <utility>
#include <vector>

class QPainter;

struct PolarRing
{
    double radius; // a fraction of the outer circle's radius, 0 to 1
    QString label;
};

class PolarFrame
{
public:
    PolarFrame(QPainter &painter, const QRectF &area, const LabelledMetrics &metrics, const LabelledText &text);

    // The centre and radius that a frame in area takes.
    static std::pair<QPointF, double> layout(const QRectF &area, const LabelledMetrics &metrics);

    QPointF centre() const { return m_centre; }
    double radius() const { return m_radius; }
    // The device point at angle θ (degrees, screen orientation as above)
    // and a radius given as a fraction of the outer circle's.
    QPointF map(double thetaDeg, double radius) const;

    // The rings (the outer circle in the frame's colour) and the labelled
    // spokes.
    void drawGrid(const std::vector<PolarRing> &rings);
    // The axis's name and the rings' values as AxisNameLabel and RingLabels
    // place them, over whatever is drawn.
    void drawLabels(const std::vector<PolarRing> &rings);
    // A closed curve through radii[i] at θ = 360° · i / (radii.size() - 1),
    // clipped to the outer circle; with fill, its inside in a light tint.
    void drawCurve(const std::vector<double> &radii, const QColor &colour, bool fill,
                   Qt::PenStyle style = Qt::SolidLine);
    // Fills only: callers draw every fill of a family first and then the
    // curves, so that no tint hides another curve.
    void fillCurve(const std::vector<double> &radii, const QColor &colour);
    // The dipole's axis: a line through the centre beyond the outer circle,
    // and the dipole's two arms at the centre.
    void drawAxis();

private:
    QPainterPath curvePath(const std::vector<double> &radii) const;

    QPainter &m_painter;
    const LabelledMetrics &m_metrics;
    const LabelledText &m_text;
    QPointF m_centre;
    double m_radius = 1.0;
};

// The rings' values along the axis to the right of the centre, just above
// it, each ending a little inside its ring. Where neighbouring values would
// touch, only every second (third, ...) ring is labelled, counted from the
// outer circle, whose value always shows.
std::vector<PlacedLabel> RingLabels(const QPointF &centre, double radius, const LabelledMetrics &metrics,
                                    const std::vector<PolarRing> &rings);

// The axis's name, beneath it inside the outer circle at θ = 180°.
PlacedLabel AxisNameLabel(const QPointF &centre, double radius, const LabelledMetrics &metrics,
                          const LabelledText &text);

// The angle from the dipole's axis that a spoke at screen angle
// spokeDeg (0 to 360) stands for: 0° to 180°.
int SpokeThetaLabel(int spokeDeg);
