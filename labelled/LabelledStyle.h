#pragma once
// The common look of the labelled pictures: sizes that grow with the
// picture, the embedded Liberation Sans face, texts placed by an anchor
// point, the title block at the top and the legend box. One unit is a
// hundredth of the picture's geometric mean side (at most a sixtieth of its
// shorter side, at least three pixels), so a picture drawn larger, on a
// printer's page say, keeps its proportions and its lines stay readable.
#include <QColor>
#include <QFont>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

#include <vector>

class QPainter;

// The smallest text the pictures draw, in units (a legend's detail line).
inline constexpr double kSmallestTextUnits = 1.6;

// Below this height in pixels a picture's smallest text is not read.
inline constexpr double kLeastReadableTextPixels = 7.0;

// The largest size of shape's proportion that fits in box: a picture given
// a box keeps its own proportion.
QSize FittedToBox(QSize box, QSize shape);

// The height in pixels of the smallest text of a picture this size.
double SmallestTextPixels(QSize picture);

// A window that draws the pictures at its own size fixes the unit for the
// pictures painted on this thread while this lives, so that their texts
// come out at the window's font size however large the picture; elsewhere
// the unit follows the picture's size.
class ScopedLabelledUnit
{
public:
    explicit ScopedLabelledUnit(double unit);
    ~ScopedLabelledUnit();
    ScopedLabelledUnit(const ScopedLabelledUnit &) = delete;
    ScopedLabelledUnit &operator=(const ScopedLabelledUnit &) = delete;

private:
    double m_previous;
};

class LabelledMetrics
{
public:
    explicit LabelledMetrics(const QRectF &picture);

    double unit() const { return m_unit; }
    double units(double count) const { return count * m_unit; }
    // Liberation Sans (or a like face where it is missing), sizeInUnits high.
    QFont font(double sizeInUnits, bool bold = false) const;
    QPen pen(const QColor &colour, double widthInUnits, Qt::PenStyle style = Qt::SolidLine) const;

private:
    double m_unit;
};

// Colours shared by the pictures' furniture.
QColor GridColour();  // the light grid and rings
QColor FrameColour(); // frames, axes, tick marks and texts

// The box that text in font takes with the anchor at the point of the box
// named by alignment, as DrawAnchoredText draws it.
QRectF AnchoredTextBox(const QPointF &anchor, Qt::Alignment alignment, const QString &text, const QFont &font);

// Draws text so that the anchor is the point of its box named by alignment
// (Qt::AlignLeft/AlignHCenter/AlignRight with Qt::AlignTop/AlignVCenter/
// AlignBottom); with a backdrop, on a white box a little larger than the
// text. Returns the text's box.
QRectF DrawAnchoredText(QPainter &painter, const QPointF &anchor, Qt::Alignment alignment, const QString &text,
                        const QFont &font, const QColor &colour, bool backdrop = false);

// A text placed by a picture's layout and the box it takes: what the
// drawing draws and what a check of the layout reads.
struct PlacedLabel
{
    QString text;
    QRectF box;
};

// text broken into lines no wider than width in font: at the separators
// " · " first (the dot goes where the line breaks), then after "; ", then
// at blanks. Only a single word wider than width is cut, with an ellipsis.
std::vector<QString> WrapText(const QString &text, const QFont &font, double width);

// The title centred at the top of area in bold, with an optional subtitle
// beneath it in the regular face, each wrapped to the area's width less a
// margin; and the part of area below them.
struct TitleBlockLayout
{
    std::vector<PlacedLabel> titleLines;
    std::vector<PlacedLabel> subtitleLines;
    QRectF below;
};
TitleBlockLayout LayOutTitleBlock(const QRectF &area, const LabelledMetrics &metrics, const QString &title,
                                  const QString &subtitle = QString());

// Draws the title block as LayOutTitleBlock lays it out and returns the part
// of area below it.
QRectF DrawTitleBlock(QPainter &painter, const QRectF &area, const LabelledMetrics &metrics, const QString &title,
                      const QString &subtitle = QString());

// One line of a legend: a short line in the series' colour and style, its
// name, and an optional detail line beneath in a smaller face.
struct LegendEntry
{
    QString name;
    QColor colour;
    Qt::PenStyle style = Qt::SolidLine;
    QString detail;
};

// How a legend box is laid out: its entries in rows of `columns`, every
// cell as wide as the widest entry (cut to fit) and as high as the highest;
// in one column each row as high as its own entry, so that one entry with a
// detail line does not double the height of every other.
struct LegendLayout
{
    int columns = 1;
    int rows = 0;
    double cellWidth = 0.0;
    double cellHeight = 0.0;
    double padding = 0.0;
    std::vector<double> rowHeights; // one column's rows; empty: each cellHeight
    double rowTop(int row) const;   // below the top padding
    QSizeF size() const { return QSizeF(columns * cellWidth + 2 * padding, rowTop(rows) + 2 * padding); }
};
// The layout in `columns` columns, no wider than maxWidth.
LegendLayout MeasureLegend(const std::vector<LegendEntry> &entries, const LabelledMetrics &metrics, int columns,
                           double maxWidth);

// The legend box with its top-left corner at topLeft, on a white ground
// with a thin frame.
void DrawLegend(QPainter &painter, const QPointF &topLeft, const std::vector<LegendEntry> &entries,
                const LabelledMetrics &metrics, const LegendLayout &layout);

// Where a legend goes: beside the plot in one column at the right, or below
// it in as many columns as fit, whichever leaves the plot the larger shorter
// side. Without entries the plot takes the whole area.
struct LegendPlacement
{
    QRectF plotArea;
    QPointF legendTopLeft;
    LegendLayout legend;
};
LegendPlacement PlaceLegend(const QRectF &area, const std::vector<LegendEntry> &entries,
                            const LabelledMetrics &metrics);
