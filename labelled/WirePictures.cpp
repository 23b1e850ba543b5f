#include "WirePictures.h"

#include "ChartAxes.h"
#include "ChartFrame.h"
#include "LabelledStyle.h"
#include "physics/CurrentDistribution.h"
#include "physics/CurrentHalfWaves.h"

#include <QPainter>
#include <QStringList>

#include <functional>

#include <utility>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kCurrentSamples = 2001;
constexpr double kFeedLabelSize = 2.4;
// The impedance chart's vertical reach: beyond it R and X run off the plot
// (towards the current nodes they grow without bound).
constexpr double kImpedanceReach = 1500.0;
constexpr double kSwrReach = 9.0;
// The impedance chart's share of the area when the SWR chart goes beneath.
constexpr double kImpedanceShare = 0.62;

const QColor kTheory(0x1f, 0x3a, 0x93);
const QColor kNec(0xb0, 0x30, 0x30);
const QColor kNecQuadrature(0xe0, 0x8a, 0x3c);
const QColor kReactance(0xb0, 0x30, 0x30);
const QColor kResonance(0x2e, 0x7d, 0x32);
// The closed form's own: the shading where it is not the wire.
const QColor kOutsideModel(0x80, 0x80, 0x80);
const QColor kOutsideModelShade(0x80, 0x80, 0x80, 0x38);

// Runs of consecutive present values, each a series of its own, so that a
// curve breaks where a value is missing (a current node).
template <class Value> std::vector<std::vector<QPointF>> runs(const std::vector<ImpedancePoint> &points, Value value)
{
    std::vector<std::vector<QPointF>> result(1);
    for (const ImpedancePoint &point : points) {
        const std::optional<double> y = value(point);
        if (y)
            result.back().emplace_back(point.length, *y);
        else if (!result.back().empty())
            result.emplace_back();
    }
    return result;
}

void drawRuns(ChartFrame &chart, const std::vector<std::vector<QPointF>> &lines, const QColor &colour)
{
    for (const std::vector<QPointF> &line : lines) {
        if (line.size() > 1)
            chart.drawSeries({line, colour});
    }
}

// NEC-2's values as one series: a moment-method solution has no current
// node, so the curve never breaks.
template <class Value> std::vector<QPointF> necSeries(const std::vector<SampledImpedance> &samples, Value value)
{
    std::vector<QPointF> points;
    points.reserve(samples.size());
    for (const SampledImpedance &sample : samples)
        points.emplace_back(sample.length, value(sample));
    return points;
}

void drawNecSeries(ChartFrame &chart, std::vector<QPointF> points, const QColor &colour)
{
    if (points.size() > 1)
        chart.drawSeries({std::move(points), colour, Qt::DashLine});
}

// A zero of the reactance that only the closed form has.
bool modelOnly(const ImpedancePicture &picture, const ReactanceZero &zero)
{
    return ResonanceBeyondClosedForm(zero.length, picture.radius);
}

// A zero's length, in parentheses where it is the closed form's alone.
QString zeroText(const LabelledText &text, const ImpedancePicture &picture, const ReactanceZero &zero)
{
    const QString length = text.fixed(zero.length, 3);
    return modelOnly(picture, zero) ? QStringLiteral("(%1)").arg(length) : length;
}

// The lengths of the zeros rising (or falling) through zero, each as shown gives it.
QString lengthList(const std::vector<ReactanceZero> &zeros, bool rising,
                   const std::function<QString(const ReactanceZero &)> &shown)
{
    QStringList lengths;
    for (const ReactanceZero &zero : zeros) {
        if (zero.rising == rising)
            lengths << shown(zero);
    }
    return lengths.join(QStringLiteral(", "));
}

void shadeOutsideModel(QPainter &painter, const ChartFrame &chart, const ImpedancePicture &picture)
{
    painter.save();
    painter.setClipRect(chart.plotArea());
    const QRectF plot = chart.plotArea();
    for (const LengthSpan &span : picture.outsideModel)
        painter.fillRect(QRectF(QPointF(chart.map(span.from, 0.0).x(), plot.top()),
                                QPointF(chart.map(span.to, 0.0).x(), plot.bottom())),
                         kOutsideModelShade);
    painter.restore();
}

// The impedance chart's vertical axis: fitted to R and X (NEC-2's too) over
// the lengths shown, with 0 in it for the line the resonances sit on, and
// no further than kImpedanceReach either way, since towards a current node
// R and X grow without bound and would flatten everything else.
ChartAxis impedanceAxis(const LabelledText &text, const ImpedancePicture &picture)
{
    double low = 0.0;
    double high = 0.0;
    const auto take = [&](const Impedance &z) {
        low = std::min({low, z.resistance, z.reactance});
        high = std::max({high, z.resistance, z.reactance});
    };
    for (const ImpedancePoint &point : picture.points) {
        if (point.input)
            take(*point.input);
    }
    if (picture.nec) {
        for (const SampledImpedance &sample : picture.nec->samples)
            take(sample.input);
    }
    const QString title = text.phrase(QT_TRANSLATE_NOOP("Labelled", "Ω"));
    if (picture.ohmsAxis)
        return RoundAxis(picture.ohmsAxis->first, picture.ohmsAxis->second, 6, title);
    if (low <= -kImpedanceReach && high >= kImpedanceReach)
        return RoundAxis(-kImpedanceReach, kImpedanceReach, 6, title);
    return FittedAxis(std::max(low, -kImpedanceReach), std::min(high, kImpedanceReach), 6, title);
}

ChartAxis swrAxis(const LabelledText &text, const ImpedancePicture &picture)
{
    ChartAxis y = RoundAxis(
        1.0, kSwrReach, 4,
        text.phrase(QT_TRANSLATE_NOOP("Labelled", "SWR on %1 Ω")).arg(text.number(*picture.referenceResistance)));
    y.tickStep = 2.0;
    y.decimals = 0;
    return y;
}

void paintSwrChart(QPainter &painter, const QRectF &area, const LabelledMetrics &metrics, const LabelledText &text,
                   const ImpedancePicture &picture, const ChartAxis &x)
{
    const ChartAxis y = swrAxis(text, picture);
    ChartAxis lengths = x;
    lengths.marks.clear();
    ChartFrame chart(painter, area, metrics, text, lengths, y);
    chart.drawGrid();
    drawRuns(chart, runs(picture.points, [](const ImpedancePoint &p) { return p.swr; }), kTheory);
    if (picture.nec)
        drawNecSeries(chart,
                      necSeries(picture.nec->samples, [](const SampledImpedance &s) { return s.swr.value_or(0.0); }),
                      kTheory);
    if (picture.markedLength)
        chart.drawVerticalLine(*picture.markedLength, kSwrReach, FrameColour(), Qt::SolidLine);
}

// A dot where NEC-2's reactance rises through zero (a resonance), a ring
// where it falls (an anti-resonance), on the zero line.
void markNecZeros(QPainter &painter, const ChartFrame &chart, const LabelledMetrics &metrics,
                  const NecImpedanceCurve &nec)
{
    painter.save();
    painter.setClipRect(chart.plotArea());
    const double radius = metrics.units(0.75);
    for (const ReactanceZero &zero : nec.zeros) {
        painter.setPen(metrics.pen(kResonance, 0.3));
        painter.setBrush(zero.rising ? QBrush(kResonance) : QBrush(Qt::white));
        painter.drawEllipse(chart.map(zero.length, 0.0), radius, radius);
    }
    painter.restore();
}

// The second line's words on NEC-2's zeros, after the theory's resonances.
QString necZerosText(const LabelledText &text, const NecImpedanceCurve &nec)
{
    const auto plain = [&](const ReactanceZero &zero) { return text.fixed(zero.length, 3); };
    const QString rising = lengthList(nec.zeros, true, plain);
    const QString falling = lengthList(nec.zeros, false, plain);
    QStringList parts;
    if (!rising.isEmpty())
        parts << QStringLiteral("● ") + rising;
    if (!falling.isEmpty())
        parts << QStringLiteral("○ ") + falling;
    if (parts.isEmpty())
        return text.phrase(QT_TRANSLATE_NOOP("Labelled", "NEC-2: X has no zero"));
    return QStringLiteral("NEC-2: ") + parts.join(QStringLiteral("; "));
}

void appendNecLegend(std::vector<LegendEntry> &legend, const LabelledText &text)
{
    legend.push_back({text.phrase(QT_TRANSLATE_NOOP("Labelled", "NEC-2 R")), kTheory, Qt::DashLine, {}});
    legend.push_back({text.phrase(QT_TRANSLATE_NOOP("Labelled", "NEC-2 X")), kReactance, Qt::DashLine,
                      text.phrase(QT_TRANSLATE_NOOP("Labelled", "● resonance ○ anti-resonance"))});
}

// NEC-2's R and X dashed over the theory's, and its zeros marked.
void drawNecImpedance(QPainter &painter, ChartFrame &chart, const LabelledMetrics &metrics,
                      const NecImpedanceCurve &nec)
{
    drawNecSeries(chart, necSeries(nec.samples, [](const SampledImpedance &s) { return s.input.resistance; }), kTheory);
    drawNecSeries(chart, necSeries(nec.samples, [](const SampledImpedance &s) { return s.input.reactance; }),
                  kReactance);
    markNecZeros(painter, chart, metrics, nec);
}

// The feed's current against the largest, NEC-2's beside it, and the
// half-waves of each sign.
QString currentSubtitle(const LabelledText &text, const CurrentPicture &picture, const std::optional<double> &feed)
{
    if (!feed)
        return text.phrase(QT_TRANSLATE_NOOP("Labelled", "a wire of no length carries no current"));
    QString subtitle =
        text.phrase(QT_TRANSLATE_NOOP("Labelled", "at the feed %1 of the maximum")).arg(text.fixed(*feed, 3));
    if (picture.nec)
        subtitle += QStringLiteral("; NEC-2: %1").arg(text.fixed(picture.nec->feedToMaximum, 3));
    const CurrentHalfWaves halfWaves = FindCurrentHalfWaves(picture.length);
    if (halfWaves.halfWaves.size() == 1)
        return subtitle + QStringLiteral("; ")
               + text.phrase(QT_TRANSLATE_NOOP("Labelled", "one half-wave, in phase with the feed"));
    return subtitle + QStringLiteral("; ")
           + text.phrase(QT_TRANSLATE_NOOP("Labelled", "%1 half-waves: %2 in phase with the feed, %3 opposite"))
                 .arg(halfWaves.halfWaves.size())
                 .arg(halfWaves.inPhase)
                 .arg(halfWaves.opposite);
}

std::vector<LegendEntry> currentLegend(const LabelledText &text, const CurrentPicture &picture)
{
    if (!picture.nec)
        return {};
    return {
        {text.phrase(QT_TRANSLATE_NOOP("Labelled", "sinusoidal current")), kTheory, Qt::SolidLine, {}},
        {text.phrase(QT_TRANSLATE_NOOP("Labelled", "NEC-2 in phase, %1 segments")).arg(picture.nec->segments),
         kNec,
         Qt::DashLine,
         {}},
        {text.phrase(QT_TRANSLATE_NOOP("Labelled", "NEC-2 in quadrature")), kNecQuadrature, Qt::DotLine, {}},
    };
}

// The sinusoid with its sign, filled to the zero line; NEC-2's complex
// current as its two parts against the feed's phase: the part in phase is
// what the sinusoid models, the part in quadrature what it leaves out. In
// the order drawn.
std::vector<ChartSeries> currentSeries(const CurrentPicture &picture)
{
    std::vector<ChartSeries> series;
    const double m = std::fabs(picture.length);
    if (m > 0.0) {
        std::vector<QPointF> points;
        for (const CurrentSample &sample : ComputeCurrentDistribution(m, kCurrentSamples).samples)
            points.emplace_back(sample.z, sample.inPhase);
        series.push_back({points, kTheory, Qt::SolidLine, 0.32, true, 0.0});
    }
    if (!picture.nec)
        return series;
    std::vector<QPointF> inPhase;
    std::vector<QPointF> quadrature;
    for (const NecCurrentSample &sample : picture.nec->currents) {
        inPhase.emplace_back(sample.z, sample.inPhase);
        quadrature.emplace_back(sample.z, sample.quadrature);
    }
    series.push_back({quadrature, kNecQuadrature, Qt::DotLine, {}});
    series.push_back({inPhase, kNec, Qt::DashLine, {}});
    return series;
}

// Everything the current's picture places before it draws.
struct CurrentLayout
{
    QString title;
    QString subtitle;
    std::optional<double> feed;
    std::vector<LegendEntry> legend;
    LegendPlacement place;
    ChartAxis x;
    ChartAxis y;
    CurrentPictureLabels labels;
};

// The feed's label in the first of four places round the mark at `at`
// that lies inside the plot and clear of the lines: up and right, down and
// right, then the same to the left; else in the clear place nearest the
// mark, else up and right.
PlacedLabel feedLabel(const QRectF &plot, const LabelledMetrics &metrics, const QPointF &at, const QString &text,
                      const std::vector<ChartObstacle> &obstacles)
{
    const QFont font = metrics.font(kFeedLabelSize);
    const double offset = metrics.units(1.0);
    const QRectF upRight = AnchoredTextBox(at + QPointF(offset, -offset), Qt::AlignLeft | Qt::AlignBottom, text, font);
    const QSizeF size = upRight.size();
    const std::vector<QPointF> candidates = {upRight.topLeft(), at + QPointF(offset, offset),
                                             at + QPointF(-offset - size.width(), -offset - size.height()),
                                             at + QPointF(-offset - size.width(), offset)};
    const double margin = metrics.units(0.3);
    const std::optional<QRectF> box =
        ClearBox(size, candidates, plot.adjusted(margin, margin, -margin, -margin), obstacles, at, metrics.units(0.5));
    return {text, box.value_or(upRight)};
}

// What the feed's label keeps clear of: the curves, the zero line and the
// feed's line with its mark.
std::vector<ChartObstacle> feedObstacles(const QRectF &plot, const LabelledMetrics &metrics, const ChartAxis &x,
                                         const ChartAxis &y, const CurrentPicture &picture)
{
    std::vector<ChartObstacle> obstacles;
    for (const ChartSeries &series : currentSeries(picture)) {
        ChartObstacle obstacle{{}, ChartFrame::lineClearance(metrics, series.width)};
        for (const QPointF &point : series.points)
            obstacle.points.push_back(ChartFrame::map(plot, x, y, point.x(), point.y()));
        obstacles.push_back(std::move(obstacle));
    }
    const double marker = ChartFrame::lineClearance(metrics, ChartFrame::kMarkerWidth);
    obstacles.push_back({{ChartFrame::map(plot, x, y, x.from, 0.0), ChartFrame::map(plot, x, y, x.to, 0.0)}, marker});
    obstacles.push_back({{ChartFrame::map(plot, x, y, 0.0, y.from), ChartFrame::map(plot, x, y, 0.0, 1.0)}, marker});
    return obstacles;
}

CurrentLayout layOutCurrent(const QRectF &area, const LabelledMetrics &metrics, const LabelledText &text,
                            const CurrentPicture &picture)
{
    CurrentLayout layout;
    const double m = std::fabs(picture.length);
    layout.feed = FeedToMaximumCurrent(m);
    layout.title =
        text.phrase(QT_TRANSLATE_NOOP("Labelled", "Current along the wire, M = %1 λ")).arg(text.number(picture.length));
    layout.subtitle = currentSubtitle(text, picture, layout.feed);
    layout.labels.title = LayOutTitleBlock(area, metrics, layout.title, layout.subtitle);
    layout.legend = currentLegend(text, picture);
    layout.place = PlaceLegend(layout.labels.title.below, layout.legend, metrics);
    const double half = m > 0.0 ? m / 2.0 : 0.25;
    layout.x = RoundAxis(-half, half, 8, text.phrase(QT_TRANSLATE_NOOP("Labelled", "position along the wire, λ")));
    layout.y =
        RoundAxis(-1.0, 1.0, 5,
                  text.phrase(QT_TRANSLATE_NOOP("Labelled", "I against the largest |I|, + in phase with the feed")));
    layout.labels.axisTitles = ChartFrame::titleLabels(layout.place.plotArea, metrics, text, layout.x, layout.y);
    if (layout.feed) {
        const QRectF plot = ChartFrame::layout(layout.place.plotArea, metrics, text, layout.x, layout.y);
        layout.labels.feed =
            feedLabel(plot, metrics, ChartFrame::map(plot, layout.x, layout.y, 0.0, *layout.feed),
                      text.phrase(QT_TRANSLATE_NOOP("Labelled", "feed: %1")).arg(text.fixed(*layout.feed, 3)),
                      feedObstacles(plot, metrics, layout.x, layout.y, picture));
    }
    return layout;
}

} // namespace

CurrentPictureLabels LayOutCurrentPicture(const QRectF &area, const CurrentPicture &picture)
{
    return layOutCurrent(area, LabelledMetrics(area), LabelledText(picture.language), picture).labels;
}

void PaintCurrentPicture(QPainter &painter, const QRectF &area, const CurrentPicture &picture)
{
    const LabelledMetrics metrics(area);
    const LabelledText text(picture.language);
    const CurrentLayout layout = layOutCurrent(area, metrics, text, picture);
    DrawTitleBlock(painter, area, metrics, layout.title, layout.subtitle);
    ChartFrame chart(painter, layout.place.plotArea, metrics, text, layout.x, layout.y);
    chart.drawGrid();
    chart.drawHorizontalLine(0.0, FrameColour(), Qt::SolidLine);
    for (const ChartSeries &series : currentSeries(picture))
        chart.drawSeries(series);
    if (layout.feed) {
        chart.drawVerticalLine(0.0, 1.0, FrameColour(), Qt::DotLine);
        chart.drawTick(0.0, *layout.feed, FrameColour());
    }
    if (layout.labels.feed)
        DrawAnchoredText(painter, layout.labels.feed->box.topLeft(), Qt::AlignLeft | Qt::AlignTop,
                         layout.labels.feed->text, metrics.font(kFeedLabelSize), FrameColour(), true);
    if (!layout.legend.empty())
        DrawLegend(painter, layout.place.legendTopLeft, layout.legend, metrics, layout.place.legend);
}

ImpedancePicture MakeImpedancePicture(double radius, double from, double to, double step,
                                      std::optional<double> referenceResistance)
{
    return CurvePicture(radius, ComputeImpedanceCurve(SteppedLengths(from, to, step), radius, referenceResistance),
                        referenceResistance);
}

NecImpedanceCurve NecCurvePicture(std::vector<SampledImpedance> samples)
{
    NecImpedanceCurve nec;
    nec.zeros = SampledReactanceZeros(samples);
    nec.samples = std::move(samples);
    return nec;
}

ImpedancePicture CurvePicture(double radius, std::vector<ImpedancePoint> points,
                              std::optional<double> referenceResistance)
{
    ImpedancePicture picture;
    picture.radius = radius;
    picture.points = std::move(points);
    if (!picture.points.empty()) {
        picture.zeros = ReactanceZeros(radius, picture.points.front().length, picture.points.back().length);
        picture.outsideModel =
            ClosedFormLimitSpans(radius, picture.points.front().length, picture.points.back().length);
    }
    picture.referenceResistance = referenceResistance;
    return picture;
}

namespace {

// The impedance picture as its texts and sizes lay it out, before anything
// is drawn: the title block, the legend, the chart's place and its axes.
struct ImpedanceLayout
{
    QString title;
    QString subtitle;
    std::vector<LegendEntry> legend;
    QRectF body;  // beneath the title block
    QRectF upper; // the impedance chart's share of body
    LegendPlacement place;
    ChartAxis x;
    ChartAxis y;
};

ImpedanceLayout layOutImpedance(const QRectF &area, const LabelledMetrics &metrics, const LabelledText &text,
                                const ImpedancePicture &picture)
{
    ImpedanceLayout layout;
    layout.title = text.phrase(QT_TRANSLATE_NOOP("Labelled", "Input impedance, wire radius %1 λ"))
                       .arg(text.number(picture.radius));
    const QString rising =
        lengthList(picture.zeros, true, [&](const ReactanceZero &zero) { return zeroText(text, picture, zero); });
    layout.subtitle = rising.isEmpty() ? text.phrase(QT_TRANSLATE_NOOP("Labelled", "no resonance in this range"))
                                       : text.phrase(QT_TRANSLATE_NOOP("Labelled", "resonances at M = %1")).arg(rising);
    if (picture.groundHeight) {
        layout.title = text.phrase(QT_TRANSLATE_NOOP("Labelled", "Input impedance at h = %1 λ"))
                           .arg(text.number(*picture.groundHeight));
        const QString wire =
            picture.groundOrientation == GroundOrientation::Horizontal
                ? text.phrase(QT_TRANSLATE_NOOP("Labelled", "horizontal dipole over a perfect ground, radius %1 λ"))
                : text.phrase(QT_TRANSLATE_NOOP("Labelled", "vertical dipole over a perfect ground, radius %1 λ"));
        layout.subtitle = wire.arg(text.number(picture.radius)) + QStringLiteral("; ") + layout.subtitle;
    }
    if (picture.nec)
        layout.subtitle += QStringLiteral("; ") + necZerosText(text, *picture.nec);
    layout.body = LayOutTitleBlock(area, metrics, layout.title, layout.subtitle).below;
    layout.legend = {
        {text.phrase(QT_TRANSLATE_NOOP("Labelled", "resistance R")), kTheory, Qt::SolidLine, {}},
        {text.phrase(QT_TRANSLATE_NOOP("Labelled", "reactance X")), kReactance, Qt::SolidLine, {}},
        {text.phrase(QT_TRANSLATE_NOOP("Labelled", "X = 0")), kResonance, Qt::DashLine, {}},
    };
    if (picture.nec)
        appendNecLegend(layout.legend, text);
    if (!picture.outsideModel.empty())
        layout.legend.push_back({text.phrase(QT_TRANSLATE_NOOP("Labelled", "shaded, (…): the model's, not the wire's")),
                                 kOutsideModel,
                                 Qt::DotLine,
                                 {}});
    layout.upper = layout.body;
    if (picture.referenceResistance)
        layout.upper.setHeight(layout.body.height() * kImpedanceShare);
    layout.place = PlaceLegend(layout.upper, layout.legend, metrics);
    if (picture.points.empty())
        return layout;
    layout.x = RoundAxis(picture.points.front().length,
                         std::max(picture.points.back().length, picture.points.front().length + 1e-3), 8,
                         text.phrase(QT_TRANSLATE_NOOP("Labelled", "length M, λ")));
    for (const ReactanceZero &zero : picture.zeros)
        layout.x.marks.emplace_back(zero.length, zeroText(text, picture, zero));
    layout.y = impedanceAxis(text, picture);
    return layout;
}

} // namespace

std::optional<ImpedanceChartPlace> LayOutImpedanceChart(const QRectF &area, const ImpedancePicture &picture)
{
    if (picture.points.empty())
        return std::nullopt;
    const LabelledMetrics metrics(area);
    const LabelledText text(picture.language);
    const ImpedanceLayout layout = layOutImpedance(area, metrics, text, picture);
    return ImpedanceChartPlace{ChartFrame::layout(layout.place.plotArea, metrics, text, layout.x, layout.y),
                               layout.x.from, layout.x.to};
}

void PaintImpedancePicture(QPainter &painter, const QRectF &area, const ImpedancePicture &picture)
{
    const LabelledMetrics metrics(area);
    const LabelledText text(picture.language);
    const ImpedanceLayout layout = layOutImpedance(area, metrics, text, picture);
    DrawTitleBlock(painter, area, metrics, layout.title, layout.subtitle);
    const QRectF &body = layout.body;
    const QRectF &upper = layout.upper;
    const LegendPlacement &place = layout.place;
    const std::vector<LegendEntry> &legend = layout.legend;
    if (picture.points.empty())
        return;
    const ChartAxis &x = layout.x;
    const ChartAxis &y = layout.y;
    ChartFrame chart(painter, place.plotArea, metrics, text, x, y);
    chart.drawGrid();
    shadeOutsideModel(painter, chart, picture);
    chart.drawHorizontalLine(0.0, FrameColour(), Qt::SolidLine);
    for (const ReactanceZero &zero : picture.zeros)
        chart.drawVerticalLine(zero.length, y.to, kResonance, zero.rising ? Qt::DashLine : Qt::DotLine);
    if (picture.markedLength)
        chart.drawVerticalLine(*picture.markedLength, y.to, FrameColour(), Qt::SolidLine);
    const auto resistance = [](const ImpedancePoint &p) {
        return p.input ? std::optional(p.input->resistance) : std::nullopt;
    };
    const auto reactance = [](const ImpedancePoint &p) {
        return p.input ? std::optional(p.input->reactance) : std::nullopt;
    };
    drawRuns(chart, runs(picture.points, resistance), kTheory);
    drawRuns(chart, runs(picture.points, reactance), kReactance);
    if (picture.nec)
        drawNecImpedance(painter, chart, metrics, *picture.nec);
    DrawLegend(painter, place.legendTopLeft, legend, metrics, place.legend);
    if (picture.referenceResistance) {
        // The SWR chart beneath, its plot under the impedance chart's.
        QRectF lower(body.left(), upper.bottom() + metrics.units(2.0), place.plotArea.right() - body.left(),
                     body.bottom() - upper.bottom() - metrics.units(2.0));
        const QRectF plot = ChartFrame::layout(lower, metrics, text, x, swrAxis(text, picture));
        lower.adjust(chart.plotArea().left() - plot.left(), 0.0, chart.plotArea().right() - plot.right(), 0.0);
        paintSwrChart(painter, lower, metrics, text, picture, x);
    }
}
