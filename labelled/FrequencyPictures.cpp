#include "FrequencyPictures.h"

#include "ChartAxes.h"
#include "ChartFrame.h"
#include "LabelledStyle.h"
#include "SmithChart.h"

#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace {

const QColor kResistance(0x1f, 0x3a, 0x93);
const QColor kReactance(0xb0, 0x30, 0x30);
const QColor kResonance(0x2e, 0x7d, 0x32);
const QColor kBand(0xdc, 0xef, 0xdc);
// Beyond these R and X (towards a current node) and the SWR run off the plot.
constexpr double kImpedanceReach = 5000.0;
constexpr double kSwrTop = 10.0;
constexpr double kSwrShare = 0.55;
// The intervals the SWR's and the return loss's axes aim at where their
// labels have room.
constexpr int kSwrTicks = 9;
constexpr int kLossTicks = 4;

struct FrequencyUnit
{
    double scale;
    const char *name; // marked for translation
};

FrequencyUnit unitFor(double hertz)
{
    if (hertz >= 1e9)
        return {1e9, QT_TRANSLATE_NOOP("Labelled", "GHz")};
    if (hertz >= 1e6)
        return {1e6, QT_TRANSLATE_NOOP("Labelled", "MHz")};
    if (hertz >= 1e3)
        return {1e3, QT_TRANSLATE_NOOP("Labelled", "kHz")};
    return {1.0, QT_TRANSLATE_NOOP("Labelled", "Hz")};
}

Qt::PenStyle styleOf(FrequencySource source)
{
    switch (source) {
    case FrequencySource::Theory: return Qt::SolidLine;
    case FrequencySource::Nec: return Qt::DashLine;
    case FrequencySource::Measured: return Qt::DotLine;
    }
    return Qt::SolidLine;
}

QString sourceName(const LabelledText &text, FrequencySource source)
{
    switch (source) {
    case FrequencySource::Theory: return text.phrase(QT_TRANSLATE_NOOP("Labelled", "theory"));
    case FrequencySource::Nec: return QStringLiteral("NEC-2");
    case FrequencySource::Measured: return text.phrase(QT_TRANSLATE_NOOP("Labelled", "measured"));
    }
    return {};
}

// The closed form's crossings are placed on the model itself; NEC-2's and a
// measurement's between their points.
std::vector<double> seriesResonances(const FrequencyPicture &picture, const FrequencySeries &series)
{
    if (series.source != FrequencySource::Theory)
        return ResonantFrequencies(series.points);
    return ResonantFrequencies({picture.lengthMetres, picture.radiusMetres, picture.referenceResistance},
                               series.points);
}

std::optional<SwrBand> seriesBand(const FrequencyPicture &picture, const FrequencySeries &series)
{
    if (series.source != FrequencySource::Theory)
        return BandWithinSwr(series.points, picture.swrLimit);
    return BandWithinSwr({picture.lengthMetres, picture.radiusMetres, picture.referenceResistance}, series.points,
                         picture.swrLimit);
}

using PointValue = std::function<std::optional<double>(const FrequencyPoint &)>;

std::optional<double> resistanceOf(const FrequencyPoint &p)
{
    return p.input ? std::optional(p.input->resistance) : std::nullopt;
}

std::optional<double> reactanceOf(const FrequencyPoint &p)
{
    return p.input ? std::optional(p.input->reactance) : std::nullopt;
}

std::optional<double> swrOf(const FrequencyPoint &p)
{
    return p.swr && std::isfinite(*p.swr) ? p.swr : std::nullopt;
}

std::optional<double> returnLossOf(const FrequencyPoint &p)
{
    const double loss = -20.0 * std::log10(std::abs(p.reflection));
    return std::isfinite(loss) ? std::optional(loss) : std::nullopt;
}

// The series' values as lines broken where a value is missing, or as dots
// for a measurement.
void drawValues(QPainter &painter, ChartFrame &chart, const LabelledMetrics &metrics, const FrequencySeries &series,
                double scale, const PointValue &value, const QColor &colour)
{
    if (series.source == FrequencySource::Measured) {
        painter.save();
        painter.setClipRect(chart.plotArea());
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        const double radius = metrics.units(0.4);
        for (const FrequencyPoint &point : series.points) {
            if (const std::optional<double> y = value(point))
                painter.drawEllipse(chart.map(point.frequency / scale, *y), radius, radius);
        }
        painter.restore();
        return;
    }
    std::vector<QPointF> run;
    const auto flush = [&] {
        if (run.size() > 1)
            chart.drawSeries({run, colour, styleOf(series.source)});
        run.clear();
    };
    for (const FrequencyPoint &point : series.points) {
        if (const std::optional<double> y = value(point))
            run.emplace_back(point.frequency / scale, *y);
        else
            flush();
    }
    flush();
}

struct Range
{
    double low = INFINITY;
    double high = -INFINITY;
    void take(double v)
    {
        low = std::min(low, v);
        high = std::max(high, v);
    }
    bool empty() const { return !(high >= low); }
};

Range frequencyRange(const FrequencyPicture &picture)
{
    Range range;
    for (const FrequencySeries &series : picture.series) {
        for (const FrequencyPoint &point : series.points)
            range.take(point.frequency);
    }
    return range;
}

Range valueRange(const FrequencyPicture &picture, const std::vector<PointValue> &values, double reach)
{
    Range range;
    for (const FrequencySeries &series : picture.series) {
        for (const FrequencyPoint &point : series.points) {
            for (const PointValue &value : values) {
                if (const std::optional<double> v = value(point))
                    range.take(std::clamp(*v, -reach, reach));
            }
        }
    }
    return range;
}

ChartAxis frequencyAxis(const LabelledText &text, const Range &range, const FrequencyUnit &unit)
{
    const double high = std::max(range.high, range.low * (1.0 + 1e-6) + 1e-9);
    return RoundAxis(range.low / unit.scale, high / unit.scale, 8,
                     text.phrase(QT_TRANSLATE_NOOP("Labelled", "frequency, %1")).arg(text.phrase(unit.name)));
}

// The legend: the quantities in their colours, then the sources' line
// styles when more than one source is drawn.
std::vector<LegendEntry> legendEntries(const LabelledText &text, const FrequencyPicture &picture,
                                       const std::vector<std::pair<QString, QColor>> &quantities)
{
    std::vector<LegendEntry> legend;
    for (const auto &[name, colour] : quantities)
        legend.push_back({name, colour, Qt::SolidLine, {}});
    if (picture.series.size() > 1) {
        for (const FrequencySeries &series : picture.series)
            legend.push_back({sourceName(text, series.source), FrameColour(), styleOf(series.source), {}});
    }
    return legend;
}

QString wireTitle(const LabelledText &text, const FrequencyPicture &picture, const char *what)
{
    return text.phrase(what).arg(text.number(picture.lengthMetres), text.number(picture.radiusMetres * 1e3));
}

// Each source's resonances, "theory 14.147 MHz; NEC-2 14.020 MHz".
QString resonanceList(const LabelledText &text, const FrequencyPicture &picture)
{
    QStringList parts;
    for (const FrequencySeries &series : picture.series) {
        QStringList frequencies;
        for (const double f : seriesResonances(picture, series))
            frequencies << FrequencyText(text, f, 3);
        if (!frequencies.isEmpty())
            parts << sourceName(text, series.source) + QLatin1Char(' ') + frequencies.join(QStringLiteral(", "));
    }
    return parts.isEmpty()
               ? text.phrase(QT_TRANSLATE_NOOP("Labelled", "no resonance in this band"))
               : text.phrase(QT_TRANSLATE_NOOP("Labelled", "resonance: %1")).arg(parts.join(QStringLiteral("; ")));
}

QString bandList(const LabelledText &text, const FrequencyPicture &picture)
{
    QStringList parts;
    for (const FrequencySeries &series : picture.series) {
        const std::optional<SwrBand> band = seriesBand(picture, series);
        const QString name = sourceName(text, series.source);
        if (!band) {
            parts << text.phrase(QT_TRANSLATE_NOOP("Labelled", "%1 none")).arg(name);
            continue;
        }
        const double centre = (band->low + band->high) / 2.0;
        parts << text.phrase(QT_TRANSLATE_NOOP("Labelled", "%1 %2 to %3 (%4 %)"))
                     .arg(name, FrequencyText(text, band->low, 3), FrequencyText(text, band->high, 3),
                          text.fixed(centre > 0.0 ? (band->high - band->low) / centre * 100.0 : 0.0, 2));
    }
    return text.phrase(QT_TRANSLATE_NOOP("Labelled", "SWR ≤ %1: %2"))
        .arg(text.number(picture.swrLimit), parts.join(QStringLiteral("; ")));
}

void shadeBand(QPainter &painter, const ChartFrame &chart, const FrequencyPicture &picture, const ChartAxis &y,
               double scale)
{
    if (picture.series.empty())
        return;
    const std::optional<SwrBand> band = seriesBand(picture, picture.series.front());
    if (!band)
        return;
    painter.save();
    painter.setClipRect(chart.plotArea());
    painter.fillRect(QRectF(chart.map(band->low / scale, y.to), chart.map(band->high / scale, y.from)), kBand);
    painter.restore();
}

// The intervals, at most `most`, whose labels up the plot stand clear of
// each other: a short plot (a small window's) gets fewer, rounder steps.
int clearTicks(const QRectF &plot, const LabelledMetrics &metrics, int most)
{
    const int fit = int(std::floor(plot.height() / ChartFrame::tickLabelHeight(metrics)));
    return std::clamp(fit, 1, most);
}

} // namespace

QString FrequencyText(const LabelledText &text, double hertz, int decimals)
{
    const FrequencyUnit unit = unitFor(std::fabs(hertz));
    return text.fixed(hertz / unit.scale, decimals) + QChar(0x00a0) + text.phrase(unit.name);
}

void PaintFrequencyImpedance(QPainter &painter, const QRectF &area, const FrequencyPicture &picture)
{
    const LabelledMetrics metrics(area);
    const LabelledText text(picture.language);
    const QRectF body = DrawTitleBlock(
        painter, area, metrics,
        wireTitle(text, picture, QT_TRANSLATE_NOOP("Labelled", "Input impedance of a wire %1 m long, %2 mm in radius")),
        resonanceList(text, picture));
    const Range frequencies = frequencyRange(picture);
    if (frequencies.empty())
        return;
    const std::vector<LegendEntry> legend =
        legendEntries(text, picture,
                      {{text.phrase(QT_TRANSLATE_NOOP("Labelled", "resistance R")), kResistance},
                       {text.phrase(QT_TRANSLATE_NOOP("Labelled", "reactance X")), kReactance}});
    const LegendPlacement place = PlaceLegend(body, legend, metrics);
    const FrequencyUnit unit = unitFor(frequencies.high);
    Range values = valueRange(picture, {resistanceOf, reactanceOf}, kImpedanceReach);
    values.take(0.0);
    const ChartAxis y = FittedAxis(values.low, values.high, 6, text.phrase(QT_TRANSLATE_NOOP("Labelled", "Ω")));
    ChartFrame chart(painter, place.plotArea, metrics, text, frequencyAxis(text, frequencies, unit), y);
    chart.drawGrid();
    chart.drawHorizontalLine(0.0, FrameColour(), Qt::SolidLine);
    for (const FrequencySeries &series : picture.series) {
        for (const double f : seriesResonances(picture, series))
            chart.drawVerticalLine(f / unit.scale, y.to, kResonance, styleOf(series.source));
        drawValues(painter, chart, metrics, series, unit.scale, resistanceOf, kResistance);
        drawValues(painter, chart, metrics, series, unit.scale, reactanceOf, kReactance);
    }
    DrawLegend(painter, place.legendTopLeft, legend, metrics, place.legend);
}

void PaintFrequencySwr(QPainter &painter, const QRectF &area, const FrequencyPicture &picture)
{
    const LabelledMetrics metrics(area);
    const LabelledText text(picture.language);
    const QRectF body = DrawTitleBlock(
        painter, area, metrics,
        wireTitle(text, picture,
                  QT_TRANSLATE_NOOP("Labelled", "SWR and return loss of a wire %1 m long, %2 mm in radius")),
        bandList(text, picture));
    const Range frequencies = frequencyRange(picture);
    if (frequencies.empty())
        return;
    const std::vector<LegendEntry> legend = legendEntries(
        text, picture,
        {{text.phrase(QT_TRANSLATE_NOOP("Labelled", "SWR on %1 Ω")).arg(text.number(picture.referenceResistance)),
          kResistance},
         {text.phrase(QT_TRANSLATE_NOOP("Labelled", "return loss")), kReactance}});
    QRectF upper = body;
    upper.setHeight(body.height() * kSwrShare);
    const LegendPlacement place = PlaceLegend(upper, legend, metrics);
    const FrequencyUnit unit = unitFor(frequencies.high);
    ChartAxis x = frequencyAxis(text, frequencies, unit);
    const QString swrTitle = text.phrase(QT_TRANSLATE_NOOP("Labelled", "SWR"));
    ChartAxis swr = RoundAxis(1.0, kSwrTop, kSwrTicks, swrTitle);
    const int swrTicks = clearTicks(ChartFrame::layout(place.plotArea, metrics, text, x, swr), metrics, kSwrTicks);
    if (swrTicks < kSwrTicks)
        swr = RoundAxis(1.0, kSwrTop, swrTicks, swrTitle);
    swr.marks.emplace_back(picture.swrLimit, text.number(picture.swrLimit));
    ChartFrame top(painter, place.plotArea, metrics, text, x, swr);
    shadeBand(painter, top, picture, swr, unit.scale);
    top.drawGrid();
    top.drawHorizontalLine(picture.swrLimit, kResonance, Qt::DashLine);
    for (const FrequencySeries &series : picture.series)
        drawValues(painter, top, metrics, series, unit.scale, swrOf, kResistance);
    DrawLegend(painter, place.legendTopLeft, legend, metrics, place.legend);

    // The return loss beneath, its plot under the SWR's.
    Range losses = valueRange(picture, {returnLossOf}, 80.0);
    losses.take(0.0);
    losses.take(20.0);
    const QString lossTitle = text.phrase(QT_TRANSLATE_NOOP("Labelled", "return loss, dB"));
    ChartAxis loss = FittedAxis(0.0, losses.high, kLossTicks, lossTitle);
    QRectF lower(body.left(), upper.bottom() + metrics.units(2.0), place.plotArea.right() - body.left(),
                 body.bottom() - upper.bottom() - metrics.units(2.0));
    QRectF plot = ChartFrame::layout(lower, metrics, text, x, loss);
    if (const int lossTicks = clearTicks(plot, metrics, kLossTicks); lossTicks < kLossTicks) {
        loss = FittedAxis(0.0, losses.high, lossTicks, lossTitle);
        plot = ChartFrame::layout(lower, metrics, text, x, loss);
    }
    lower.adjust(top.plotArea().left() - plot.left(), 0.0, top.plotArea().right() - plot.right(), 0.0);
    x.marks.clear();
    ChartFrame bottom(painter, lower, metrics, text, x, loss);
    shadeBand(painter, bottom, picture, loss, unit.scale);
    bottom.drawGrid();
    for (const FrequencySeries &series : picture.series)
        drawValues(painter, bottom, metrics, series, unit.scale, returnLossOf, kReactance);
}

void PaintFrequencySmith(QPainter &painter, const QRectF &area, const FrequencyPicture &picture)
{
    const LabelledText text(picture.language);
    SmithChartPicture smith;
    smith.referenceResistance = picture.referenceResistance;
    smith.language = picture.language;
    const QColor colours[] = {kResistance, kReactance, kResonance};
    for (const FrequencySeries &series : picture.series) {
        SmithCurve curve{sourceName(text, series.source),
                         colours[int(series.source)],
                         styleOf(series.source),
                         series.source == FrequencySource::Measured,
                         {}};
        for (const FrequencyPoint &point : series.points)
            curve.reflections.push_back(point.reflection);
        smith.curves.push_back(curve);
    }
    if (!picture.series.empty()) {
        // The band's ends and the resonances of the first series, at the
        // reflections of the nearest points.
        const std::vector<FrequencyPoint> &points = picture.series.front().points;
        const auto at = [&](double f) {
            const auto nearest = std::min_element(points.begin(), points.end(), [f](const auto &a, const auto &b) {
                return std::fabs(a.frequency - f) < std::fabs(b.frequency - f);
            });
            return nearest->reflection;
        };
        if (const std::optional<SwrBand> band = seriesBand(picture, picture.series.front())) {
            smith.markers.push_back({FrequencyText(text, band->low, 3), at(band->low), kResonance});
            smith.markers.push_back({FrequencyText(text, band->high, 3), at(band->high), kResonance});
        }
        for (const double f : seriesResonances(picture, picture.series.front()))
            smith.markers.push_back({FrequencyText(text, f, 3), at(f), kReactance});
    }
    PaintSmithChart(painter, area, smith);
}
