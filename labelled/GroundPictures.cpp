#include "GroundPictures.h"

#include "ChartAxes.h"
#include "ChartFrame.h"
#include "LabelledStyle.h"
#include "formats/PaintedPicture.h"
#include "physics/GroundImage.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <future>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDbStep = 10.0;
constexpr int kSpokeStep = 15;
constexpr double kSpokeLabelSize = 2.0;
constexpr double kRingLabelSize = 1.7;
constexpr double kGridWidth = 0.1;
constexpr double kFrameWidth = 0.16;
constexpr double kGroundWidth = 0.3;
constexpr double kCurveWidth = 0.32;
const QColor kAcross(0, 0, 128);
const QColor kAlong(0xb0, 0x30, 0x30);

bool horizontalDipole(const GroundPicture &p)
{
    return !p.monopole && p.orientation == GroundOrientation::Horizontal;
}

// Enough samples a degree for the array factor's lobes, 1/(2h) apart in
// sin(elevation), and for the wire's own.
int stepsPerDegree(const GroundPicture &p)
{
    const int forHeight = p.monopole ? 0 : static_cast<int>(std::ceil(40.0 * p.height));
    return std::clamp(std::max(PatternStepsPerDegree(p.length), forHeight), 10, 200);
}

// 0 (the centre, the bottom) to 1 (the maximum) on the picture's scale.
double scaled(const GroundPicture &p, double normalised)
{
    if (p.scale == LabelledScale::Linear)
        return std::clamp(normalised, 0.0, 1.0);
    if (!(normalised > 0.0))
        return 0.0;
    return std::clamp((20.0 * std::log10(normalised) + p.rangeDb) / p.rangeDb, 0.0, 1.0);
}

QString decibels(const LabelledText &text, double value)
{
    return text.fixed(value, 0) + QLatin1Char(' ') + text.phrase(QT_TRANSLATE_NOOP("Labelled", "dB"));
}

QString title(const GroundPicture &p, const LabelledText &text)
{
    if (p.monopole)
        return text.phrase(QT_TRANSLATE_NOOP("Labelled", "Monopole %1 λ high")).arg(text.number(p.length / 2.0));
    return QStringLiteral("M = %1 λ, h = %2 λ").arg(text.number(p.length), text.number(p.height));
}

QString subtitle(const GroundPicture &p, const LabelledText &text)
{
    if (p.monopole)
        return text.phrase(QT_TRANSLATE_NOOP("Labelled", "fed at its base on a perfect ground"));
    if (p.orientation == GroundOrientation::Horizontal)
        return text.phrase(QT_TRANSLATE_NOOP("Labelled", "horizontal dipole over a perfect ground"));
    return text.phrase(QT_TRANSLATE_NOOP("Labelled", "vertical dipole over a perfect ground"));
}

const QColor kComparison(0x10, 0x80, 0x30); // green beside the navy and the red

Qt::PenStyle comparisonStyle(size_t i)
{
    return i == 0 ? Qt::DashLine : Qt::DotLine;
}

std::vector<LegendEntry> legend(const GroundPicture &p, const LabelledText &text)
{
    std::vector<LegendEntry> entries;
    if (horizontalDipole(p))
        entries = {{text.phrase(QT_TRANSLATE_NOOP("Labelled", "across the wire")), kAcross, Qt::SolidLine, {}},
                   {text.phrase(QT_TRANSLATE_NOOP("Labelled", "along the wire")), kAlong, Qt::DashLine, {}}};
    else if (!p.comparison.empty())
        entries = {{text.phrase(QT_TRANSLATE_NOOP("Labelled", "theory")), kAcross, Qt::SolidLine, {}}};
    for (size_t i = 0; i < p.comparison.size(); ++i) {
        const QString plane = i == 0 ? text.phrase(QT_TRANSLATE_NOOP("Labelled", "across the wire"))
                                     : text.phrase(QT_TRANSLATE_NOOP("Labelled", "along the wire"));
        const bool named = horizontalDipole(p) && p.comparison.size() > 1;
        entries.push_back({named ? p.comparisonName + QStringLiteral(", ") + plane : p.comparisonName,
                           kComparison,
                           comparisonStyle(i),
                           {}});
    }
    return entries;
}

LegendPlacement heading(QPainter &painter, const QRectF &area, const LabelledMetrics &metrics, const GroundPicture &p,
                        const LabelledText &text)
{
    const QRectF body = DrawTitleBlock(painter, area, metrics, title(p, text), subtitle(p, text));
    return PlaceLegend(body, legend(p, text), metrics);
}

// The upper half plane: the centre on the ground line, elevation measured
// from the ground on the right and mirrored on the left.
class HalfPolar
{
public:
    HalfPolar(QPainter &painter, const QRectF &area, const LabelledMetrics &metrics)
        : m_painter(painter), m_metrics(metrics)
    {
        const double side = metrics.units(5.5);  // the spokes' labels left and right
        const double top = metrics.units(3.5);   // ... above
        const double below = metrics.units(5.0); // the hatching and the rings' labels
        m_radius = std::max(1.0, std::min((area.width() - 2 * side) / 2.0, area.height() - top - below));
        const double spare = area.height() - top - below - m_radius;
        m_centre = QPointF(area.center().x(), area.top() + top + spare / 2.0 + m_radius);
    }

    // The point at screen angle a (degrees, 0 to the right, 180 to the
    // left, counter-clockwise) and radius r (a fraction of the outer ring).
    QPointF map(double angleDeg, double r) const
    {
        const double a = angleDeg * kPi / 180.0;
        return m_centre + QPointF(std::cos(a), -std::sin(a)) * (r * m_radius);
    }

    void drawGrid(const std::vector<PolarRing> &rings, const LabelledText &text)
    {
        m_painter.save();
        m_painter.setBrush(Qt::NoBrush);
        m_painter.setPen(m_metrics.pen(GridColour(), kGridWidth));
        for (int spoke = kSpokeStep; spoke < 180; spoke += kSpokeStep)
            m_painter.drawLine(m_centre, map(spoke, 1.0));
        for (const PolarRing &ring : rings) {
            if (ring.radius > 0.0 && ring.radius < 1.0)
                m_painter.drawArc(arcBox(ring.radius), 0, 180 * 16);
        }
        m_painter.setPen(m_metrics.pen(FrameColour(), kFrameWidth));
        m_painter.drawArc(arcBox(1.0), 0, 180 * 16);
        drawSpokeLabels(text);
        drawRingLabels(rings);
        m_painter.restore();
    }

    // The ground: a line through the centre with hatching beneath it.
    void drawGround()
    {
        m_painter.save();
        const double reach = m_radius + m_metrics.units(1.0);
        const double y = m_centre.y();
        m_painter.setPen(m_metrics.pen(FrameColour(), kGroundWidth));
        m_painter.drawLine(QPointF(m_centre.x() - reach, y), QPointF(m_centre.x() + reach, y));
        m_painter.setPen(m_metrics.pen(FrameColour(), kFrameWidth));
        const double pitch = m_metrics.units(1.5);
        const double depth = m_metrics.units(1.0);
        for (double x = m_centre.x() - reach + depth; x <= m_centre.x() + reach; x += pitch)
            m_painter.drawLine(QPointF(x, y), QPointF(x - depth, y + depth));
        m_painter.restore();
    }

    // A cut from the ground on the right up to the zenith and down its
    // mirror image on the left, closed through the centre.
    void drawCut(const std::vector<double> &radii, int steps, const QColor &colour, Qt::PenStyle style, bool fill)
    {
        QPainterPath path(m_centre);
        const int last = static_cast<int>(radii.size()) - 1;
        for (int i = 0; i <= last; ++i)
            path.lineTo(map(double(i) / steps, radii[size_t(i)]));
        for (int i = last; i >= 0; --i)
            path.lineTo(map(180.0 - double(i) / steps, radii[size_t(i)]));
        path.closeSubpath();
        m_painter.save();
        if (fill) {
            QColor tint = colour;
            tint.setAlphaF(0.12);
            m_painter.fillPath(path, tint);
        }
        m_painter.setBrush(Qt::NoBrush);
        m_painter.setPen(m_metrics.pen(colour, kCurveWidth, style));
        m_painter.drawPath(path);
        m_painter.restore();
    }

private:
    QRectF arcBox(double r) const
    {
        return QRectF(m_centre.x() - r * m_radius, m_centre.y() - r * m_radius, 2 * r * m_radius, 2 * r * m_radius);
    }

    // Every spoke's elevation at its end, 0° on the ground at both sides.
    void drawSpokeLabels(const LabelledText &text)
    {
        const QFont font = m_metrics.font(kSpokeLabelSize);
        const double gap = m_metrics.units(0.8);
        for (int spoke = 0; spoke <= 180; spoke += kSpokeStep) {
            const double a = spoke * kPi / 180.0;
            const QPointF direction(std::cos(a), -std::sin(a));
            const QPointF at = m_centre + direction * (m_radius + gap);
            Qt::Alignment alignment = Qt::AlignBottom;
            if (direction.x() > 0.1)
                alignment |= Qt::AlignLeft;
            else if (direction.x() < -0.1)
                alignment |= Qt::AlignRight;
            else
                alignment |= Qt::AlignHCenter;
            if (spoke != 0 && spoke != 180 && std::abs(direction.x()) > 0.1)
                alignment = (alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
            const int elevation = spoke <= 90 ? spoke : 180 - spoke;
            DrawAnchoredText(m_painter, at, alignment, text.number(elevation) + QStringLiteral("°"), font,
                             FrameColour());
        }
    }

    // The rings' values under the ground on the right, from the outer ring
    // inwards, leaving out one that would touch the one beside it.
    void drawRingLabels(const std::vector<PolarRing> &rings)
    {
        const QFont font = m_metrics.font(kRingLabelSize);
        const QFontMetricsF fm(font);
        const double y = m_centre.y() + m_metrics.units(1.4);
        double leftmost = m_centre.x() + m_radius + m_metrics.units(10.0);
        std::vector<PolarRing> outward = rings;
        std::sort(outward.begin(), outward.end(),
                  [](const PolarRing &a, const PolarRing &b) { return a.radius > b.radius; });
        for (const PolarRing &ring : outward) {
            const double x = m_centre.x() + ring.radius * m_radius;
            const double half = fm.horizontalAdvance(ring.label) / 2.0;
            if (ring.label.isEmpty() || x + half + m_metrics.units(0.5) > leftmost)
                continue;
            DrawAnchoredText(m_painter, QPointF(x, y), Qt::AlignHCenter | Qt::AlignTop, ring.label, font, FrameColour(),
                             true);
            leftmost = x - half;
        }
    }

    QPainter &m_painter;
    const LabelledMetrics &m_metrics;
    QPointF m_centre;
    double m_radius = 1.0;
};

std::vector<PolarRing> rings(const GroundPicture &p, const LabelledText &text)
{
    std::vector<PolarRing> rings;
    if (p.scale == LabelledScale::Linear) {
        for (int i = 1; i <= 5; ++i)
            rings.push_back({i / 5.0, text.fixed(i / 5.0, 1)});
        return rings;
    }
    for (double db = 0.0; db > -p.rangeDb + 1e-9; db -= kDbStep)
        rings.push_back({(db + p.rangeDb) / p.rangeDb, decibels(text, db)});
    return rings;
}

ChartAxis elevationAxis(const LabelledText &text)
{
    ChartAxis axis;
    axis.from = 0.0;
    axis.to = 90.0;
    axis.tickStep = 15.0;
    axis.decimals = 0;
    axis.title = text.phrase(QT_TRANSLATE_NOOP("Labelled", "elevation above the ground"));
    axis.suffix = QStringLiteral("°");
    return axis;
}

ChartAxis levelAxis(const GroundPicture &p, const LabelledText &text)
{
    const double halfPower = HalfPowerLevel(p.scale);
    if (p.scale == LabelledScale::Linear) {
        ChartAxis axis{0.0, 1.0, 0.2, 1, text.phrase(QT_TRANSLATE_NOOP("Labelled", "F / Fmax")), {}, {}};
        axis.marks.push_back({halfPower, text.fixed(halfPower, 3)});
        return axis;
    }
    ChartAxis axis{-p.rangeDb, 0.0, kDbStep, 0, text.phrase(QT_TRANSLATE_NOOP("Labelled", "F / Fmax, dB")), {}, {}};
    axis.marks.push_back({halfPower, decibels(text, -3.0)});
    return axis;
}

const QColor &cutColour(size_t i)
{
    return i == 0 ? kAcross : kAlong;
}

Qt::PenStyle cutStyle(size_t i)
{
    return i == 0 ? Qt::SolidLine : Qt::DashLine;
}

ChartSeries elevationSeries(const GroundPicture &p, const ElevationCut &cut, const QColor &colour, Qt::PenStyle style,
                            bool fill)
{
    const bool linear = p.scale == LabelledScale::Linear;
    ChartSeries series;
    series.colour = colour;
    series.style = style;
    series.fill = fill;
    for (size_t k = 0; k < cut.normalised.size(); ++k) {
        const double fraction = scaled(p, cut.normalised[k]);
        series.points.emplace_back(double(k) / cut.stepsPerDegree, linear ? fraction : (fraction - 1.0) * p.rangeDb);
    }
    return series;
}

} // namespace

std::vector<ElevationCut> GroundElevationCuts(const GroundPicture &p)
{
    const int steps = stepsPerDegree(p);
    std::vector<std::function<double(double)>> patterns;
    if (p.monopole)
        patterns.emplace_back([&p](double el) { return MonopolePattern(p.length, el); });
    else if (p.orientation == GroundOrientation::Vertical)
        patterns.emplace_back([&p](double el) { return VerticalPattern(p.length, p.height, el); });
    else {
        patterns.emplace_back([&p](double el) { return HorizontalAcrossPattern(p.length, p.height, el); });
        patterns.emplace_back([&p](double el) { return HorizontalAlongPattern(p.length, p.height, el); });
    }
    std::vector<ElevationCut> cuts;
    double largest = 0.0;
    for (const auto &pattern : patterns) {
        ElevationCut cut;
        cut.stepsPerDegree = steps;
        for (int i = 0; i <= 90 * steps; ++i) {
            const double value = std::fabs(pattern(double(i) / steps * kPi / 180.0));
            cut.normalised.push_back(value);
            largest = std::max(largest, value);
        }
        cuts.push_back(std::move(cut));
    }
    for (ElevationCut &cut : cuts) {
        for (double &value : cut.normalised)
            value = largest > 0.0 ? value / largest : 0.0;
    }
    return cuts;
}

void PaintGroundPolar(QPainter &painter, const QRectF &area, const GroundPicture &p)
{
    painter.save();
    const LabelledMetrics metrics(area);
    const LabelledText text(p.language);
    const LegendPlacement place = heading(painter, area, metrics, p, text);
    HalfPolar polar(painter, place.plotArea, metrics);
    polar.drawGrid(rings(p, text), text);
    const std::vector<ElevationCut> cuts = GroundElevationCuts(p);
    for (size_t i = 0; i < cuts.size(); ++i) {
        std::vector<double> radii;
        for (const double value : cuts[i].normalised)
            radii.push_back(scaled(p, value));
        polar.drawCut(radii, cuts[i].stepsPerDegree, cutColour(i), cutStyle(i), i == 0);
    }
    for (size_t i = 0; i < p.comparison.size(); ++i) {
        std::vector<double> radii;
        for (const double value : p.comparison[i].normalised)
            radii.push_back(scaled(p, value));
        polar.drawCut(radii, p.comparison[i].stepsPerDegree, kComparison, comparisonStyle(i), false);
    }
    polar.drawGround();
    DrawLegend(painter, place.legendTopLeft, legend(p, text), metrics, place.legend);
    painter.restore();
}

void PaintGroundElevation(QPainter &painter, const QRectF &area, const GroundPicture &p)
{
    painter.save();
    const LabelledMetrics metrics(area);
    const LabelledText text(p.language);
    const LegendPlacement place = heading(painter, area, metrics, p, text);
    ChartFrame chart(painter, place.plotArea, metrics, text, elevationAxis(text), levelAxis(p, text));
    chart.drawGrid();
    chart.drawHorizontalLine(HalfPowerLevel(p.scale), FrameColour(), Qt::DashLine);
    const std::vector<ElevationCut> cuts = GroundElevationCuts(p);
    for (size_t i = 0; i < cuts.size(); ++i)
        chart.drawSeries(elevationSeries(p, cuts[i], cutColour(i), cutStyle(i), i == 0));
    for (size_t i = 0; i < p.comparison.size(); ++i)
        chart.drawSeries(elevationSeries(p, p.comparison[i], kComparison, comparisonStyle(i), false));
    DrawLegend(painter, place.legendTopLeft, legend(p, text), metrics, place.legend);
    painter.restore();
}

void PaintHeightSweepPicture(QPainter &painter, const QRectF &area, const HeightSweepPicture &p)
{
    painter.save();
    const LabelledMetrics metrics(area);
    const LabelledText text(p.language);
    const QString title = text.phrase(QT_TRANSLATE_NOOP("Labelled", "Input impedance against the height, M = %1 λ"))
                              .arg(text.number(p.length));
    const QString subtitle =
        (p.orientation == GroundOrientation::Horizontal
             ? text.phrase(QT_TRANSLATE_NOOP("Labelled", "horizontal dipole over a perfect ground, radius %1 λ"))
             : text.phrase(QT_TRANSLATE_NOOP("Labelled", "vertical dipole over a perfect ground, radius %1 λ")))
            .arg(text.number(p.radius));
    const QRectF body = DrawTitleBlock(painter, area, metrics, title, subtitle);
    std::vector<LegendEntry> entries = {{QStringLiteral("R"), kAcross, Qt::SolidLine, {}},
                                        {QStringLiteral("X"), kAlong, Qt::SolidLine, {}}};
    if (p.freeSpace)
        entries.push_back(
            {text.phrase(QT_TRANSLATE_NOOP("Labelled", "in free space")), FrameColour(), Qt::DashLine, {}});
    const LegendPlacement place = PlaceLegend(body, entries, metrics);

    double low = 0.0;
    double high = 0.0;
    for (const HeightPoint &point : p.points) {
        if (point.input) {
            low = std::min({low, point.input->resistance, point.input->reactance});
            high = std::max({high, point.input->resistance, point.input->reactance});
        }
    }
    const double from = p.points.empty() ? 0.0 : p.points.front().height;
    const double to = p.points.empty() ? 1.0 : std::max(p.points.back().height, from + 1e-9);
    const ChartAxis x = RoundAxis(from, to, 8, text.phrase(QT_TRANSLATE_NOOP("Labelled", "height of the centre, λ")));
    const ChartAxis y =
        FittedAxis(low, high, 8, QStringLiteral("R, X, ") + text.phrase(QT_TRANSLATE_NOOP("Labelled", "Ω")));
    ChartFrame chart(painter, place.plotArea, metrics, text, x, y);
    chart.drawGrid();
    if (p.freeSpace) {
        chart.drawHorizontalLine(p.freeSpace->resistance, kAcross, Qt::DashLine);
        chart.drawHorizontalLine(p.freeSpace->reactance, kAlong, Qt::DashLine);
    }
    // Each run of heights with an impedance is a series of its own.
    for (const bool reactance : {false, true}) {
        ChartSeries series{{}, reactance ? kAlong : kAcross};
        for (const HeightPoint &point : p.points) {
            if (point.input) {
                series.points.emplace_back(point.height, reactance ? point.input->reactance : point.input->resistance);
                continue;
            }
            chart.drawSeries(series);
            series.points.clear();
        }
        chart.drawSeries(series);
    }
    DrawLegend(painter, place.legendTopLeft, entries, metrics, place.legend);
    painter.restore();
}

std::pair<QByteArray, QByteArray> EncodeGroundPair(PictureFormat format, const GroundPicture &picture, QSize polar,
                                                   QSize rectangular)
{
    // The two pictures share only the request: the polar one is painted on
    // a thread of its own while this one paints the rectangular one.
    auto first = std::async(std::launch::async, [&] {
        return EncodePaintedPicture(format, polar, [&picture](QPainter &painter, const QRectF &area) {
            PaintGroundPolar(painter, area, picture);
        });
    });
    QByteArray second = EncodePaintedPicture(format, rectangular, [&picture](QPainter &painter, const QRectF &area) {
        PaintGroundElevation(painter, area, picture);
    });
    return {first.get(), std::move(second)};
}
