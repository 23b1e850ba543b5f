#include "LabelledStyle.h"

#include "plot/CanvasFont.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSmallestUnit = 3.0;
// Set by ScopedLabelledUnit; 0 where the unit follows the picture.
thread_local double g_fixedUnit = 0.0;
constexpr double kSmallestPenUnit = 5.0;
constexpr double kTitleSize = 3.2;
constexpr double kSubtitleSize = 2.2;
constexpr double kLegendSize = 2.0;
constexpr double kLegendDetailSize = kSmallestTextUnits;
constexpr double kLegendSample = 4.0; // the colour sample's length
constexpr double kLegendPadding = 1.2;
constexpr double kLegendGap = 1.0;   // between the sample and the name
constexpr double kLegendShare = 0.4; // of the picture's width at most, beside the plot

constexpr double kTitleMargin = 1.0; // the title block's lines keep this far from the sides

// Where a line may break, in the order tried: the readouts' separators (the
// dot is dropped at a break), after a semicolon (kept), at any blank.
struct LineBreak
{
    QRegularExpression separator;
    QString keptAtLineEnd;
};

const std::vector<LineBreak> &lineBreaks()
{
    static const std::vector<LineBreak> breaks = {
        {QRegularExpression(QStringLiteral("\\s+·\\s+")), QString()},
        {QRegularExpression(QStringLiteral(";\\s+")), QStringLiteral(";")},
        {QRegularExpression(QStringLiteral("\\s+")), QString()},
    };
    return breaks;
}

// Appends text's lines: as much as fits on a line, broken at the
// separators of this level, each piece still too wide broken at the next.
void wrapInto(std::vector<QString> &lines, const QString &text, const QFontMetricsF &font, double width, size_t level)
{
    const bool fits = font.horizontalAdvance(text) <= width;
    if (fits || level == lineBreaks().size()) {
        lines.push_back(fits ? text : font.elidedText(text, Qt::ElideRight, width));
        return;
    }
    const LineBreak &lineBreak = lineBreaks()[level];
    QString line;
    bool empty = true;
    const auto place = [&](const QString &piece, const QString &separator) {
        if (empty) {
            line = piece;
            empty = false;
        } else if (font.horizontalAdvance(line + separator + piece) <= width) {
            line += separator + piece;
        } else {
            wrapInto(lines, line + lineBreak.keptAtLineEnd, font, width, level + 1);
            line = piece;
        }
    };
    qsizetype start = 0;
    QString separator;
    for (QRegularExpressionMatchIterator it = lineBreak.separator.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        place(text.mid(start, match.capturedStart() - start), separator);
        separator = match.captured();
        start = match.capturedEnd();
    }
    place(text.mid(start), separator);
    wrapInto(lines, line, font, width, level + 1);
}

double entryHeight(const LegendEntry &entry, const LabelledMetrics &metrics)
{
    const double name = QFontMetricsF(metrics.font(kLegendSize)).height();
    const double detail = entry.detail.isEmpty() ? 0.0 : QFontMetricsF(metrics.font(kLegendDetailSize)).height();
    return name + detail + metrics.units(0.4);
}

double textColumnWidth(const LegendEntry &entry, const LabelledMetrics &metrics)
{
    const double name = QFontMetricsF(metrics.font(kLegendSize)).horizontalAdvance(entry.name);
    const double detail = QFontMetricsF(metrics.font(kLegendDetailSize)).horizontalAdvance(entry.detail);
    return std::max(name, detail);
}

} // namespace

ScopedLabelledUnit::ScopedLabelledUnit(double unit) : m_previous(g_fixedUnit)
{
    g_fixedUnit = unit;
}

ScopedLabelledUnit::~ScopedLabelledUnit()
{
    g_fixedUnit = m_previous;
}

LabelledMetrics::LabelledMetrics(const QRectF &picture)
{
    if (g_fixedUnit > 0.0) {
        m_unit = g_fixedUnit;
        return;
    }
    const double width = std::max(picture.width(), 1.0);
    const double height = std::max(picture.height(), 1.0);
    // Below three pixels a unit, lines and texts would no longer be read.
    m_unit = std::max(kSmallestUnit, std::min(std::sqrt(width * height) / 100.0, std::min(width, height) / 60.0));
}

QSize FittedToBox(QSize box, QSize shape)
{
    const double scale = std::min(double(box.width()) / shape.width(), double(box.height()) / shape.height());
    return {std::max(1, int(std::floor(shape.width() * scale + 1e-9))),
            std::max(1, int(std::floor(shape.height() * scale + 1e-9)))};
}

double SmallestTextPixels(QSize picture)
{
    return LabelledMetrics(QRectF(QPointF(0, 0), picture)).units(kSmallestTextUnits);
}

QFont LabelledMetrics::font(double sizeInUnits, bool bold) const
{
    QFont font;
    font.setFamilies(CanvasFont::sansSerifFamilies());
    font.setPixelSize(std::max(1, int(std::lround(units(sizeInUnits)))));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    // Stated rather than taken from the machine's font configuration, so the
    // glyphs come out the same everywhere.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

QPen LabelledMetrics::pen(const QColor &colour, double widthInUnits, Qt::PenStyle style) const
{
    // Lines keep the weight of a five-pixel unit on small pictures.
    QPen pen(colour, std::max(units(widthInUnits), widthInUnits * kSmallestPenUnit), style, Qt::RoundCap,
             Qt::RoundJoin);
    if (style != Qt::SolidLine)
        pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QColor GridColour()
{
    return QColor(0xC8, 0xC8, 0xC8);
}

QColor FrameColour()
{
    return QColor(0x20, 0x20, 0x20);
}

QRectF AnchoredTextBox(const QPointF &anchor, Qt::Alignment alignment, const QString &text, const QFont &font)
{
    const QFontMetricsF metrics(font);
    const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
    QPointF topLeft = anchor;
    if (alignment & Qt::AlignHCenter)
        topLeft.rx() -= size.width() / 2;
    else if (alignment & Qt::AlignRight)
        topLeft.rx() -= size.width();
    if (alignment & Qt::AlignVCenter)
        topLeft.ry() -= size.height() / 2;
    else if (alignment & Qt::AlignBottom)
        topLeft.ry() -= size.height();
    return QRectF(topLeft, size);
}

QRectF DrawAnchoredText(QPainter &painter, const QPointF &anchor, Qt::Alignment alignment, const QString &text,
                        const QFont &font, const QColor &colour, bool backdrop)
{
    const QFontMetricsF metrics(font);
    const QRectF box = AnchoredTextBox(anchor, alignment, text, font);
    if (backdrop) {
        const double margin = metrics.height() * 0.15;
        painter.fillRect(box.adjusted(-margin, 0, margin, 0), Qt::white);
    }
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QPointF(box.left(), box.top() + metrics.ascent()), text);
    return box;
}

std::vector<QString> WrapText(const QString &text, const QFont &font, double width)
{
    std::vector<QString> lines;
    wrapInto(lines, text, QFontMetricsF(font), width, 0);
    return lines;
}

TitleBlockLayout LayOutTitleBlock(const QRectF &area, const LabelledMetrics &metrics, const QString &title,
                                  const QString &subtitle)
{
    TitleBlockLayout layout;
    const double width = area.width() - 2 * metrics.units(kTitleMargin);
    const double x = area.center().x();
    const QFont titleFont = metrics.font(kTitleSize, true);
    const double titleHeight = QFontMetricsF(titleFont).height();
    double top = area.top() + metrics.units(1.5);
    for (const QString &line : WrapText(title, titleFont, width)) {
        layout.titleLines.push_back(
            {line, AnchoredTextBox(QPointF(x, top), Qt::AlignHCenter | Qt::AlignTop, line, titleFont)});
        top = layout.titleLines.back().box.bottom();
    }
    // The sums in the order of a single line's, so that a block of one
    // title line and one subtitle line keeps its place to the last bit.
    double bottom = area.top() + metrics.units(1.5) + titleHeight;
    bottom += titleHeight * double(layout.titleLines.size() - 1);
    if (!subtitle.isEmpty()) {
        const QFont subtitleFont = metrics.font(kSubtitleSize);
        const double subtitleHeight = QFontMetricsF(subtitleFont).height();
        top += metrics.units(0.3);
        for (const QString &line : WrapText(subtitle, subtitleFont, width)) {
            layout.subtitleLines.push_back(
                {line, AnchoredTextBox(QPointF(x, top), Qt::AlignHCenter | Qt::AlignTop, line, subtitleFont)});
            top = layout.subtitleLines.back().box.bottom();
        }
        bottom += metrics.units(0.3) + subtitleHeight;
        bottom += subtitleHeight * double(layout.subtitleLines.size() - 1);
    }
    layout.below = area;
    layout.below.setTop(std::min(bottom + metrics.units(1.0), area.bottom()));
    return layout;
}

QRectF DrawTitleBlock(QPainter &painter, const QRectF &area, const LabelledMetrics &metrics, const QString &title,
                      const QString &subtitle)
{
    const TitleBlockLayout layout = LayOutTitleBlock(area, metrics, title, subtitle);
    const QFont titleFont = metrics.font(kTitleSize, true);
    for (const PlacedLabel &line : layout.titleLines)
        DrawAnchoredText(painter, QPointF(area.center().x(), line.box.top()), Qt::AlignHCenter | Qt::AlignTop,
                         line.text, titleFont, FrameColour());
    const QFont subtitleFont = metrics.font(kSubtitleSize);
    for (const PlacedLabel &line : layout.subtitleLines)
        DrawAnchoredText(painter, QPointF(area.center().x(), line.box.top()), Qt::AlignHCenter | Qt::AlignTop,
                         line.text, subtitleFont, FrameColour());
    return layout.below;
}

double LegendLayout::rowTop(int row) const
{
    if (rowHeights.empty())
        return row * cellHeight;
    double top = 0.0;
    for (int i = 0; i < row && i < int(rowHeights.size()); ++i)
        top += rowHeights[size_t(i)];
    return top;
}

LegendLayout MeasureLegend(const std::vector<LegendEntry> &entries, const LabelledMetrics &metrics, int columns,
                           double maxWidth)
{
    LegendLayout layout;
    if (entries.empty())
        return layout;
    layout.columns = std::clamp(columns, 1, int(entries.size()));
    layout.rows = (int(entries.size()) + layout.columns - 1) / layout.columns;
    layout.padding = metrics.units(kLegendPadding);
    double textWidth = 0.0;
    for (const LegendEntry &entry : entries) {
        textWidth = std::max(textWidth, textColumnWidth(entry, metrics));
        layout.cellHeight = std::max(layout.cellHeight, entryHeight(entry, metrics));
        if (layout.columns == 1)
            layout.rowHeights.push_back(entryHeight(entry, metrics));
    }
    const double cell = metrics.units(kLegendSample + kLegendGap + kLegendPadding) + textWidth;
    const double widest = (maxWidth - 2 * layout.padding) / layout.columns;
    layout.cellWidth = std::max(metrics.units(kLegendSample), std::min(cell, widest));
    return layout;
}

void DrawLegend(QPainter &painter, const QPointF &topLeft, const std::vector<LegendEntry> &entries,
                const LabelledMetrics &metrics, const LegendLayout &layout)
{
    if (entries.empty() || layout.rows == 0)
        return;
    painter.save();
    const QRectF box(topLeft, layout.size());
    painter.setPen(metrics.pen(GridColour().darker(130), 0.12));
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    painter.setBrush(Qt::NoBrush);

    const QFont nameFont = metrics.font(kLegendSize);
    const QFont detailFont = metrics.font(kLegendDetailSize);
    const double nameHeight = QFontMetricsF(nameFont).height();
    const double textOffset = metrics.units(kLegendSample + kLegendGap);
    // The cell was measured to fit the widest name exactly; the slack keeps
    // rounding in the elision from cutting that name.
    const double textWidth = layout.cellWidth - textOffset - metrics.units(kLegendPadding) + metrics.units(0.05);
    for (size_t i = 0; i < entries.size(); ++i) {
        const LegendEntry &entry = entries[i];
        const double left = box.left() + layout.padding + double(i % size_t(layout.columns)) * layout.cellWidth;
        const double top = box.top() + layout.padding + layout.rowTop(int(i / size_t(layout.columns)));
        painter.setPen(metrics.pen(entry.colour, 0.4, entry.style));
        painter.drawLine(QPointF(left, top + nameHeight / 2),
                         QPointF(left + metrics.units(kLegendSample), top + nameHeight / 2));
        const QString name = QFontMetricsF(nameFont).elidedText(entry.name, Qt::ElideRight, textWidth);
        DrawAnchoredText(painter, QPointF(left + textOffset, top), Qt::AlignLeft | Qt::AlignTop, name, nameFont,
                         FrameColour());
        if (!entry.detail.isEmpty()) {
            const QString detail = QFontMetricsF(detailFont).elidedText(entry.detail, Qt::ElideRight, textWidth);
            DrawAnchoredText(painter, QPointF(left + textOffset, top + nameHeight), Qt::AlignLeft | Qt::AlignTop,
                             detail, detailFont, FrameColour());
        }
    }
    painter.restore();
}

LegendPlacement PlaceLegend(const QRectF &area, const std::vector<LegendEntry> &entries, const LabelledMetrics &metrics)
{
    LegendPlacement beside;
    beside.plotArea = area;
    if (entries.empty())
        return beside;
    const double margin = metrics.units(1.5);
    beside.legend = MeasureLegend(entries, metrics, 1, area.width() * kLegendShare);
    const QSizeF column = beside.legend.size();
    beside.plotArea.setRight(area.right() - column.width() - 2 * margin);
    beside.legendTopLeft = QPointF(area.right() - column.width() - margin, area.top() + margin);

    // Below: as many columns as the width takes.
    LegendPlacement below;
    const double oneColumn = MeasureLegend(entries, metrics, 1, area.width() - 2 * margin).cellWidth;
    const int columns = std::max(1, int((area.width() - 2 * margin - 2 * metrics.units(kLegendPadding)) / oneColumn));
    below.legend = MeasureLegend(entries, metrics, columns, area.width() - 2 * margin);
    const QSizeF block = below.legend.size();
    below.plotArea = area;
    below.plotArea.setBottom(area.bottom() - block.height() - 2 * margin);
    below.legendTopLeft = QPointF(area.center().x() - block.width() / 2, area.bottom() - block.height() - margin);

    const auto shorterSide = [](const QRectF &r) { return std::min(r.width(), r.height()); };
    return shorterSide(below.plotArea) > shorterSide(beside.plotArea) ? below : beside;
}
