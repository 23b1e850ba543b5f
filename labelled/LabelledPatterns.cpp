#include "LabelledPatterns.h"

#include "ChartFrame.h"
#include "LabelledStyle.h"
#include "PolarFrame.h"
#include "physics/DipoleRules.h"
#include "physics/PatternFunction.h"

#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

const double kHalfPower = 1.0 / std::sqrt(2.0);
constexpr double kDbStep = 10.0;
constexpr double kMeasuredDot = 0.45; // a measured point's radius

QColor qtColour(TColor c)
{
    return QColor::fromRgb(ToQRgb(c));
}

std::vector<double> sampleNormalised(double M, double fMax, int stepsPerDegree)
{
    const int count = 180 * stepsPerDegree;
    std::vector<double> values(size_t(count) + 1, 0.0);
    if (!(fMax > 0.0))
        return values;
    for (int i = 0; i <= count; ++i) {
        const long double degrees = static_cast<long double>(i) / stepsPerDegree;
        values[size_t(i)] = std::min(PatternValue(M, DegreeAngle(degrees)) / fMax, 1.0);
    }
    return values;
}

} // namespace

LabelledMeasurement LabelledMeasurementOf(const MeasuredPattern &pattern, LabelledLanguage language)
{
    LabelledMeasurement measurement;
    measurement.name = LabelledText(language).phrase(QT_TRANSLATE_NOOP("Labelled", "measured"));
    for (const MeasuredSample &sample : pattern.samples)
        measurement.samples.emplace_back(sample.thetaDeg, sample.level);
    return measurement;
}

std::vector<double> ResampleDegrees(const std::vector<QPointF> &samples, int stepsPerDegree)
{
    const int count = 180 * stepsPerDegree;
    std::vector<double> values(size_t(count) + 1, 0.0);
    if (samples.empty())
        return values;
    size_t next = 0;
    for (int i = 0; i <= count; ++i) {
        const double theta = double(i) / stepsPerDegree;
        while (next < samples.size() && samples[next].x() < theta)
            ++next;
        if (next == 0)
            values[size_t(i)] = samples.front().y();
        else if (next == samples.size())
            values[size_t(i)] = samples.back().y();
        else {
            const QPointF &a = samples[next - 1];
            const QPointF &b = samples[next];
            values[size_t(i)] = a.y() + (b.y() - a.y()) * (theta - a.x()) / (b.x() - a.x());
        }
    }
    return values;
}

int PatternStepsPerDegree(double M)
{
    return std::max(10, int(std::ceil(std::fabs(M) / 2.0)));
}

LabelledPatterns::LabelledPatterns(const std::vector<LabelledCurve> &curves, const LabelledOptions &options)
    : m_options(options), m_text(options.language)
{
    for (const LabelledCurve &curve : curves) {
        if (!IsComputableLength(curve.length))
            continue;
        Pattern pattern;
        pattern.curve = curve;
        pattern.readouts = ComputePatternReadouts(curve.length);
        pattern.stepsPerDegree = PatternStepsPerDegree(curve.length);
        pattern.normalised = sampleNormalised(curve.length, pattern.readouts.fMax, pattern.stepsPerDegree);
        // The samples miss a null by up to half a step, where a deep dB scale
        // would show a notch some 50 dB deep instead of the null: the sample
        // nearest each null takes its exact 0, so the curve reaches the floor.
        for (const double null : pattern.readouts.nullsDeg) {
            if (options.scale == LabelledScale::Decibel)
                pattern.normalised[size_t(std::lround(null * pattern.stepsPerDegree))] = 0.0;
        }
        m_patterns.push_back(std::move(pattern));
    }
    if (commonScale()) {
        double highest = 0.0;
        for (const Pattern &pattern : m_patterns)
            highest = std::max(highest, pattern.readouts.directivityDbi.value_or(0.0));
        m_topDbi = std::ceil(highest / kDbStep) * kDbStep;
    }
}

double LabelledPatterns::offsetDb(const Pattern &pattern) const
{
    if (!commonScale())
        return 0.0;
    return pattern.readouts.directivityDbi.value_or(-m_options.rangeDb) - m_topDbi;
}

double LabelledPatterns::scaled(double normalised, double offsetDb) const
{
    if (m_options.scale == LabelledScale::Linear)
        return std::clamp(normalised, 0.0, 1.0);
    if (!(normalised > 0.0))
        return 0.0;
    const double db = 20.0 * std::log10(normalised) + offsetDb;
    return std::clamp((db + m_options.rangeDb) / m_options.rangeDb, 0.0, 1.0);
}

QString LabelledPatterns::title() const
{
    if (m_patterns.size() != 1)
        return m_text.phrase(QT_TRANSLATE_NOOP("Labelled", "Radiation patterns"));
    return QStringLiteral("M = %1 λ").arg(m_text.number(m_patterns.front().curve.length));
}

QString LabelledPatterns::readoutsLine(const PatternReadouts &r, bool brief) const
{
    if (r.zeroPattern)
        return m_text.phrase(QT_TRANSLATE_NOOP("Labelled", "no radiation"));
    QStringList parts;
    const QString dbi = m_text.fixed(*r.directivityDbi, 2);
    const QString width = m_text.fixed(*r.halfPowerWidthDeg, 1);
    if (brief) {
        parts << m_text.phrase(QT_TRANSLATE_NOOP("Labelled", "%1 dBi")).arg(dbi) << width + QStringLiteral("°");
        parts << (r.inputResistance
                      ? m_text.phrase(QT_TRANSLATE_NOOP("Labelled", "%1 Ω")).arg(m_text.fixed(*r.inputResistance, 1))
                      : m_text.phrase(QT_TRANSLATE_NOOP("Labelled", "Rin undefined")));
        return parts.join(QStringLiteral(" · "));
    }
    parts << m_text.phrase(QT_TRANSLATE_NOOP("Labelled", "D = %1 dBi")).arg(dbi)
          << m_text.phrase(QT_TRANSLATE_NOOP("Labelled", "half-power width %1°")).arg(width);
    parts << (r.inputResistance
                  ? m_text.phrase(QT_TRANSLATE_NOOP("Labelled", "Rin = %1 Ω")).arg(m_text.fixed(*r.inputResistance, 1))
                  : m_text.phrase(QT_TRANSLATE_NOOP("Labelled", "Rin undefined (current node at the feed)")));
    return parts.join(QStringLiteral("   ·   "));
}

std::vector<LegendEntry> LabelledPatterns::legend(bool halfPowerLevel) const
{
    std::vector<LegendEntry> entries;
    const std::optional<LabelledComparison> &comparison = m_options.comparison;
    const std::optional<LabelledMeasurement> &measurement = m_options.measurement;
    if (!isFamily()) {
        if ((comparison || measurement) && !m_patterns.empty())
            entries.push_back({m_text.phrase(QT_TRANSLATE_NOOP("Labelled", "theory")),
                               qtColour(m_patterns.front().curve.colour), Qt::SolidLine, QString()});
        if (comparison && !m_patterns.empty())
            entries.push_back({comparison->name, comparison->colour, Qt::DashLine, QString()});
        if (measurement && !m_patterns.empty())
            entries.push_back({measurement->name, measurement->colour, Qt::DotLine, QString()});
        return entries;
    }
    for (const Pattern &pattern : m_patterns) {
        LegendEntry entry;
        entry.name = QStringLiteral("M = %1 λ").arg(m_text.number(pattern.curve.length));
        entry.colour = qtColour(pattern.curve.colour);
        if (m_options.readouts)
            entry.detail = readoutsLine(pattern.readouts, true);
        entries.push_back(entry);
    }
    if (comparison)
        entries.push_back({comparison->name, comparison->colour, Qt::DashLine, QString()});
    if (measurement)
        entries.push_back({measurement->name, measurement->colour, Qt::DotLine, QString()});
    if (halfPowerLevel)
        entries.push_back(
            {m_text.phrase(QT_TRANSLATE_NOOP("Labelled", "half-power level")), FrameColour(), Qt::DashLine, QString()});
    return entries;
}

QString LabelledPatterns::subtitle() const
{
    const bool silent = m_patterns.size() == 1 && m_patterns.front().readouts.zeroPattern;
    if ((m_options.readouts || silent) && !isFamily() && !m_patterns.empty())
        return readoutsLine(m_patterns.front().readouts, false);
    return QString();
}

LegendPlacement LabelledPatterns::layout(View view, const QRectF &area, const LabelledMetrics &metrics) const
{
    return PlaceLegend(LayOutTitleBlock(area, metrics, title(), subtitle()).below,
                       legend(view == View::Rectangular && !commonScale()), metrics);
}

LegendPlacement LabelledPatterns::paintHeading(View view, QPainter &painter, const QRectF &area,
                                               const LabelledMetrics &metrics) const
{
    DrawTitleBlock(painter, area, metrics, title(), subtitle());
    return layout(view, area, metrics);
}

QPointF LabelledPatterns::polarCentre(const QRectF &area) const
{
    const LabelledMetrics metrics(area);
    return PolarFrame::layout(layout(View::Polar, area, metrics).plotArea, metrics).first;
}

double LabelledPatterns::polarRadius(const QRectF &area) const
{
    const LabelledMetrics metrics(area);
    return PolarFrame::layout(layout(View::Polar, area, metrics).plotArea, metrics).second;
}

QRectF LabelledPatterns::rectangularPlotArea(const QRectF &area) const
{
    const LabelledMetrics metrics(area);
    return ChartFrame::layout(layout(View::Rectangular, area, metrics).plotArea, metrics, m_text, xAxis(), yAxis());
}

LabelledPatterns::Labels LabelledPatterns::labels(View view, const QRectF &area) const
{
    const LabelledMetrics metrics(area);
    Labels labels;
    labels.title = LayOutTitleBlock(area, metrics, title(), subtitle());
    const QRectF plotArea = layout(view, area, metrics).plotArea;
    if (view == View::Polar) {
        const auto [centre, radius] = PolarFrame::layout(plotArea, metrics);
        labels.rings = RingLabels(centre, radius, metrics, rings());
        labels.axisName = AxisNameLabel(centre, radius, metrics, m_text);
    } else {
        if (!commonScale())
            placeBeamWidth(labels, ChartFrame::layout(plotArea, metrics, m_text, xAxis(), yAxis()), metrics);
        labels.axisTitles = ChartFrame::titleLabels(plotArea, metrics, m_text, xAxis(), yAxis());
    }
    return labels;
}

void LabelledPatterns::placeBeamWidth(Labels &labels, const QRectF &plot, const LabelledMetrics &metrics) const
{
    if (isFamily() || m_patterns.empty() || m_patterns.front().readouts.zeroPattern)
        return;
    const PatternReadouts &r = m_patterns.front().readouts;
    const ChartAxis x = xAxis();
    const ChartAxis y = yAxis();
    const QPointF a = ChartFrame::map(plot, x, y, *r.halfPowerLowerDeg, halfPowerLevel());
    const QPointF b = ChartFrame::map(plot, x, y, *r.halfPowerUpperDeg, halfPowerLevel());
    const QString text =
        m_text.phrase(QT_TRANSLATE_NOOP("Labelled", "HPBW %1°")).arg(m_text.fixed(*r.halfPowerWidthDeg, 1));
    const QRectF below = ChartFrame::spanLabelBelow(plot, metrics, a, b, text);

    // The lines the label keeps clear of: the curves, the level line with the
    // arrow on it, the flanks' vertical lines, the measured points.
    std::vector<ChartObstacle> obstacles;
    const double curve = ChartFrame::lineClearance(metrics, ChartSeries{}.width);
    const auto addSeries = [&](const ChartSeries &series) {
        ChartObstacle obstacle{{}, curve};
        for (const QPointF &point : series.points)
            obstacle.points.push_back(ChartFrame::map(plot, x, y, point.x(), point.y()));
        obstacles.push_back(std::move(obstacle));
    };
    addSeries(rectangularSeries(m_patterns.front()));
    if (m_options.comparison)
        addSeries(comparisonSeries());
    const double marker = ChartFrame::lineClearance(metrics, ChartFrame::kMarkerWidth);
    obstacles.push_back({{QPointF(plot.left(), a.y()), QPointF(plot.right(), a.y())},
                         std::max(marker, ChartFrame::spanClearance(metrics))});
    obstacles.push_back({{QPointF(a.x(), plot.bottom()), a}, marker});
    obstacles.push_back({{QPointF(b.x(), plot.bottom()), b}, marker});
    if (m_options.measurement) {
        for (const QPointF &sample : m_options.measurement->samples)
            obstacles.push_back({{ChartFrame::map(plot, x, y, sample.x() > 180.0 ? 360.0 - sample.x() : sample.x(),
                                                  plottedValue(sample.y()))},
                                 metrics.units(kMeasuredDot) + ChartFrame::lineClearance(metrics, 0.0)});
    }

    // Below the arrow between the flanks; else beside an end of the arrow,
    // above the level line or below it; else the clear place nearest.
    const QSizeF size = below.size();
    const double gap = metrics.units(0.5);
    const double above = a.y() - gap - size.height();
    const std::vector<QPointF> candidates = {below.topLeft(),
                                             {b.x() + gap, above},
                                             {a.x() - gap - size.width(), above},
                                             {b.x() + gap, a.y() + gap},
                                             {a.x() - gap - size.width(), a.y() + gap}};
    const double margin = metrics.units(0.3);
    const std::optional<QRectF> box = ClearBox(size, candidates, plot.adjusted(margin, margin, -margin, -margin),
                                               obstacles, (a + b) / 2, metrics.units(0.5));
    labels.beamWidth = PlacedLabel{text, box.value_or(below)};
    labels.beamWidthBackdrop = !box;
}

QString LabelledPatterns::decibels(double value) const
{
    return m_text.fixed(value, 0) + QLatin1Char(' ') + m_text.phrase(QT_TRANSLATE_NOOP("Labelled", "dB"));
}

QString LabelledPatterns::dbi(double value) const
{
    return m_text.phrase(QT_TRANSLATE_NOOP("Labelled", "%1 dBi")).arg(m_text.fixed(value, 0));
}

std::vector<PolarRing> LabelledPatterns::rings() const
{
    std::vector<PolarRing> rings;
    if (m_options.scale == LabelledScale::Linear) {
        for (int i = 1; i <= 5; ++i)
            rings.push_back({i / 5.0, m_text.fixed(i / 5.0, 1)});
        return rings;
    }
    for (double db = 0.0; db > -m_options.rangeDb + 1e-9; db -= kDbStep)
        rings.push_back(
            {(db + m_options.rangeDb) / m_options.rangeDb, commonScale() ? dbi(db + m_topDbi) : decibels(db)});
    return rings;
}

std::vector<double> LabelledPatterns::polarRadii(const std::vector<double> &normalised, double offsetDb) const
{
    // The lower half from 0° to 180°, then its mirror image back to 360°.
    const size_t half = normalised.size() - 1;
    std::vector<double> radii(2 * half + 1);
    for (size_t i = 0; i <= half; ++i) {
        radii[i] = scaled(normalised[i], offsetDb);
        radii[2 * half - i] = radii[i];
    }
    return radii;
}

void LabelledPatterns::paintPolar(QPainter &painter, const QRectF &area) const
{
    painter.save();
    const LabelledMetrics metrics(area);
    const LegendPlacement column = paintHeading(View::Polar, painter, area, metrics);
    PolarFrame polar(painter, column.plotArea, metrics, m_text);
    polar.drawGrid(rings());
    polar.drawAxis();
    std::vector<std::vector<double>> radii;
    for (const Pattern &pattern : m_patterns)
        radii.push_back(polarRadii(pattern.normalised, offsetDb(pattern)));
    // Every tint first, then every curve, so no tint covers a curve.
    for (size_t i = 0; m_options.fill && i < radii.size(); ++i)
        polar.fillCurve(radii[i], qtColour(m_patterns[i].curve.colour));
    for (size_t i = 0; i < radii.size(); ++i) {
        if (!m_patterns[i].readouts.zeroPattern)
            polar.drawCurve(radii[i], qtColour(m_patterns[i].curve.colour), false);
    }
    drawComparison(polar);
    drawMeasurement(painter, polar, metrics);
    polar.drawLabels(rings());
    DrawLegend(painter, column.legendTopLeft, legend(false), metrics, column.legend);
    painter.restore();
}

ChartSeries LabelledPatterns::rectangularSeries(const Pattern &pattern) const
{
    ChartSeries series;
    series.colour = qtColour(pattern.curve.colour);
    series.points.reserve(pattern.normalised.size());
    for (size_t i = 0; i < pattern.normalised.size(); ++i)
        series.points.emplace_back(double(i) / pattern.stepsPerDegree,
                                   plottedValue(pattern.normalised[i], offsetDb(pattern)));
    return series;
}

double LabelledPatterns::plottedValue(double normalised, double offsetDb) const
{
    // scaled() gives the dB scale's fraction of its range above the bottom.
    const double fraction = scaled(normalised, offsetDb);
    return m_options.scale == LabelledScale::Linear ? fraction : (fraction - 1.0) * m_options.rangeDb + topDb();
}

void LabelledPatterns::drawComparison(PolarFrame &polar) const
{
    if (!m_options.comparison)
        return;
    constexpr int kComparisonStepsPerDegree = 4;
    const std::vector<double> normalised = ResampleDegrees(m_options.comparison->samples, kComparisonStepsPerDegree);
    polar.drawCurve(polarRadii(normalised), m_options.comparison->colour, false, Qt::DashLine);
}

ChartSeries LabelledPatterns::comparisonSeries() const
{
    ChartSeries series;
    series.colour = m_options.comparison->colour;
    series.style = Qt::DashLine;
    for (const QPointF &sample : m_options.comparison->samples)
        series.points.emplace_back(sample.x(), plottedValue(sample.y()));
    return series;
}

void LabelledPatterns::drawComparison(ChartFrame &chart) const
{
    if (m_options.comparison)
        chart.drawSeries(comparisonSeries());
}

// The measured points: round the whole polar picture at their own angles,
// and on the rectangular chart at the angle within 0° to 180° that mirrors
// theirs, as the theory's curve is drawn.
void LabelledPatterns::drawMeasurement(QPainter &painter, const PolarFrame &polar, const LabelledMetrics &metrics) const
{
    if (!m_options.measurement)
        return;
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_options.measurement->colour);
    const double radius = metrics.units(kMeasuredDot);
    for (const QPointF &sample : m_options.measurement->samples)
        painter.drawEllipse(polar.map(sample.x(), scaled(sample.y())), radius, radius);
    painter.restore();
}

void LabelledPatterns::drawMeasurement(QPainter &painter, const ChartFrame &chart, const LabelledMetrics &metrics) const
{
    if (!m_options.measurement)
        return;
    painter.save();
    painter.setClipRect(
        chart.plotArea().adjusted(-metrics.units(0.5), -metrics.units(0.5), metrics.units(0.5), metrics.units(0.5)));
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_options.measurement->colour);
    const double radius = metrics.units(kMeasuredDot);
    for (const QPointF &sample : m_options.measurement->samples) {
        const double theta = sample.x() > 180.0 ? 360.0 - sample.x() : sample.x();
        painter.drawEllipse(chart.map(theta, plottedValue(sample.y())), radius, radius);
    }
    painter.restore();
}

void LabelledPatterns::markHalfPower(ChartFrame &chart, double level, const Labels &labels) const
{
    const QColor marker = FrameColour();
    for (const Pattern &pattern : m_patterns) {
        const PatternReadouts &r = pattern.readouts;
        if (r.zeroPattern)
            continue;
        if (isFamily()) {
            chart.drawTick(*r.halfPowerLowerDeg, level, qtColour(pattern.curve.colour));
            chart.drawTick(*r.halfPowerUpperDeg, level, qtColour(pattern.curve.colour));
            continue;
        }
        chart.drawVerticalLine(*r.halfPowerLowerDeg, level, marker, Qt::DashLine);
        chart.drawVerticalLine(*r.halfPowerUpperDeg, level, marker, Qt::DashLine);
        if (labels.beamWidth)
            chart.drawSpan(*r.halfPowerLowerDeg, *r.halfPowerUpperDeg, level, marker, *labels.beamWidth,
                           labels.beamWidthBackdrop);
    }
}

ChartAxis LabelledPatterns::xAxis() const
{
    ChartAxis axis;
    axis.from = 0.0;
    axis.to = 180.0;
    axis.tickStep = 30.0;
    axis.decimals = 0;
    axis.title = m_text.phrase(QT_TRANSLATE_NOOP("Labelled", "θ, angle from the dipole axis"));
    axis.suffix = QStringLiteral("°");
    return axis;
}

double HalfPowerLevel(LabelledScale scale)
{
    return scale == LabelledScale::Linear ? kHalfPower : 10.0 * std::log10(0.5);
}

double LabelledPatterns::halfPowerLevel() const
{
    return HalfPowerLevel(m_options.scale);
}

ChartAxis LabelledPatterns::yAxis() const
{
    ChartAxis axis;
    if (m_options.scale == LabelledScale::Linear) {
        axis = ChartAxis{0.0, 1.0, 0.2, 1, m_text.phrase(QT_TRANSLATE_NOOP("Labelled", "F / Fmax")), {}, {}};
        axis.marks.push_back({kHalfPower, m_text.fixed(kHalfPower, 3)});
    } else if (commonScale()) {
        axis = ChartAxis{m_topDbi - m_options.rangeDb,
                         m_topDbi,
                         kDbStep,
                         0,
                         m_text.phrase(QT_TRANSLATE_NOOP("Labelled", "directive gain, dBi")),
                         {},
                         {}};
    } else {
        axis = ChartAxis{
            -m_options.rangeDb, 0.0, kDbStep, 0, m_text.phrase(QT_TRANSLATE_NOOP("Labelled", "F / Fmax, dB")), {}, {}};
        axis.marks.push_back({halfPowerLevel(), decibels(-3.0)});
    }
    return axis;
}

void LabelledPatterns::paintRectangular(QPainter &painter, const QRectF &area) const
{
    painter.save();
    const LabelledMetrics metrics(area);
    const LegendPlacement column = paintHeading(View::Rectangular, painter, area, metrics);
    ChartFrame chart(painter, column.plotArea, metrics, m_text, xAxis(), yAxis());
    chart.drawGrid();

    const double level = halfPowerLevel();
    if (!commonScale())
        chart.drawHorizontalLine(level, FrameColour(), Qt::DashLine);
    std::vector<ChartSeries> series;
    for (const Pattern &pattern : m_patterns)
        series.push_back(rectangularSeries(pattern));
    for (size_t i = 0; m_options.fill && i < series.size(); ++i)
        chart.fillSeries(series[i]);
    for (size_t i = 0; i < series.size(); ++i) {
        if (!m_patterns[i].readouts.zeroPattern)
            chart.drawSeries(series[i]);
    }
    drawComparison(chart);
    drawMeasurement(painter, chart, metrics);
    if (!commonScale()) {
        Labels labels;
        placeBeamWidth(labels, chart.plotArea(), metrics);
        markHalfPower(chart, level, labels);
    }
    DrawLegend(painter, column.legendTopLeft, legend(!commonScale()), metrics, column.legend);
    painter.restore();
}
