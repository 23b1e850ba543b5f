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
constexpr double kSpanHead = 0.9;  // the arrow heads' length
constexpr double kLabelGap = 0.25; // between a text and a line it keeps clear of
constexpr int kMaxTicks = 1000;    // a step far too small for its range draws no more

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

namespace {

// Whether the segment from p to q meets box (Liang-Barsky clipping).
bool segmentMeets(const QRectF &box, QPointF p, QPointF q)
{
    double enter = 0.0;
    double leave = 1.0;
    const double dx = q.x() - p.x();
    const double dy = q.y() - p.y();
    const std::pair<double, double> edges[] = {
        {-dx, p.x() - box.left()}, {dx, box.right() - p.x()}, {-dy, p.y() - box.top()}, {dy, box.bottom() - p.y()}};
    for (const auto &[direction, room] : edges) {
        if (direction == 0.0) {
            if (room < 0.0)
                return false;
            continue;
        }
        const double t = room / direction;
        if (direction < 0.0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
        if (enter > leave)
            return false;
    }
    return true;
}

bool sortedAlongX(const std::vector<QPointF> &points)
{
    return std::is_sorted(points.cbegin(), points.cend(), [](QPointF p, QPointF q) { return p.x() < q.x(); });
}

bool meets(const QRectF &box, const ChartObstacle &obstacle, bool alongX)
{
    const QRectF reach = box.adjusted(-obstacle.clearance, -obstacle.clearance, obstacle.clearance, obstacle.clearance);
    const std::vector<QPointF> &points = obstacle.points;
    if (points.size() == 1)
        return reach.contains(points.front());
    // A curve sampled along x (a pattern's) is searched only where it
    // passes the box; any other line is walked whole.
    size_t first = 0;
    size_t last = points.size();
    if (alongX) {
        const auto byX = [](QPointF p, double x) { return p.x() < x; };
        first = size_t(std::lower_bound(points.cbegin(), points.cend(), reach.left(), byX) - points.cbegin());
        first = first > 0 ? first - 1 : 0;
        last = std::min(points.size(),
                        size_t(std::lower_bound(points.cbegin(), points.cend(), reach.right(), byX) - points.cbegin())
                            + 1);
    }
    for (size_t i = first; i + 1 < last; ++i) {
        if (segmentMeets(reach, points[i], points[i + 1]))
            return true;
    }
    return false;
}

} // namespace

bool IsClearOf(const QRectF &box, const std::vector<ChartObstacle> &obstacles)
{
    return std::none_of(obstacles.cbegin(), obstacles.cend(), [&](const ChartObstacle &obstacle) {
        return meets(box, obstacle, sortedAlongX(obstacle.points));
    });
}

std::optional<QRectF> ClearBox(const QSizeF &size, const std::vector<QPointF> &candidates, const QRectF &within,
                               const std::vector<ChartObstacle> &obstacles, const QPointF &near, double step)
{
    std::vector<bool> alongX;
    for (const ChartObstacle &obstacle : obstacles)
        alongX.push_back(sortedAlongX(obstacle.points));
    const auto clear = [&](const QRectF &box) {
        for (size_t i = 0; i < obstacles.size(); ++i) {
            if (meets(box, obstacles[i], alongX[i]))
                return false;
        }
        return true;
    };
    const auto fits = [&](const QRectF &box) { return within.contains(box) && clear(box); };
    for (const QPointF &topLeft : candidates) {
        if (fits(QRectF(topLeft, size)))
            return QRectF(topLeft, size);
    }
    if (!(step > 0.0))
        return std::nullopt;
    std::vector<QRectF> grid;
    for (double top = within.top(); top + size.height() <= within.bottom(); top += step) {
        for (double left = within.left(); left + size.width() <= within.right(); left += step)
            grid.emplace_back(QPointF(left, top), size);
    }
    const auto distance = [&](const QRectF &box) {
        const QPointF d = box.center() - near;
        return d.x() * d.x() + d.y() * d.y();
    };
    std::stable_sort(grid.begin(), grid.end(),
                     [&](const QRectF &p, const QRectF &q) { return distance(p) < distance(q); });
    for (const QRectF &box : grid) {
        if (clear(box))
            return box;
    }
    return std::nullopt;
}

struct ChartFrame::Layout
{
    QRectF plot;
    std::vector<QString> xTitle;
    std::vector<QString> yTitle;
};

ChartFrame::Layout ChartFrame::layOutFrame(const QRectF &area, const LabelledMetrics &metrics, const LabelledText &text,
                                           const ChartAxis &x, const ChartAxis &y)
{
    const QFontMetricsF labels(metrics.font(kTickLabelSize));
    const QFont titleFont = metrics.font(kAxisTitleSize);
    const QFontMetricsF titles(titleFont);
    double labelWidth = 0.0;
    for (double value : AxisTicks(y))
        labelWidth = std::max(labelWidth, labels.horizontalAdvance(tickLabel(text, y, value)));
    // The last x label overhangs the plot's right edge by half its width.
    double right = labels.horizontalAdvance(tickLabel(text, x, x.to)) / 2 + metrics.units(1.0);
    for (const auto &mark : y.marks)
        right = std::max(right, labels.horizontalAdvance(mark.second) + metrics.units(kTickLength * 1.5 + 1.5));
    const double top = labels.height() * (x.marks.empty() ? 0.5 : 1.0) + metrics.units(kTickLength * 1.5);
    // A title of more lines makes the plot smaller, and so perhaps the other
    // title longer in lines: a few rounds settle it.
    Layout frame;
    size_t xLines = 1;
    size_t yLines = 1;
    for (int round = 0; round < 4; ++round) {
        const double left = titles.height() * double(yLines) + labelWidth + metrics.units(kTickLength + 1.6);
        const double bottom = labels.height() + titles.height() * double(xLines) + metrics.units(kTickLength + 1.2);
        frame.plot = area.adjusted(left, top, -right, -bottom);
        frame.plot.setWidth(std::max(frame.plot.width(), 1.0));
        frame.plot.setHeight(std::max(frame.plot.height(), 1.0));
        frame.xTitle = WrapText(x.title, titleFont, frame.plot.width());
        frame.yTitle = WrapText(y.title, titleFont, frame.plot.height());
        if (frame.xTitle.size() <= xLines && frame.yTitle.size() <= yLines)
            break;
        xLines = std::max(xLines, frame.xTitle.size());
        yLines = std::max(yLines, frame.yTitle.size());
    }
    return frame;
}

double ChartFrame::tickLabelHeight(const LabelledMetrics &metrics)
{
    return QFontMetricsF(metrics.font(kTickLabelSize)).height();
}

QRectF ChartFrame::layout(const QRectF &area, const LabelledMetrics &metrics, const LabelledText &text,
                          const ChartAxis &x, const ChartAxis &y)
{
    return layOutFrame(area, metrics, text, x, y).plot;
}

std::vector<PlacedLabel> ChartFrame::titleLabels(const QRectF &area, const LabelledMetrics &metrics,
                                                 const LabelledText &text, const ChartAxis &x, const ChartAxis &y)
{
    const Layout frame = layOutFrame(area, metrics, text, x, y);
    const QFont titleFont = metrics.font(kAxisTitleSize);
    const QFontMetricsF titles(titleFont);
    std::vector<PlacedLabel> placed;
    for (size_t i = 0; i < frame.xTitle.size(); ++i)
        placed.push_back(
            {frame.xTitle[i], AnchoredTextBox(xTitleAnchor(frame.plot, metrics, i), Qt::AlignHCenter | Qt::AlignTop,
                                              frame.xTitle[i], titleFont)});
    // Upright: the lines read upwards, the first at the area's left edge.
    for (size_t i = 0; i < frame.yTitle.size(); ++i) {
        const double length = titles.horizontalAdvance(frame.yTitle[i]);
        placed.push_back({frame.yTitle[i], QRectF(area.left() + double(i) * titles.height(),
                                                  frame.plot.center().y() - length / 2, titles.height(), length)});
    }
    return placed;
}

QPointF ChartFrame::xTitleAnchor(const QRectF &plot, const LabelledMetrics &metrics, size_t line)
{
    const double labelHeight = QFontMetricsF(metrics.font(kTickLabelSize)).height();
    const double top = plot.bottom() + metrics.units(kTickLength + 0.8) + labelHeight;
    return QPointF(plot.center().x(), top + double(line) * QFontMetricsF(metrics.font(kAxisTitleSize)).height());
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

QPointF ChartFrame::map(const QRectF &plot, const ChartAxis &xAxis, const ChartAxis &yAxis, double x, double y)
{
    const double fx = (x - xAxis.from) / (xAxis.to - xAxis.from);
    const double fy = (y - yAxis.from) / (yAxis.to - yAxis.from);
    return QPointF(plot.left() + fx * plot.width(), plot.bottom() - fy * plot.height());
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

    const Layout frame = layOutFrame(m_area, m_metrics, m_text, m_x, m_y);
    const QFont titleFont = m_metrics.font(kAxisTitleSize);
    for (size_t i = 0; i < frame.xTitle.size(); ++i)
        DrawAnchoredText(m_painter, xTitleAnchor(m_plot, m_metrics, i), Qt::AlignHCenter | Qt::AlignTop,
                         frame.xTitle[i], titleFont, FrameColour());
    // The vertical axis's title reads upwards along the area's left edge.
    const double height = QFontMetricsF(titleFont).height();
    const double lines = double(frame.yTitle.size());
    m_painter.translate(m_area.left() + lines * height / 2, m_plot.center().y());
    m_painter.rotate(-90);
    for (size_t i = 0; i < frame.yTitle.size(); ++i)
        DrawAnchoredText(m_painter, QPointF(0, -lines * height / 2 + double(i) * height),
                         Qt::AlignHCenter | Qt::AlignTop, frame.yTitle[i], titleFont, FrameColour());
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

void ChartFrame::drawSpan(double x1, double x2, double y, const QColor &colour, const PlacedLabel &label, bool backdrop)
{
    const QPointF a = map(std::min(x1, x2), y);
    const QPointF b = map(std::max(x1, x2), y);
    const double head = m_metrics.units(kSpanHead);
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
    DrawAnchoredText(m_painter, label.box.topLeft(), Qt::AlignLeft | Qt::AlignTop, label.text, spanLabelFont(m_metrics),
                     colour, backdrop);
    m_painter.restore();
}

QFont ChartFrame::spanLabelFont(const LabelledMetrics &metrics)
{
    return metrics.font(kMarkerLabelSize);
}

QRectF ChartFrame::spanLabelBelow(const QRectF &plot, const LabelledMetrics &metrics, QPointF a, QPointF b,
                                  const QString &label)
{
    const QFont font = spanLabelFont(metrics);
    const double width = QFontMetricsF(font).horizontalAdvance(label);
    const double margin = metrics.units(0.5);
    const double centre = std::clamp((a.x() + b.x()) / 2, plot.left() + width / 2 + margin,
                                     std::max(plot.left() + width / 2 + margin, plot.right() - width / 2 - margin));
    return AnchoredTextBox(QPointF(centre, a.y() + metrics.units(0.5)), Qt::AlignHCenter | Qt::AlignTop, label, font);
}

double ChartFrame::lineClearance(const LabelledMetrics &metrics, double widthInUnits)
{
    return metrics.pen(FrameColour(), widthInUnits).widthF() / 2 + metrics.units(kLabelGap);
}

double ChartFrame::spanClearance(const LabelledMetrics &metrics)
{
    // The heads reach 0.45 of their length either side of the arrow.
    return metrics.units(kSpanHead * 0.45);
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
