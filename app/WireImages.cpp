#include "WireImages.h"

#include "labelled/ChartFrame.h"
#include "labelled/LabelledStyle.h"
#include "labelled/LabelledText.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kCurrentSamples = 401;
// The impedance chart's ohms: the interesting range of a thin wire; the
// curves that run off it towards a current node are cut at its edge.
constexpr double kOhmsLimit = 1000.0;

const QColor kCurrentColour(0, 0, 128);
const QColor kResistanceColour(0, 0, 128);
const QColor kReactanceColour(128, 0, 0);
const QColor kMarkColour(0, 128, 0);

// The window speaks Russian, its pictures too (with the decimal comma).
LabelledText pictureText()
{
    return LabelledText(LabelledLanguage::Russian);
}

QImage whiteImage(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// A tick step that gives the half-length from 0 to `half` a few labelled ticks.
double positionStep(double half)
{
    for (const double step : {0.01, 0.02, 0.05, 0.1, 0.25, 0.5, 1.0, 2.0, 5.0})
        if (half / step <= 3.0)
            return step;
    return 10.0;
}

int decimalsOf(double step)
{
    return step >= 1.0 ? 0 : step >= 0.1 ? (step == 0.25 ? 2 : 1) : 2;
}

} // namespace

QImage CurrentImage(const WireModel &model, QSize size)
{
    QImage image = whiteImage(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(QPointF(0, 0), QSizeF(size));
    const LabelledMetrics metrics(area);
    const LabelledText text = pictureText();
    const CurrentDistribution current = model.current(kCurrentSamples);
    const QString title = QStringLiteral("Ток вдоль провода, M = %1 λ").arg(text.number(model.length()));
    const QString subtitle =
        current.feedToMaximum
            ? QStringLiteral("ток в точке питания — %1 от наибольшего").arg(text.fixed(*current.feedToMaximum, 3))
            : QString();
    const QRectF body = DrawTitleBlock(painter, area, metrics, title, subtitle);
    if (current.samples.empty())
        return image;

    const double half = current.length / 2.0;
    const double step = positionStep(half);
    ChartAxis x{-half, half, step, decimalsOf(step), QStringLiteral("z, λ"), QString(), {}};
    x.marks.push_back({0.0, QStringLiteral("питание")});
    const ChartAxis y{0.0, 1.05, 0.2, 1, QStringLiteral("|I| / наибольший"), QString(), {}};
    ChartFrame chart(painter, body, metrics, text, x, y);
    chart.drawGrid();
    ChartSeries series;
    series.colour = kCurrentColour;
    series.fill = true;
    for (const CurrentSample &sample : current.samples)
        series.points.emplace_back(sample.z, sample.magnitude);
    chart.drawSeries(series);
    if (current.feedToMaximum) {
        chart.drawVerticalLine(0.0, *current.feedToMaximum, kMarkColour, Qt::DashLine);
        chart.drawTick(0.0, *current.feedToMaximum, kMarkColour);
    }
    return image;
}

namespace {

// One curve's pieces between the current nodes, its values cut a little
// beyond the chart so that a piece leaves the plot at its edge.
std::vector<ChartSeries> impedanceSeries(const std::vector<ImpedancePoint> &points, bool reactance,
                                         const QColor &colour)
{
    std::vector<ChartSeries> pieces(1);
    for (const ImpedancePoint &point : points) {
        if (!point.input) {
            if (!pieces.back().points.empty())
                pieces.emplace_back();
            continue;
        }
        const double value = reactance ? point.input->reactance : point.input->resistance;
        pieces.back().points.emplace_back(point.length, std::clamp(value, -2 * kOhmsLimit, 2 * kOhmsLimit));
    }
    for (ChartSeries &piece : pieces)
        piece.colour = colour;
    return pieces;
}

} // namespace

QImage ImpedanceImage(const WireModel &model, QSize size)
{
    QImage image = whiteImage(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(QPointF(0, 0), QSizeF(size));
    const LabelledMetrics metrics(area);
    const LabelledText text = pictureText();
    const QString title = QStringLiteral("Входное сопротивление, радиус провода %1 λ").arg(text.number(model.radius()));
    const QRectF body = DrawTitleBlock(painter, area, metrics, title);

    const double M = std::fabs(model.length());
    const bool marked = M >= kCurveFirstLength && M <= kCurveLastLength;
    const std::vector<LegendEntry> entries{
        {QStringLiteral("R"), kResistanceColour, Qt::SolidLine, QString()},
        {QStringLiteral("X"), kReactanceColour, Qt::SolidLine, QString()},
        {QStringLiteral("M = %1 λ").arg(text.number(M)) + (marked ? QString() : QStringLiteral(" (вне графика)")),
         kMarkColour, Qt::DashLine, QString()},
    };
    const LegendPlacement place = PlaceLegend(body, entries, metrics);
    ChartAxis x{kCurveFirstLength, kCurveLastLength, 0.5, 1, QStringLiteral("M, λ"), QString(), {}};
    const ChartAxis y{-kOhmsLimit, kOhmsLimit, 250.0, 0, QStringLiteral("Ом"), QString(), {}};
    ChartFrame chart(painter, place.plotArea, metrics, text, x, y);
    chart.drawGrid();
    chart.drawHorizontalLine(0.0, FrameColour(), Qt::SolidLine);
    const std::vector<ImpedancePoint> curve = model.impedanceCurve();
    for (const bool reactance : {false, true})
        for (const ChartSeries &piece :
             impedanceSeries(curve, reactance, reactance ? kReactanceColour : kResistanceColour))
            chart.drawSeries(piece);
    if (marked)
        chart.drawVerticalLine(M, kOhmsLimit, kMarkColour, Qt::DashLine);
    DrawLegend(painter, place.legendTopLeft, entries, metrics, place.legend);
    return image;
}
