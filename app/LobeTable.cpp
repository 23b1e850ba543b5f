#include "LobeTable.h"

#include "PatternPointer.h"
#include "numbers/NumberText.h"
#include "physics/Lobes.h"

#include <QCoreApplication>
#include <QHeaderView>

#include <cmath>
#include <stdexcept>

namespace {

// Rows shown without scrolling: the lobes of lengths up to about 3 λ.
constexpr int kShownRows = 3;
const QColor kRivalTint(0xff, 0xf1, 0xc4);

QString degrees(double value)
{
    return FixedNumberText(value, 2) + QStringLiteral("°");
}

} // namespace

QStringList LobeRowTexts(const Lobe &lobe)
{
    QString note;
    if (lobe.maximum)
        note = QCoreApplication::translate("TLobeTable", "максимум");
    else if (lobe.rival)
        note = QCoreApplication::translate("TLobeTable", "соперник: в пределах %1 дБ от максимума")
                   .arg(FixedNumberText(kRivalLobeDb, 0));
    return {degrees(lobe.directionDeg),
            SignedNumberText(lobe.levelDb, 2) + QCoreApplication::translate("TLobeTable", " дБ"),
            degrees(lobe.halfPowerWidthDeg), note};
}

TLobeTable::TLobeTable(QWidget *parent) : QTableWidget(0, 4, parent)
{
    setObjectName(QStringLiteral("LobeTable"));
    setHorizontalHeaderLabels({tr("Лепесток: θ"), tr("Уровень"), tr("Ширина по половинной мощности"), QString()});
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setStretchLastSection(true);
    setFixedHeight(horizontalHeader()->sizeHint().height() + kShownRows * verticalHeader()->defaultSectionSize()
                   + 2 * frameWidth());
}

void TLobeTable::ShowLobes(double M)
{
    std::vector<Lobe> lobes;
    try {
        lobes = FindLobes(M);
    } catch (const std::domain_error &) {
        // Beyond the plots' length limit: a length drawn without its numbers.
    }
    setRowCount(int(lobes.size()));
    for (int row = 0; row < rowCount(); ++row) {
        const QStringList texts = LobeRowTexts(lobes[size_t(row)]);
        for (int column = 0; column < texts.size(); ++column) {
            auto *item = new QTableWidgetItem(texts[column]);
            item->setTextAlignment(column < 3 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
            if (lobes[size_t(row)].rival)
                item->setBackground(kRivalTint);
            setItem(row, column, item);
        }
    }
}
