#include "SmithChart.h"

#include "LabelledStyle.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// The normalised resistances and reactances whose circles are drawn.
constexpr double kGridValues[] = {0.2, 0.5, 1.0, 2.0, 5.0};

class SmithPlane
{
public:
    SmithPlane(const QPointF &centre, double radius) : m_centre(centre), m_radius(radius) {}

    // Γ = 0 at the centre, Γ = 1 (an open circuit) on the right.
    QPointF map(std::complex<double> gamma) const
    {
        return m_centre + QPointF(gamma.real() * m_radius, -gamma.imag() * m_radius);
    }
    double length(double gammaLength) const { return gammaLength * m_radius; }
    QRectF circle(std::complex<double> centre, double radius) const
    {
        const QPointF c = map(centre);
        const double r = length(radius);
        return {c.x() - r, c.y() - r, 2.0 * r, 2.0 * r};
    }

private:
    QPointF m_centre;
    double m_radius;
};

// Γ of the normalised impedance z.
std::complex<double> reflectionOf(std::complex<double> z)
{
    return (z - 1.0) / (z + 1.0);
}

void drawGrid(QPainter &painter, const SmithPlane &plane, const LabelledMetrics &metrics, const LabelledText &text)
{
    painter.save();
    QPainterPath rim;
    rim.addEllipse(plane.circle(0.0, 1.0));
    painter.setClipPath(rim);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(metrics.pen(GridColour(), 0.12));
    for (const double value : kGridValues) {
        // Constant resistance r: centre r/(1+r), radius 1/(1+r).
        painter.drawEllipse(plane.circle(value / (1.0 + value), 1.0 / (1.0 + value)));
        // Constant reactance ±x: centre 1 ± j/x, radius 1/x, inside the rim.
        painter.drawEllipse(plane.circle({1.0, 1.0 / value}, 1.0 / value));
        painter.drawEllipse(plane.circle({1.0, -1.0 / value}, 1.0 / value));
    }
    painter.setPen(metrics.pen(FrameColour(), 0.16));
    painter.drawLine(plane.map(-1.0), plane.map(1.0));
    painter.setClipping(false);
    painter.drawEllipse(plane.circle(0.0, 1.0));
    const QFont font = metrics.font(2.0);
    for (const double value : kGridValues) {
        DrawAnchoredText(painter, plane.map(reflectionOf(value)) + QPointF(metrics.units(0.3), -metrics.units(0.3)),
                         Qt::AlignLeft | Qt::AlignBottom, text.number(value), font, FrameColour());
        // The reactance arcs meet the rim at Γ = (jx − 1)/(jx + 1).
        for (const double sign : {1.0, -1.0}) {
            const std::complex<double> onRim = reflectionOf({0.0, sign * value});
            const QPointF outward = QPointF(onRim.real(), -onRim.imag()) * metrics.units(1.2);
            const Qt::Alignment horizontal = onRim.real() > 0.05    ? Qt::AlignLeft
                                             : onRim.real() < -0.05 ? Qt::AlignRight
                                                                    : Qt::AlignHCenter;
            DrawAnchoredText(
                painter, plane.map(onRim) + outward, horizontal | (sign > 0 ? Qt::AlignBottom : Qt::AlignTop),
                (sign > 0 ? QStringLiteral("+j") : QStringLiteral("−j")) + text.number(value), font, FrameColour());
        }
    }
    painter.restore();
}

void drawCurve(QPainter &painter, const SmithPlane &plane, const LabelledMetrics &metrics, const SmithCurve &curve)
{
    painter.save();
    if (curve.points) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(curve.colour);
        const double radius = metrics.units(0.45);
        for (const std::complex<double> &gamma : curve.reflections)
            painter.drawEllipse(plane.map(gamma), radius, radius);
    } else if (!curve.reflections.empty()) {
        QPainterPath path(plane.map(curve.reflections.front()));
        for (std::size_t i = 1; i < curve.reflections.size(); ++i)
            path.lineTo(plane.map(curve.reflections[i]));
        painter.setPen(metrics.pen(curve.colour, 0.32, curve.style));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }
    painter.restore();
}

void drawMarker(QPainter &painter, const SmithPlane &plane, const LabelledMetrics &metrics, const SmithMarker &marker)
{
    const QPointF at = plane.map(marker.reflection);
    painter.save();
    painter.setPen(metrics.pen(marker.colour, 0.3));
    painter.setBrush(Qt::white);
    const double radius = metrics.units(0.8);
    painter.drawEllipse(at, radius, radius);
    painter.restore();
    DrawAnchoredText(painter, at + QPointF(metrics.units(1.2), -metrics.units(0.6)), Qt::AlignLeft | Qt::AlignBottom,
                     marker.label, metrics.font(2.2), FrameColour(), true);
}

} // namespace

void PaintSmithChart(QPainter &painter, const QRectF &area, const SmithChartPicture &picture)
{
    const LabelledMetrics metrics(area);
    const LabelledText text(picture.language);
    const QString title = text.phrase(QT_TRANSLATE_NOOP("Labelled", "Smith chart, Z₀ = %1 Ω"))
                              .arg(text.number(picture.referenceResistance));
    const QRectF body = DrawTitleBlock(painter, area, metrics, title,
                                       text.phrase(QT_TRANSLATE_NOOP("Labelled", "reflection coefficient Γ")));
    std::vector<LegendEntry> legend;
    for (const SmithCurve &curve : picture.curves)
        if (!curve.name.isEmpty())
            legend.push_back({curve.name, curve.colour, curve.points ? Qt::DotLine : curve.style, {}});
    const LegendPlacement place = PlaceLegend(body, legend, metrics);
    const QRectF plot =
        place.plotArea.adjusted(metrics.units(5.0), metrics.units(3.5), -metrics.units(5.0), -metrics.units(3.5));
    const SmithPlane plane(plot.center(), std::max(0.0, std::min(plot.width(), plot.height()) / 2.0));
    drawGrid(painter, plane, metrics, text);
    for (const SmithCurve &curve : picture.curves)
        drawCurve(painter, plane, metrics, curve);
    for (const SmithMarker &marker : picture.markers)
        drawMarker(painter, plane, metrics, marker);
    if (!legend.empty())
        DrawLegend(painter, place.legendTopLeft, legend, metrics, place.legend);
}
