#include "PolarFrame.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSpokeLabelSize = 2.0;
constexpr double kRingLabelSize = 1.7;
constexpr double kAxisLabelSize = 1.7;
constexpr int kSpokeStep = 30;
constexpr double kGridWidth = 0.1;
constexpr double kFrameWidth = 0.16;
constexpr double kCurveWidth = 0.32;

// The point at angle θ and a fraction of the outer radius.
QPointF polarPoint(const QPointF &centre, double outer, double thetaDeg, double radius)
{
    const double angle = thetaDeg * kPi / 180.0;
    return centre + QPointF(std::cos(angle), std::sin(angle)) * (radius * outer);
}

} // namespace

int SpokeThetaLabel(int spokeDeg)
{
    const int angle = ((spokeDeg % 360) + 360) % 360;
    return angle <= 180 ? angle : 360 - angle;
}

std::vector<PlacedLabel> RingLabels(const QPointF &centre, double radius, const LabelledMetrics &metrics,
                                    const std::vector<PolarRing> &rings)
{
    // Along the axis, where the pattern is zero, so few curves run there.
    const QFont font = metrics.font(kRingLabelSize);
    const QPointF offset(metrics.units(0.3), metrics.units(0.3));
    std::vector<PlacedLabel> all;
    for (const PolarRing &ring : rings) {
        if (!ring.label.isEmpty()) {
            const QPointF end = polarPoint(centre, radius, 0.0, ring.radius) - offset;
            all.push_back({ring.label, AnchoredTextBox(end, Qt::AlignRight | Qt::AlignBottom, ring.label, font)});
        }
    }
    std::sort(all.begin(), all.end(),
              [](const PlacedLabel &p, const PlacedLabel &q) { return p.box.right() > q.box.right(); });
    // Each label's white ground reaches this far beyond its text (as
    // DrawAnchoredText draws it), and neighbours keep a gap besides.
    const double apart = 2 * 0.15 * QFontMetricsF(font).height() + metrics.units(0.4);
    for (size_t every = 1; every <= all.size(); ++every) {
        std::vector<PlacedLabel> kept;
        for (size_t i = 0; i < all.size(); i += every)
            kept.push_back(all[i]);
        const bool apartEnough = std::adjacent_find(kept.cbegin(), kept.cend(),
                                                    [&](const auto &outer, const auto &inner) {
                                                        return inner.box.right() + apart > outer.box.left();
                                                    })
                                 == kept.cend();
        if (apartEnough)
            return kept;
    }
    return all;
}

PlacedLabel AxisNameLabel(const QPointF &centre, double radius, const LabelledMetrics &metrics,
                          const LabelledText &text)
{
    const QString name = text.phrase(QT_TRANSLATE_NOOP("Labelled", "dipole axis"));
    const QPointF at = polarPoint(centre, radius, 180.0, 1.0) + QPointF(metrics.units(0.6), metrics.units(0.4));
    return {name, AnchoredTextBox(at, Qt::AlignLeft | Qt::AlignTop, name, metrics.font(kAxisLabelSize))};
}

std::pair<QPointF, double> PolarFrame::layout(const QRectF &area, const LabelledMetrics &metrics)
{
    // Room outside the circle for the spokes' labels: "180°" beside it,
    // a line of text above and below.
    const QFontMetricsF labels(metrics.font(kSpokeLabelSize));
    const double beside = labels.horizontalAdvance(QStringLiteral("180°")) + metrics.units(1.2);
    const double above = labels.height() + metrics.units(0.8);
    return {area.center(), std::max(1.0, std::min(area.width() / 2 - beside, area.height() / 2 - above))};
}

PolarFrame::PolarFrame(QPainter &painter, const QRectF &area, const LabelledMetrics &metrics, const LabelledText &text)
    : m_painter(painter), m_metrics(metrics), m_text(text)
{
    std::tie(m_centre, m_radius) = layout(area, metrics);
}

QPointF PolarFrame::map(double thetaDeg, double radius) const
{
    return polarPoint(m_centre, m_radius, thetaDeg, radius);
}

void PolarFrame::drawGrid(const std::vector<PolarRing> &rings)
{
    m_painter.save();
    m_painter.setBrush(Qt::NoBrush);
    m_painter.setPen(m_metrics.pen(GridColour(), kGridWidth));
    for (int spoke = 0; spoke < 360; spoke += kSpokeStep)
        m_painter.drawLine(m_centre, map(spoke, 1.0));
    for (const PolarRing &ring : rings) {
        if (ring.radius > 0.0 && ring.radius < 1.0)
            m_painter.drawEllipse(m_centre, ring.radius * m_radius, ring.radius * m_radius);
    }
    m_painter.setPen(m_metrics.pen(FrameColour(), kFrameWidth));
    m_painter.drawEllipse(m_centre, m_radius, m_radius);

    const QFont spokeFont = m_metrics.font(kSpokeLabelSize);
    const double gap = m_metrics.units(1.0);
    for (int spoke = 0; spoke < 360; spoke += kSpokeStep) {
        const double angle = spoke * kPi / 180.0;
        const QPointF direction(std::cos(angle), std::sin(angle));
        const QPointF at = m_centre + direction * (m_radius + gap);
        // The label's box touches the circle's outside at the spoke's end.
        Qt::Alignment alignment = Qt::AlignHCenter | Qt::AlignVCenter;
        if (direction.x() > 0.1)
            alignment = Qt::AlignLeft;
        else if (direction.x() < -0.1)
            alignment = Qt::AlignRight;
        if (direction.y() > 0.1)
            alignment |= Qt::AlignTop;
        else if (direction.y() < -0.1)
            alignment |= Qt::AlignBottom;
        else
            alignment |= Qt::AlignVCenter;
        if (std::abs(direction.x()) <= 0.1)
            alignment = (alignment & Qt::AlignVertical_Mask) | Qt::AlignHCenter;
        DrawAnchoredText(m_painter, at, alignment, QString::number(SpokeThetaLabel(spoke)) + QStringLiteral("°"),
                         spokeFont, FrameColour());
    }
    m_painter.restore();
}

void PolarFrame::drawLabels(const std::vector<PolarRing> &rings)
{
    m_painter.save();
    const PlacedLabel axis = AxisNameLabel(m_centre, m_radius, m_metrics, m_text);
    DrawAnchoredText(m_painter, axis.box.topLeft(), Qt::AlignLeft | Qt::AlignTop, axis.text,
                     m_metrics.font(kAxisLabelSize), FrameColour(), true);
    const QFont ringFont = m_metrics.font(kRingLabelSize);
    for (const PlacedLabel &label : RingLabels(m_centre, m_radius, m_metrics, rings))
        DrawAnchoredText(m_painter, label.box.topLeft(), Qt::AlignLeft | Qt::AlignTop, label.text, ringFont,
                         FrameColour(), true);
    m_painter.restore();
}

QPainterPath PolarFrame::curvePath(const std::vector<double> &radii) const
{
    QPainterPath path;
    if (radii.size() < 2)
        return path;
    const double step = 360.0 / double(radii.size() - 1);
    path.moveTo(map(0.0, std::clamp(radii[0], 0.0, 1.0)));
    for (size_t i = 1; i < radii.size(); ++i)
        path.lineTo(map(step * double(i), std::clamp(radii[i], 0.0, 1.0)));
    path.closeSubpath();
    return path;
}

void PolarFrame::fillCurve(const std::vector<double> &radii, const QColor &colour)
{
    QColor tint = colour;
    tint.setAlphaF(0.18);
    m_painter.fillPath(curvePath(radii), tint);
}

void PolarFrame::drawCurve(const std::vector<double> &radii, const QColor &colour, bool fill, Qt::PenStyle style)
{
    if (fill)
        fillCurve(radii, colour);
    m_painter.save();
    m_painter.setPen(m_metrics.pen(colour, kCurveWidth, style));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPath(curvePath(radii));
    m_painter.restore();
}

void PolarFrame::drawAxis()
{
    m_painter.save();
    const double overhang = m_metrics.units(0.4);
    m_painter.setPen(m_metrics.pen(FrameColour(), kFrameWidth, Qt::DashDotLine));
    m_painter.drawLine(m_centre - QPointF(m_radius + overhang, 0), m_centre + QPointF(m_radius + overhang, 0));
    // The dipole itself: two arms with the feed gap between them.
    const double arm = std::max(m_metrics.units(2.0), m_radius * 0.06);
    const double gap = m_metrics.units(0.5);
    m_painter.setPen(m_metrics.pen(FrameColour(), 0.6));
    m_painter.drawLine(m_centre - QPointF(gap + arm, 0), m_centre - QPointF(gap, 0));
    m_painter.drawLine(m_centre + QPointF(gap, 0), m_centre + QPointF(gap + arm, 0));
    m_painter.restore();
}
