#include "LabelledStyle.h"

#include "plot/CanvasFont.h"

#include <QFontMetricsF>
#include <QPainter>
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

QRectF DrawAnchoredText(QPainter &painter, const QPointF &anchor, Qt::Alignment alignment, const QString &text,
                        const QFont &font, const QColor &colour, bool backdrop)
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
    const QRectF box(topLeft, size);
    if (backdrop) {
        const double margin = metrics.height() * 0.15;
        painter.fillRect(box.adjusted(-margin, 0, margin, 0), Qt::white);
    }
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
    return box;
}

QRectF BelowTitleBlock(const QRectF &area, const LabelledMetrics &metrics, bool withSubtitle)
{
    double bottom = area.top() + metrics.units(1.5) + QFontMetricsF(metrics.font(kTitleSize, true)).height();
    if (withSubtitle)
        bottom += metrics.units(0.3) + QFontMetricsF(metrics.font(kSubtitleSize)).height();
    QRectF rest = area;
    rest.setTop(std::min(bottom + metrics.units(1.0), area.bottom()));
    return rest;
}

QRectF DrawTitleBlock(QPainter &painter, const QRectF &area, const LabelledMetrics &metrics, const QString &title,
                      const QString &subtitle)
{
    const double y = area.top() + metrics.units(1.5);
    const QFont titleFont = metrics.font(kTitleSize, true);
    const QString titleText = QFontMetricsF(titleFont).elidedText(title, Qt::ElideRight, area.width());
    const QRectF titleBox = DrawAnchoredText(painter, QPointF(area.center().x(), y), Qt::AlignHCenter | Qt::AlignTop,
                                             titleText, titleFont, FrameColour());
    if (!subtitle.isEmpty()) {
        const QFont subtitleFont = metrics.font(kSubtitleSize);
        const QString text = QFontMetricsF(subtitleFont).elidedText(subtitle, Qt::ElideRight, area.width());
        DrawAnchoredText(painter, QPointF(area.center().x(), titleBox.bottom() + metrics.units(0.3)),
                         Qt::AlignHCenter | Qt::AlignTop, text, subtitleFont, FrameColour());
    }
    return BelowTitleBlock(area, metrics, !subtitle.isEmpty());
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
        const double top = box.top() + layout.padding + double(i / size_t(layout.columns)) * layout.cellHeight;
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
