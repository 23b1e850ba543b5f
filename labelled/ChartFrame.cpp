#include "ChartFrame.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double kTickLabelSize = 2.0;
constexpr double kAxisTitleSize = 2.1;
constexpr double kMarkerLabelSize = 1.8;
constexpr double kTickLength = 0.8;
constexpr double kGridWidth = 0.1;
constexpr double kFrameWidth = 0.16;
constexpr double kMarkerWidth = 0.22;
constexpr int kMaxTicks = 1000; // a step far too small for its range draws no more

} // namespace

std::vector<double> AxisTicks(const ChartAxis &axis)
{
    std::vector<double> ticks;
    const double low = std::min(axis.from, axis.to);
    const double high = std::max(axis.from, axis.to);
    if (!(axis.tickStep > 0.0) || !std::isfinite(low) || !std::isfinite(high)
        || (high - low) / axis.tickStep > kMaxTicks)
        return ticks;
    // Whole multiples of the step, each formed afresh, so that rounding
    // neither piles up nor drops the last tick.
    const double slack = 1e-6;
    for (double k = std::ceil(low / axis.tickStep - slack); k * axis.tickStep <= high + slack * axis.tickStep; k += 1)
        ticks.push_back(k * axis.tickStep);
    return ticks;
}

QRectF ChartFrame::layout(const QRectF &area, const LabelledMetrics &metrics, const LabelledText &text,
                          const ChartAxis &x, const ChartAxis &y)
{
    const QFontMetricsF labels(metrics.font(kTickLabelSize));
    const QFontMetricsF titles(metrics.font(kAxisTitleSize));
    double labelWidth = 0.0;
    for (double value : AxisTicks(y))
        labelWidth = std::max(labelWidth, labels.horizontalAdvance(tickLabel(text, y, value)));
    const double left = titles.height() + labelWidth + metrics.units(kTickLength + 1.6);
    const double bottom = labels.height() + titles.height() + metrics.units(kTickLength + 1.2);
    // The last x label overhangs the plot's right edge by half its width.
    double right = labels.horizontalAdvance(tickLabel(text, x, x.to)) / 2 + metrics.units(1.0);
    for (const auto &mark : y.marks)
        right = std::max(right, labels.horizontalAdvance(mark.second) + metrics.units(kTickLength * 1.5 + 1.5));
    const double top = labels.height() * (x.marks.empty() ? 0.5 : 1.0) + metrics.units(kTickLength * 1.5);
    QRectF plot = area.adjusted(left, top, -right, -bottom);
    plot.setWidth(std::max(plot.width(), 1.0));
    plot.setHeight(std::max(plot.height(), 1.0));
    return plot;
}

ChartFrame::ChartFrame(QPainter &painter, const QRectF &area, const LabelledMetrics &metrics, const LabelledText &text,
                       ChartAxis x, ChartAxis y)
    : m_painter(painter),
      m_metrics(metrics),
      m_text(text),
      m_x(std::move(x)),
      m_y(std::move(y)),
      m_area(area),
      m_plot(layout(area, metrics, text, m_x, m_y))
{}

QPointF ChartFrame::map(double x, double y) const
{
    const double fx = (x - m_x.from) / (m_x.to - m_x.from);
    const double fy = (y - m_y.from) / (m_y.to - m_y.from);
    return QPointF(m_plot.left() + fx * m_plot.width(), m_plot.bottom() - fy * m_plot.height());
}

QString ChartFrame::tickLabel(const LabelledText &text, const ChartAxis &axis, double value)
{
    return text.fixed(value, axis.decimals) + axis.suffix;
}

void ChartFrame::drawTicks(const ChartAxis &axis, bool horizontal)
{
    const QFont font = m_metrics.font(kTickLabelSize);
    const double tick = m_metrics.units(kTickLength);
    for (double value : AxisTicks(axis)) {
        const QPointF at = horizontal ? map(value, m_y.from) : map(m_x.from, value);
        m_painter.setPen(m_metrics.pen(GridColour(), kGridWidth));
        if (horizontal)
            m_painter.drawLine(QPointF(at.x(), m_plot.top()), QPointF(at.x(), m_plot.bottom()));
        else
            m_painter.drawLine(QPointF(m_plot.left(), at.y()), QPointF(m_plot.right(), at.y()));
        m_painter.setPen(m_metrics.pen(FrameColour(), kFrameWidth));
        if (horizontal) {
            m_painter.drawLine(at, at + QPointF(0, tick));
            DrawAnchoredText(m_painter, at + QPointF(0, tick * 1.5), Qt::AlignHCenter | Qt::AlignTop,
                             tickLabel(m_text, axis, value), font, FrameColour());
        } else {
            m_painter.drawLine(at, at - QPointF(tick, 0));
            DrawAnchoredText(m_painter, at - QPointF(tick * 1.5, 0), Qt::AlignRight | Qt::AlignVCenter,
                             tickLabel(m_text, axis, value), font, FrameColour());
        }
    }
}

void ChartFrame::drawMarks()
{
    const QFont font = m_metrics.font(kTickLabelSize);
    const double tick = m_metrics.units(kTickLength);
    m_painter.setPen(m_metrics.pen(FrameColour(), kFrameWidth));
    for (const auto &[value, label] : m_y.marks) {
        const QPointF at = map(m_x.to, value);
        m_painter.drawLine(at, at + QPointF(tick, 0));
        DrawAnchoredText(m_painter, at + QPointF(tick * 1.5, 0), Qt::AlignLeft | Qt::AlignVCenter, label, font,
                         FrameColour());
    }
    for (const auto &[value, label] : m_x.marks) {
        const QPointF at = map(value, m_y.to);
        m_painter.drawLine(at, at - QPointF(0, tick));
        DrawAnchoredText(m_painter, at - QPointF(0, tick * 1.5), Qt::AlignHCenter | Qt::AlignBottom, label, font,
                         FrameColour());
    }
}

void ChartFrame::drawGrid()
{
    m_painter.save();
    drawTicks(m_x, true);
    drawTicks(m_y, false);
    drawMarks();
    m_painter.setPen(m_metrics.pen(FrameColour(), kFrameWidth));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(m_plot);

    const QFont titleFont = m_metrics.font(kAxisTitleSize);
    const double labelHeight = QFontMetricsF(m_metrics.font(kTickLabelSize)).height();
    const double xTitleTop = m_plot.bottom() + m_metrics.units(kTickLength + 0.8) + labelHeight;
    DrawAnchoredText(m_painter, QPointF(m_plot.center().x(), xTitleTop), Qt::AlignHCenter | Qt::AlignTop, m_x.title,
                     titleFont, FrameColour());
    // The vertical axis's title reads upwards along the area's left edge.
    m_painter.translate(m_area.left() + QFontMetricsF(titleFont).height() / 2, m_plot.center().y());
    m_painter.rotate(-90);
    DrawAnchoredText(m_painter, QPointF(0, 0), Qt::AlignHCenter | Qt::AlignVCenter, m_y.title, titleFont,
                     FrameColour());
    m_painter.restore();
}

QPainterPath ChartFrame::seriesPath(const ChartSeries &series) const
{
    QPainterPath line;
    if (series.points.empty())
        return line;
    line.moveTo(map(series.points.front().x(), series.points.front().y()));
    for (size_t i = 1; i < series.points.size(); ++i)
        line.lineTo(map(series.points[i].x(), series.points[i].y()));
    return line;
}

void ChartFrame::fillSeries(const ChartSeries &series)
{
    if (series.points.empty())
        return;
    QPainterPath area = seriesPath(series);
    const double level = series.fillLevel.value_or(std::min(m_y.from, m_y.to));
    area.lineTo(map(series.points.back().x(), level));
    area.lineTo(map(series.points.front().x(), level));
    area.closeSubpath();
    QColor tint = series.colour;
    tint.setAlphaF(0.18);
    m_painter.save();
    m_painter.setClipRect(m_plot);
    m_painter.fillPath(area, tint);
    m_painter.restore();
}

void ChartFrame::drawSeries(const ChartSeries &series)
{
    if (series.points.empty())
        return;
    if (series.fill)
        fillSeries(series);
    m_painter.save();
    m_painter.setClipRect(m_plot);
    m_painter.setPen(m_metrics.pen(series.colour, series.width, series.style));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPath(seriesPath(series));
    m_painter.restore();
}

void ChartFrame::drawHorizontalLine(double y, const QColor &colour, Qt::PenStyle style)
{
    m_painter.save();
    m_painter.setClipRect(m_plot);
    m_painter.setPen(m_metrics.pen(colour, kMarkerWidth, style));
    m_painter.drawLine(map(m_x.from, y), map(m_x.to, y));
    m_painter.restore();
}

void ChartFrame::drawVerticalLine(double x, double yTop, const QColor &colour, Qt::PenStyle style)
{
    m_painter.save();
    m_painter.setClipRect(m_plot);
    m_painter.setPen(m_metrics.pen(colour, kMarkerWidth, style));
    m_painter.drawLine(map(x, m_y.from), map(x, yTop));
    m_painter.restore();
}

void ChartFrame::drawSpan(double x1, double x2, double y, const QColor &colour, const QString &label)
{
    const QPointF a = map(std::min(x1, x2), y);
    const QPointF b = map(std::max(x1, x2), y);
    const double head = m_metrics.units(0.9);
    m_painter.save();
    m_painter.setClipRect(m_plot);
    m_painter.setPen(m_metrics.pen(colour, kMarkerWidth));
    m_painter.drawLine(a, b);
    // Heads pointing outwards; a span narrower than two heads gets them
    // outside its ends, pointing in.
    const double out = b.x() - a.x() >= 2 * head ? 1.0 : -1.0;
    for (const auto &[tip, sign] : {std::pair{a, -out}, std::pair{b, out}}) {
        QPainterPath arrow;
        arrow.moveTo(tip);
        arrow.lineTo(tip + QPointF(-sign * head, -head * 0.45));
        arrow.lineTo(tip + QPointF(-sign * head, head * 0.45));
        arrow.closeSubpath();
        m_painter.fillPath(arrow, colour);
    }
    const QFont font = m_metrics.font(kMarkerLabelSize);
    const double width = QFontMetricsF(font).horizontalAdvance(label);
    const double margin = m_metrics.units(0.5);
    const double centre = std::clamp((a.x() + b.x()) / 2, m_plot.left() + width / 2 + margin,
                                     std::max(m_plot.left() + width / 2 + margin, m_plot.right() - width / 2 - margin));
    DrawAnchoredText(m_painter, QPointF(centre, a.y() + m_metrics.units(0.5)), Qt::AlignHCenter | Qt::AlignTop, label,
                     font, colour);
    m_painter.restore();
}

void ChartFrame::drawTick(double x, double y, const QColor &colour)
{
    const QPointF at = map(x, y);
    const double half = m_metrics.units(1.0);
    m_painter.save();
    m_painter.setClipRect(m_plot);
    m_painter.setPen(m_metrics.pen(colour, 0.3));
    m_painter.drawLine(at - QPointF(0, half), at + QPointF(0, half));
    m_painter.restore();
}
