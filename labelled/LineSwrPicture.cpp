#include "LineSwrPicture.h"

#include "ChartAxes.h"
#include "ChartFrame.h"
#include "LabelledStyle.h"
#include "physics/StandingWaveRatio.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kLeastReach = 600.0;
constexpr double kSwrTop = 9.0;
constexpr int kSamples = 601;
// The least height between the SWR axis's labels, in units (its labels are
// two units high).
constexpr double kLeastTickSpacing = 3.0;
// The lines a student meets: coaxial cables and the twin-lead.
constexpr double kCommonLines[] = {50.0, 75.0, 300.0};

const QColor kTheory(0x1f, 0x3a, 0x93);
const QColor kNec(0xb0, 0x30, 0x30);
const QColor kBest(0x2e, 0x7d, 0x32);

ChartSeries curve(const Impedance &z, double reach, double top, const QColor &colour, Qt::PenStyle style)
{
    ChartSeries series;
    series.colour = colour;
    series.style = style;
    // From a hair above 0: on a line of no resistance the SWR is infinite.
    for (int i = 1; i < kSamples; ++i) {
        const double r0 = reach * i / (kSamples - 1);
        series.points.emplace_back(r0, std::min(StandingWaveRatio(z, r0), 2.0 * top));
    }
    return series;
}

QString ohms(const LabelledText &text)
{
    return text.phrase(QT_TRANSLATE_NOOP("Labelled", "Ω"));
}

// SWR from 1 to 9, or to three times the least SWR where that is higher (a
// wire far from resonance), so that the dip always shows.
ChartAxis swrAxis(const LabelledText &text, const LineSwrPicture &picture)
{
    double least = StandingWaveRatio(picture.input, BestLineResistance(picture.input));
    if (picture.nec)
        least = std::min(least, StandingWaveRatio(*picture.nec, BestLineResistance(*picture.nec)));
    const QString title = text.phrase(QT_TRANSLATE_NOOP("Labelled", "SWR"));
    if (3.0 * least > kSwrTop) {
        const double step = RoundStep(3.0 * least - 1.0, 5);
        return RoundAxis(1.0, std::ceil(3.0 * least / step) * step, 5, title);
    }
    ChartAxis y = RoundAxis(1.0, kSwrTop, 4, title);
    y.tickStep = 1.0;
    y.decimals = 0;
    return y;
}

QString impedanceText(const LabelledText &text, const Impedance &z)
{
    return QStringLiteral("%1 %2 j%3 %4")
        .arg(text.fixed(z.resistance, 1), z.reactance < 0.0 ? QStringLiteral("−") : QStringLiteral("+"),
             text.fixed(std::fabs(z.reactance), 1), ohms(text));
}

QString commonLinesText(const LabelledText &text, const Impedance &z)
{
    QStringList parts;
    for (const double r0 : kCommonLines)
        parts
            << QStringLiteral("%1 %2: %3").arg(text.fixed(r0, 0), ohms(text), text.fixed(StandingWaveRatio(z, r0), 2));
    return parts.join(QStringLiteral(", "));
}

} // namespace

double LineSwrReach(const LineSwrPicture &picture)
{
    double best = BestLineResistance(picture.input);
    if (picture.nec)
        best = std::max(best, BestLineResistance(*picture.nec));
    return std::max(kLeastReach, std::ceil(1.25 * best / 100.0) * 100.0);
}

void PaintLineSwrPicture(QPainter &painter, const QRectF &area, const LineSwrPicture &picture)
{
    const LabelledMetrics metrics(area);
    const LabelledText text(picture.language);
    const double best = BestLineResistance(picture.input);
    const QString title = text.phrase(QT_TRANSLATE_NOOP("Labelled", "SWR against the line's resistance, M = %1"))
                              .arg(text.number(picture.length));
    const QString subtitle =
        text.phrase(QT_TRANSLATE_NOOP("Labelled", "Z = %1; the least SWR %2 on a line of %3 Ω; %4"))
            .arg(impedanceText(text, picture.input), text.fixed(StandingWaveRatio(picture.input, best), 2),
                 text.fixed(best, 0), commonLinesText(text, picture.input));
    const QRectF body = DrawTitleBlock(painter, area, metrics, title, subtitle);
    std::vector<LegendEntry> legend = {
        {text.phrase(QT_TRANSLATE_NOOP("Labelled", "theory")), kTheory, Qt::SolidLine, {}},
        {text.phrase(QT_TRANSLATE_NOOP("Labelled", "the best line, R₀ = |Z|")), kBest, Qt::DashLine, {}},
    };
    if (picture.nec)
        legend.push_back({QStringLiteral("NEC-2"), kNec, Qt::DashLine, impedanceText(text, *picture.nec)});
    const LegendPlacement place = PlaceLegend(body, legend, metrics);
    const double reach = LineSwrReach(picture);
    ChartAxis x = RoundAxis(0.0, reach, 6, text.phrase(QT_TRANSLATE_NOOP("Labelled", "line resistance R₀, Ω")));
    for (const double r0 : kCommonLines)
        x.marks.emplace_back(r0, text.fixed(r0, 0));
    ChartAxis y = swrAxis(text, picture);
    // On a plot too low for a label at every step (a small window), every
    // other step, and so on, so that the labels keep apart.
    while (ChartFrame::layout(place.plotArea, metrics, text, x, y).height() * y.tickStep / (y.to - y.from)
           < metrics.units(kLeastTickSpacing))
        y.tickStep *= 2.0;
    ChartFrame chart(painter, place.plotArea, metrics, text, x, y);
    chart.drawGrid();
    for (const double r0 : kCommonLines)
        chart.drawVerticalLine(r0, y.to, FrameColour(), Qt::DotLine);
    chart.drawVerticalLine(best, y.to, kBest, Qt::DashLine);
    painter.save();
    painter.setClipRect(chart.plotArea());
    chart.drawSeries(curve(picture.input, reach, y.to, kTheory, Qt::SolidLine));
    if (picture.nec)
        chart.drawSeries(curve(*picture.nec, reach, y.to, kNec, Qt::DashLine));
    painter.restore();
    DrawLegend(painter, place.legendTopLeft, legend, metrics, place.legend);
}
