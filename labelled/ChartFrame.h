#pragma once
// A rectangular chart in the labelled style: a plot area with a light grid,
// a frame, ticks and tick labels on both axes and the axes' titles, on which
// line series, level lines, vertical markers and spans are drawn in data
// coordinates. The frame lays itself out inside the area it is given,
// leaving room for the labels, so a caller only chooses the axes. A whole
// labelled picture of one's own (R and X against M, say) is drawn as
//
//     const LabelledMetrics metrics(area);          // sizes for this picture
//     const LabelledText text(SystemLabelledLanguage());
//     QRectF body = DrawTitleBlock(painter, area, metrics, title, secondLine);
//     const LegendPlacement place = PlaceLegend(body, entries, metrics);
//     ChartFrame chart(painter, place.plotArea, metrics, text, xAxis, yAxis);
//     chart.drawGrid();
//     chart.drawSeries({points, QColor(Qt::darkBlue)});
//     chart.drawSeries({nec, QColor(Qt::darkRed), Qt::DashLine});
//     DrawLegend(painter, place.legendTopLeft, entries, metrics, place.legend);
//
// and written to a file of any type with EncodePaintedPicture
// (formats/PaintedPicture.h). Words go through text.phrase() with
// QT_TRANSLATE_NOOP("Labelled", ...) and their Russian in
// labelled/translations/dipole_ru.ts. Everything drawn in data coordinates
// is clipped to the plot area.
#include "LabelledStyle.h"
#include "LabelledText.h"

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

class QPainter;

struct ChartAxis
{
    double from = 0.0;     // the value at the left (bottom) end
    double to = 1.0;       // the value at the right (top) end
    double tickStep = 0.1; // a tick, a grid line and a label at every whole multiple of the step
    int decimals = 1;      // of the tick labels
    QString title;         // beside the axis
    QString suffix;        // after every tick label ("°")
    // Values labelled on the plot's far side, a vertical axis's at the right
    // edge and a horizontal axis's at the top (a level line's value, say).
    std::vector<std::pair<double, QString>> marks;
};

struct ChartSeries
{
    std::vector<QPointF> points; // in data coordinates, joined in order
    QColor colour;
    Qt::PenStyle style = Qt::SolidLine;
    double width = 0.32; // units
    // Filled down to the bottom of the plot area in a light tint of the colour.
    bool fill = false;
    // Filled to this level instead (a signed curve's zero line).
    std::optional<double> fillLevel = std::nullopt;
};

// A line that a text keeps clear of: a polyline in device coordinates (a
// single point for a dot) and how far the text stays from it.
struct ChartObstacle
{
    std::vector<QPointF> points;
    double clearance = 0.0;
};

// Whether box keeps farther than each obstacle's clearance from its line.
bool IsClearOf(const QRectF &box, const std::vector<ChartObstacle> &obstacles);

// Where a text of `size` goes: at the first of the candidate top-left
// corners (in order of preference) where its box lies within `within` and
// keeps clear of the obstacles; failing them all, at the clear place on a
// grid of `step` over `within` whose centre is nearest `near`; nothing when
// no place is clear.
std::optional<QRectF> ClearBox(const QSizeF &size, const std::vector<QPointF> &candidates, const QRectF &within,
                               const std::vector<ChartObstacle> &obstacles, const QPointF &near, double step);

class ChartFrame
{
public:
    ChartFrame(QPainter &painter, const QRectF &area, const LabelledMetrics &metrics, const LabelledText &text,
               ChartAxis x, ChartAxis y);

    // The height of a tick's label: labels closer than this overlap.
    static double tickLabelHeight(const LabelledMetrics &metrics);
    // The plot area that a frame in area takes.
    static QRectF layout(const QRectF &area, const LabelledMetrics &metrics, const LabelledText &text,
                         const ChartAxis &x, const ChartAxis &y);
    // The axes' titles, each wrapped to its side of the plot, where
    // drawGrid draws them (the vertical title's lines in upright boxes).
    static std::vector<PlacedLabel> titleLabels(const QRectF &area, const LabelledMetrics &metrics,
                                                const LabelledText &text, const ChartAxis &x, const ChartAxis &y);

    const QRectF &plotArea() const { return m_plot; }
    // The device point of a data point (outside the plot area for values
    // outside the axes' ranges).
    QPointF map(double x, double y) const { return map(m_plot, m_x, m_y, x, y); }
    // The same for a plot area that a layout found, before anything is drawn.
    static QPointF map(const QRectF &plot, const ChartAxis &xAxis, const ChartAxis &yAxis, double x, double y);

    // The grid, the frame, the ticks with their labels, the axes' titles
    // and marks.
    void drawGrid();
    // The series' line, over its tint when it is filled.
    void drawSeries(const ChartSeries &series);
    // The tint alone, whatever the series' fill: a family's tints go first,
    // so that none covers another curve.
    void fillSeries(const ChartSeries &series);
    // A line across the plot at value y.
    void drawHorizontalLine(double y, const QColor &colour, Qt::PenStyle style);
    // A line at value x from the bottom of the plot up to value yTop.
    void drawVerticalLine(double x, double yTop, const QColor &colour, Qt::PenStyle style);
    // A double-headed arrow from x1 to x2 at value y, and its label at the
    // label's box (on a white ground with backdrop).
    void drawSpan(double x1, double x2, double y, const QColor &colour, const PlacedLabel &label, bool backdrop);
    // A span's label below the arrow from a to b (device points), centred
    // on it and kept inside the plot area: where a lobe's flanks leave the
    // most room.
    static QRectF spanLabelBelow(const QRectF &plot, const LabelledMetrics &metrics, QPointF a, QPointF b,
                                 const QString &label);
    static QFont spanLabelFont(const LabelledMetrics &metrics);
    // How far a text keeps from a line of this width drawn on the chart, and
    // from a span's arrow (its heads).
    static double lineClearance(const LabelledMetrics &metrics, double widthInUnits);
    static double spanClearance(const LabelledMetrics &metrics);
    static constexpr double kMarkerWidth = 0.22; // of level lines, vertical lines and spans, in units
    // A short upright stroke at (x, y), a marker on a level line.
    void drawTick(double x, double y, const QColor &colour);

private:
    // The plot area and the axes' titles, each wrapped to its side of the plot.
    struct Layout;
    static Layout layOutFrame(const QRectF &area, const LabelledMetrics &metrics, const LabelledText &text,
                              const ChartAxis &x, const ChartAxis &y);
    // Where the horizontal axis's title line goes (its top's centre).
    static QPointF xTitleAnchor(const QRectF &plot, const LabelledMetrics &metrics, size_t line);
    void drawTicks(const ChartAxis &axis, bool horizontal);
    void drawMarks();
    QPainterPath seriesPath(const ChartSeries &series) const;
    static QString tickLabel(const LabelledText &text, const ChartAxis &axis, double value);

    QPainter &m_painter;
    const LabelledMetrics &m_metrics;
    const LabelledText &m_text;
    ChartAxis m_x;
    ChartAxis m_y;
    QRectF m_area;
    QRectF m_plot;
};

// The values at which an axis has ticks: the whole multiples of the step
// between its ends (within a millionth of a step, so that rounding keeps
// the ends), ascending; none for a step that is not positive or would give
// more than a thousand.
std::vector<double> AxisTicks(const ChartAxis &axis);
